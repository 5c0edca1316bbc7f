// Reading the write journal whatever lies where it belongs: folders, FIFOs,
// huge files, torn and overlong lines, impossible times; and the set a
// write was made to.
#include "JournalledWrite.h"
#include "params/JournalListing.h"
#include "params/JournalRecorder.h"
#include "params/JournalUndo.h"
#include "params/ParameterTransfer.h"
#include "params/SetFingerprint.h"
#include "params/WriteJournal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

namespace dravinor::params {
namespace {

namespace fs = std::filesystem;

JournalEntry entry(int address, unsigned oldRaw, unsigned newRaw)
{
    return testing::journalledWrite(address, oldRaw, newRaw);
}

// Entries numbered by their new value, so that order is easy to check.
std::vector<JournalEntry> numbered(int count, unsigned first = 0)
{
    std::vector<JournalEntry> entries;
    for (int i = 0; i < count; ++i)
        entries.push_back(entry(1 + i % 13, 0, first + static_cast<unsigned>(i)));
    return entries;
}

struct JournalReading : ::testing::Test {
    fs::path dir = fs::path(::testing::TempDir()) / ("journal-reading-" + std::to_string(::getpid()));
    WriteJournal journal{dir / "journal.log"};

    void SetUp() override
    {
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    void writeLines(const fs::path& file, const std::vector<JournalEntry>& entries, const std::string& tail = "")
    {
        std::ofstream out(file, std::ios::binary | std::ios::app);
        for (const JournalEntry& e : entries)
            out << formatJournalLine(e) << '\n';
        out << tail;
    }
    std::vector<JournalEntry> listAll(std::size_t blockSize, std::size_t batch = 5)
    {
        JournalListing listing(journal, blockSize);
        std::vector<JournalEntry> all;
        while (!listing.atEnd()) {
            const auto taken = listing.take(batch);
            all.insert(all.end(), taken.begin(), taken.end());
        }
        return all;
    }
};

TEST_F(JournalReading, AFolderWhereTheJournalBelongsIsReportedNotThrownAndTheRestIsRead)
{
    writeLines(journal.rotatedPath(), numbered(3));
    fs::create_directory(journal.path());

    std::vector<JournalProblem> problems;
    EXPECT_EQ(journal.readOldestFirst(&problems).size(), 3u);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].file, journal.path());
    EXPECT_EQ(problems[0].kind, JournalProblem::Kind::Directory);

    JournalListing listing(journal);
    EXPECT_EQ(listing.take(10).size(), 3u);
    ASSERT_EQ(listing.problems().size(), 1u);
    EXPECT_EQ(listing.problems()[0].kind, JournalProblem::Kind::Directory);

    EXPECT_FALSE(journal.append(entry(1, 1, 2)));
    EXPECT_NE(journal.lastError().find("journal.log"), std::string::npos) << journal.lastError();

    // The older file as a folder: the newer one is still listed.
    fs::remove(journal.path());
    fs::remove(journal.rotatedPath());
    fs::create_directory(journal.rotatedPath());
    writeLines(journal.path(), numbered(2));
    problems.clear();
    EXPECT_EQ(journal.readNewestFirst(SIZE_MAX, &problems).size(), 2u);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].file, journal.rotatedPath());
}

TEST_F(JournalReading, AFifoAsTheJournalNeitherHangsNorSwallowsEntries)
{
    ASSERT_EQ(::mkfifo(journal.path().c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(journal.rotatedPath().c_str(), 0600), 0);
    std::vector<JournalProblem> problems;
    EXPECT_TRUE(journal.readOldestFirst(&problems).empty());
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].kind, JournalProblem::Kind::NotAFile);
    EXPECT_EQ(problems[1].kind, JournalProblem::Kind::NotAFile);
    EXPECT_EQ(JournalListing(journal).take(1).size(), 0u);

    EXPECT_FALSE(journal.append(entry(1, 1, 2)));
    EXPECT_NE(journal.lastError().find("not a regular file"), std::string::npos) << journal.lastError();
}

TEST_F(JournalReading, ReadingFromTheEndListsWhatReadingFromTheStartListsNewestFirst)
{
    // Both files, an RPM word's two halves straddling them, and blocks of
    // every size from one byte up, so that lines cross block edges.
    auto older = numbered(40);
    JournalEntry high = entry(14, 6, 7);
    JournalEntry low = entry(15, 209, 0);
    older.push_back(high);
    writeLines(journal.rotatedPath(), older);
    writeLines(journal.path(), {low});
    writeLines(journal.path(), numbered(30, 100));

    std::vector<JournalEntry> expected = joinWordHalves(journal.readOldestFirst());
    ASSERT_EQ(expected.size(), 40u + 1u + 30u);
    std::reverse(expected.begin(), expected.end());
    for (std::size_t blockSize : {1, 2, 7, 64, 200, 4096}) {
        SCOPED_TRACE(blockSize);
        EXPECT_EQ(listAll(blockSize), expected);
    }
    EXPECT_EQ(expected[30].address, 14);
    EXPECT_TRUE(expected[30].isWord());

    // `--last N` takes N from the end, nothing more.
    JournalListing listing(journal, 16);
    const auto lastThree = listing.take(3);
    ASSERT_EQ(lastThree.size(), 3u);
    EXPECT_EQ(lastThree[0].newRaw, 129u);
    EXPECT_EQ(lastThree[2].newRaw, 127u);
    EXPECT_FALSE(listing.atEnd());
    EXPECT_EQ(journal.readNewestFirst(2).size(), 2u);
}

TEST_F(JournalReading, TornOverlongAndMalformedLinesAreSkippedAlikeByBothReaders)
{
    const std::string overlong =
        formatJournalLine(entry(3, 1, 2)) + std::string(JournalBackwardReader::longestLine, 'x');
    writeLines(journal.path(), {entry(1, 1, 2)}, "garbage\r\n\n" + overlong + "\n");
    writeLines(journal.path(), {entry(2, 1, 2)}, formatJournalLine(entry(4, 1, 2)).substr(0, 25));  // a crash

    std::vector<JournalEntry> forwards = journal.readOldestFirst();
    ASSERT_EQ(forwards.size(), 2u);
    EXPECT_EQ(forwards[0].address, 1);
    EXPECT_EQ(forwards[1].address, 2);
    std::reverse(forwards.begin(), forwards.end());
    for (std::size_t blockSize : {std::size_t{97}, std::size_t{1000}, JournalBackwardReader::defaultBlockSize})
        EXPECT_EQ(listAll(blockSize), forwards) << blockSize;
}

TEST(JournalTimes, AnImpossibleTimeIsInvalidNotADateOfAnotherYear)
{
    for (const char* bad : {"2026-99-99T99:99:99", "2026-13-01T00:00:00.000Z", "2026-04-31T10:00:00.000Z",
                            "2026-02-29T10:00:00.000Z", "2026-12-08T24:00:00.000Z", "2026-12-08T07:60:00.000Z",
                            "2026-12-08 07:00:00", "+026-12-08T07:00:00", "", "yesterday"}) {
        EXPECT_FALSE(journalTimeValid(bad)) << bad;
        EXPECT_EQ(journalLocalTime(bad), bad);
        EXPECT_FALSE(journalTimeMilliseconds(bad)) << bad;
    }
    // Entries order by it to the millisecond, whatever the fraction's length.
    EXPECT_EQ(journalTimeMilliseconds("1970-01-01T00:00:01.5Z"), 1500);
    EXPECT_EQ(journalTimeMilliseconds("2026-12-08T07:32:05.123Z"), 1796715125123);
    EXPECT_EQ(journalTimeMilliseconds("2026-12-08T07:32:05.1239Z"), 1796715125123);
    EXPECT_EQ(journalTimeMilliseconds("2026-12-08T07:32:05"), 1796715125000);
    for (const char* good : {"2026-12-08T07:32:05.123Z", "2028-02-29T00:00:00.000Z", "2026-06-30T23:59:60.000Z"}) {
        EXPECT_TRUE(journalTimeValid(good)) << good;
        EXPECT_NE(journalLocalTime(good), good);
    }
    const char* zone = std::getenv("TZ");
    const std::string previous = zone ? zone : "";
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    EXPECT_EQ(journalLocalTime("2026-12-08T07:32:05.123Z"), "2026-12-08 07:32:05");
    if (zone)
        ::setenv("TZ", previous.c_str(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();
}

TEST(JournalSetFingerprint, TravelsAsAnOptionalSixteenthFieldOldLinesStillRead)
{
    JournalEntry e = entry(5, 1, 2);
    const std::string oldLine = formatJournalLine(e);  // no fingerprint: as every earlier version wrote
    EXPECT_EQ(std::count(oldLine.begin(), oldLine.end(), '\t'), 14);
    ASSERT_TRUE(parseJournalLine(oldLine));
    EXPECT_TRUE(parseJournalLine(oldLine)->controllerSet.empty());

    e.controllerSet = "0a1b2c3d";
    const auto read = parseJournalLine(formatJournalLine(e));
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, e);
    for (const char* bad : {"0A1B2C3D", "0a1b2c3", "0a1b2c3d4", "zzzzzzzz", ""})
        EXPECT_FALSE(parseJournalLine(oldLine + "\t" + bad)) << bad;
}

TEST(JournalSetFingerprint, TellsSetsApartAndStaysTheSameForOneSet)
{
    ParameterBlock a, b;
    for (int address = 1; address <= 35; ++address)
        a.setParameter(Address(address), static_cast<std::uint8_t>(address)),
            b.setParameter(Address(address), static_cast<std::uint8_t>(address));
    EXPECT_EQ(parameterSetFingerprint(a), parameterSetFingerprint(b));
    EXPECT_EQ(parameterSetFingerprint(a).size(), 8u);
    b.bytes()[0] = 9;
    b.bytes()[40] = 9;  // bytes outside 1..35 are not the controller's set
    EXPECT_EQ(parameterSetFingerprint(a), parameterSetFingerprint(b));
    b.setParameter(Address(35), 36);
    EXPECT_NE(parameterSetFingerprint(a), parameterSetFingerprint(b));
    EXPECT_EQ(parameterSetFingerprint(ParameterBlock{}), "0f2b1f37");  // stable across versions
}

TEST_F(JournalReading, UndoOnTheSamePortAndTypeButAnotherSetIsToldNotRefused)
{
    JournalEntry written = entry(1, 19, 25);
    written.controllerSet = "11111111";
    ASSERT_TRUE(journal.append(written));
    EXPECT_FALSE(planUndo(journal, {"COM1", "1/3", "11111111"}, true).otherSet);

    const UndoPlan plan = planUndo(journal, {"COM1", "1/3", "22222222"}, true);
    EXPECT_EQ(plan.refusal, UndoRefusal::None);
    EXPECT_TRUE(plan.otherSet);

    // An entry from before fingerprints were journalled cannot be compared.
    ASSERT_TRUE(journal.append(entry(2, 28, 30)));
    EXPECT_FALSE(planUndo(journal, {"COM1", "1/3", "22222222"}, true).otherSet);
}

// The journal names the controller type first, as the window and the
// report do; files written before keep their lines, firmware version first.
TEST_F(JournalReading, LinesWrittenFirmwareFirstAreReadTypeFirstAndStayUndoable)
{
    const auto oldLine = [](const std::string& controller) {
        JournalEntry e = entry(1, 19, 25);
        e.controller = controller;
        std::string line = formatJournalLine(e);
        return line.replace(0, journalLineTag.size(), firmwareFirstLineTag);
    };
    {
        std::ofstream file(dir / "journal.log", std::ios::binary | std::ios::app);
        file << oldLine("2/1") << '\n' << oldLine("") << '\n' << oldLine("x/1") << '\n' << oldLine("3/1") << '\n';
    }
    const auto entries = journal.readOldestFirst();
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].controller, "1/2");
    EXPECT_EQ(entries[1].controller, "") << "unknown stays unknown";
    EXPECT_EQ(entries[2].controller, "x/1") << "what names no identity is shown as written";
    EXPECT_EQ(entries[3].controller, "1/3");
    EXPECT_EQ(planUndo(journal, {"COM1", "1/3"}, true).refusal, UndoRefusal::None);
    EXPECT_EQ(planUndo(journal, {"COM1", "3/1"}, true).refusal, UndoRefusal::OtherController);

    // New lines are written with the new tag and read back as written.
    JournalEntry e = entry(2, 28, 30);
    e.controller = "1/3";
    const std::string line = formatJournalLine(e);
    EXPECT_TRUE(line.starts_with(journalLineTag));
    EXPECT_EQ(parseJournalLine(line), e);
}

TEST(JournalSetFingerprint, EveryEntryCarriesTheSetOfItsTarget)
{
    ParameterBlock before, after;
    after.setParameter(Address(1), 25);
    const WriteSource source = WriteSource::Field;
    const WriteTarget target{"COM1", "3/1", parameterSetFingerprint(after)};
    EXPECT_EQ(
        singleWriteEntry({WriteKind::Parameter, source, Address(1), before, after, true}, target, "t").controllerSet,
        parameterSetFingerprint(after));
    BulkWriteOutcome outcome;
    AddressSet known;
    for (const JournalEntry& e :
         bulkWriteEntries({WriteKind::WriteAll, source, before, known, after, outcome}, target, "t"))
        EXPECT_EQ(e.controllerSet, target.controllerSet);
}

}  // namespace
}  // namespace dravinor::params
