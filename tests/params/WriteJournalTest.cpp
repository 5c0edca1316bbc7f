#include "params/WriteJournal.h"
#include "params/JournalRecorder.h"
#include "params/JournalUndo.h"
#include "params/ParameterTransfer.h"

#include "JournalledWrite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include <unistd.h>

namespace dravinor::params {
namespace {

namespace fs = std::filesystem;

JournalEntry single(int address, unsigned oldRaw, unsigned newRaw, WriteSource source = WriteSource::Field,
                    bool ok = true)
{
    JournalEntry e = testing::journalledWrite(address, oldRaw, newRaw);
    e.source = source;
    e.acknowledged = ok;
    return e;
}

struct JournalFile : ::testing::Test {
    fs::path dir = fs::path(::testing::TempDir()) / ("journal-" + std::to_string(::getpid()));
    WriteJournal journal{dir / "state" / "journal.log"};

    void SetUp() override { fs::remove_all(dir); }
    void TearDown() override { fs::remove_all(dir); }

    void appendRaw(const std::string& text) { std::ofstream(journal.path(), std::ios::binary | std::ios::app) << text; }
};

TEST_F(JournalFile, EntriesComeBackNewestFirstWithEveryField)
{
    JournalEntry first = single(1, 19, 25);
    first.oldShown = "0,38 V";
    first.newShown = "0,50\tV\n";  // a tab or line break must not split the line
    JournalEntry second = single(14, 6, 7);
    second.kind = JournalKind::Bulk;
    second.oldRaw.reset();
    ASSERT_TRUE(journal.append(first)) << journal.lastError();  // the folder is created
    ASSERT_TRUE(journal.append(second));

    const auto entries = journal.readNewestFirst();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0], second);
    first.newShown = "0,50 V ";
    EXPECT_EQ(entries[1], first);
    EXPECT_EQ(journal.readNewestFirst(1).size(), 1u);
}

TEST_F(JournalFile, ATornLastLineIsSkippedAndTheNextEntryStillReadsWhole)
{
    ASSERT_TRUE(journal.append(single(1, 19, 25)));
    appendRaw(formatJournalLine(single(2, 28, 30)).substr(0, 30));  // a crash in mid-write
    EXPECT_EQ(journal.readOldestFirst().size(), 1u);

    ASSERT_TRUE(journal.append(single(3, 109, 120)));
    const auto entries = journal.readOldestFirst();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].address, 3);
}

TEST_F(JournalFile, MalformedLinesAreSkippedNotFatal)
{
    ASSERT_TRUE(journal.append(single(1, 19, 25)));
    std::string line = formatJournalLine(single(2, 28, 30));
    appendRaw("garbage\n\n\x01\xff\xfe\n");
    appendRaw(line.substr(0, line.rfind('\t')) + "\n");                                            // a field short
    appendRaw(line + "\textra\n");                                                                 // a field too many
    for (const auto& [from, to] : {std::pair<std::string, std::string>{"\t2\t2\t", "\t36\t36\t"},  // no such address
                                   {"\t28\t30\t", "\tx\t30\t"},  // old value not a number
                                   {"\tok\t", "\tmaybe\t"},
                                   {"J2\t", "J9\t"},
                                   {"\twrite\t", "\t\t"}}) {  // no kind at all
        std::string bad = line;
        bad.replace(bad.find(from), from.size(), to);
        appendRaw(bad + "\n");
    }
    ASSERT_TRUE(journal.append(single(3, 109, 120)));
    const auto entries = journal.readOldestFirst();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].address, 1);
    EXPECT_EQ(entries[1].address, 3);
}

// A newer version may journal a kind or source this one does not know: the
// line is listed with its own words, written back as it stands and never undone.
TEST_F(JournalFile, AKindOrSourceOfANewerVersionIsKeptAsWrittenAndNeverUndone)
{
    std::string line = formatJournalLine(single(2, 28, 30));
    struct Newer {
        std::string kind, source;
    };
    for (const Newer& words : {Newer{"erase", "field"}, Newer{"write", "robot"}}) {
        std::string newer = line;
        const std::string ours = "\twrite\tfield\t";
        newer.replace(newer.find(ours), ours.size(), "\t" + words.kind + "\t" + words.source + "\t");
        const auto entry = parseJournalLine(newer);
        ASSERT_TRUE(entry.has_value()) << newer;
        EXPECT_TRUE(entry->fromNewerVersion());
        EXPECT_EQ(entry->kindText(), words.kind);
        EXPECT_EQ(entry->sourceText(), words.source);
        EXPECT_EQ(formatJournalLine(*entry), newer) << "written back byte for byte";
        EXPECT_EQ(UndoMarker().mark(*entry), UndoMark::None);
    }
    // The words this version knows stay its own.
    const auto known = parseJournalLine(line);
    ASSERT_TRUE(known.has_value());
    EXPECT_EQ(known->kind, JournalKind::Write);
    EXPECT_EQ(known->source, WriteSource::Field);
    EXPECT_FALSE(known->fromNewerVersion());
}

TEST_F(JournalFile, RotatesAtOneMegabyteKeepingOnlyTheLastOldFile)
{
    JournalEntry big = single(1, 19, 25);
    big.note = std::string(900, 'n');  // about 970 bytes a line
    const std::vector<JournalEntry> batch(100, big);
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(journal.append(batch));
    EXPECT_FALSE(fs::exists(journal.rotatedPath()));
    ASSERT_TRUE(journal.append(batch));  // would pass 1 MB
    ASSERT_TRUE(fs::exists(journal.rotatedPath()));
    EXPECT_LE(fs::file_size(journal.rotatedPath()), WriteJournal::rotateBytes);
    EXPECT_EQ(journal.readOldestFirst().size(), 1100u);

    ASSERT_TRUE(journal.append(single(5, 1, 2)));
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(journal.append(batch));
    // The second rotation dropped the first 1000 entries; the marker is in the kept file.
    const auto entries = journal.readOldestFirst();
    ASSERT_EQ(entries.size(), 1101u);
    EXPECT_EQ(entries[100].address, 5);
    EXPECT_LE(fs::file_size(journal.rotatedPath()), WriteJournal::rotateBytes);
}

TEST_F(JournalFile, AnUnwritableFolderIsReportedNotThrown)
{
    fs::create_directories(dir);
    std::ofstream(dir / "state") << "a file where the folder should be";
    EXPECT_FALSE(journal.append(single(1, 19, 25)));
    EXPECT_NE(journal.lastError().find("state"), std::string::npos);
    EXPECT_TRUE(journal.readOldestFirst().empty());
}

TEST_F(JournalFile, TheRecorderTellsWhatReachedTheJournalAndNothingThatDidNot)
{
    JournalRecorder recorder(journal, [] { return WriteTarget{"COM1", "1/3"}; });
    std::vector<std::vector<JournalEntry>> told;
    std::vector<std::string> errors;
    recorder.setAppendListener([&told](const std::vector<JournalEntry>& entries) { told.push_back(entries); });
    recorder.setErrorListener([&errors](const std::string& error) { errors.push_back(error); });
    ParameterBlock before, after;
    after.setParameter(Address(1), 25);
    recorder.singleWrite({WriteKind::Parameter, WriteSource::Field, Address(1), before, after, true});
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0], journal.readOldestFirst());

    fs::remove_all(dir);
    fs::create_directories(dir);
    std::ofstream(dir / "state") << "a file where the folder should be";
    recorder.singleWrite({WriteKind::Parameter, WriteSource::Field, Address(1), before, after, true});
    EXPECT_EQ(told.size(), 1u);
    EXPECT_EQ(errors.size(), 1u);
}

// --- What a write leaves in the journal --------------------------------------

TEST(JournalEntries, AFlagByteNamesAndShowsOnlyTheBitThatChanged)
{
    ParameterBlock before, after;
    before.setParameter(Address(32), 0x0F);
    after.setParameter(Address(32), 0x1F);
    const WriteSource source = WriteSource::Field;
    const auto e =
        singleWriteEntry({WriteKind::Parameter, source, Address(32), before, after, true}, {"COM2", "3/1"}, "t");
    EXPECT_EQ(e.field, "WCutOff");
    EXPECT_EQ(e.oldShown, "bit 4 Cut-off used: no");
    EXPECT_EQ(e.newShown, "bit 4 Cut-off used: yes");
    EXPECT_EQ(*e.oldRaw, 0x0Fu);
    EXPECT_EQ(e.newRaw, 0x1Fu);
    EXPECT_EQ(e.port, "COM2");
}

TEST(JournalEntries, AWritersDoubtAboutItsValueStaysWithTheEntry)
{
    ParameterBlock before, after;
    after.setParameter(Address(2), 30);
    const WriteSource source = WriteSource::Wizard;
    const auto e = singleWriteEntry(
        {WriteKind::Parameter, source, Address(2), before, after, true, "doubtful: TPS idle 15 of 120 polls bad"}, {},
        "t");
    EXPECT_EQ(e.note, "doubtful: TPS idle 15 of 120 polls bad");
    const auto line = formatJournalLine(e);
    const auto back = parseJournalLine(line);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->note, e.note);
    EXPECT_TRUE(
        singleWriteEntry({WriteKind::Parameter, source, Address(2), before, after, true}, {}, "t").note.empty());
}

TEST(JournalEntries, HalfOfAWordShowsTheWholeFieldAndJoinsWithItsOtherHalf)
{
    ParameterBlock start;
    start.setParameter(Address(13), 2);  // K = 4800
    start.setWord(Address(14), 1745);    // 2200 RPM
    ParameterBlock high = start;
    high.setParameter(Address(14), 1600 >> 8);
    ParameterBlock done = start;
    done.setWord(Address(14), 1600);
    const WriteSource source = WriteSource::Field;
    const auto first = singleWriteEntry({WriteKind::Parameter, source, Address(14), start, high, true}, {}, "t1");
    const auto second = singleWriteEntry({WriteKind::Parameter, source, Address(15), high, done, true}, {}, "t2");
    EXPECT_EQ(first.field, "ODPBenzynaGas");
    EXPECT_EQ(first.oldShown, "2200 RPM");

    const auto joined = joinWordHalves({first, second});
    ASSERT_EQ(joined.size(), 1u);
    EXPECT_EQ(joined[0].address, 14);
    EXPECT_EQ(joined[0].lastAddress, 15);
    EXPECT_EQ(*joined[0].oldRaw, 1745u);
    EXPECT_EQ(joined[0].newRaw, 1600u);
    EXPECT_EQ(joined[0].oldShown, "2200 RPM");
    EXPECT_EQ(joined[0].newShown, "2400 RPM");
    EXPECT_EQ(joined[0].time, "t2");

    // Halves from different sources, or the wrong way round, stay apart.
    auto other = second;
    other.source = WriteSource::Wizard;
    EXPECT_EQ(joinWordHalves({first, other}).size(), 2u);
    EXPECT_EQ(joinWordHalves({second, first}).size(), 2u);
}

TEST(JournalEntries, ABulkWriteListsWhatChangedOrWasUnknownAndEndsWithItsSummary)
{
    ParameterBlock controller, written;
    for (int a = 1; a <= 35; ++a)
        controller.setParameter(Address(a), static_cast<std::uint8_t>(a)),
            written.setParameter(Address(a), static_cast<std::uint8_t>(a));
    written.setParameter(Address(1), 19);  // changed
    AddressSet known;
    known.set();
    known.reset(20);  // never read
    BulkWriteOutcome outcome;
    for (int a = 1; a <= 35; ++a)
        outcome.eepromWritten.set(static_cast<std::size_t>(a), a != 20);
    outcome.confirmed = outcome.eepromWritten;
    outcome.unacknowledged = 1;
    const WriteSource source = WriteSource::File;
    const auto entries =
        bulkWriteEntries({WriteKind::WriteAll, source, controller, known, written, outcome}, {"COM1", "3/1"}, "t");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].field, "PRLambda");
    EXPECT_EQ(*entries[0].oldRaw, 1u);
    EXPECT_EQ(entries[0].newShown, "0,38 V");
    EXPECT_TRUE(entries[0].acknowledged);
    EXPECT_EQ(entries[1].field, "RPMSignal");
    EXPECT_FALSE(entries[1].oldRaw.has_value());
    EXPECT_FALSE(entries[1].acknowledged);
    EXPECT_EQ(entries[2].kind, JournalKind::WriteAll);
    EXPECT_EQ(entries[2].source, WriteSource::File);
    EXPECT_EQ(entries[2].address, 0);
    EXPECT_FALSE(entries[2].acknowledged);
    EXPECT_EQ(entries[2].note, "34/35 acknowledged, 2 changed, not confirmed: 20");
}

// --- Undo ------------------------------------------------------------------------

TEST(JournalUndo, TakesBackTheNewestAcknowledgedWriteNotAlreadyTakenBack)
{
    auto bulk = single(5, 1, 2);
    bulk.kind = JournalKind::Bulk;
    const auto failed = single(2, 28, 30, WriteSource::Field, false);
    const auto first = single(1, 19, 25);
    const auto second = single(3, 109, 120);
    EXPECT_EQ(undoTarget({failed, bulk, second, first})->address, 3);

    // After one undo, the next one reaches the write before.
    const auto undone = single(3, 120, 109, WriteSource::Undo);
    EXPECT_EQ(undoTarget({undone, second, first})->address, 1);
    const auto undoneFirst = single(1, 25, 19, WriteSource::Undo);
    EXPECT_FALSE(undoTarget({undoneFirst, undone, second, first}).has_value());
    // A failed undo took nothing back.
    EXPECT_EQ(undoTarget({single(3, 120, 109, WriteSource::Undo, false), second, first})->address, 3);
    EXPECT_FALSE(undoTarget({}).has_value());
}

TEST(JournalUndo, RewritesOfAnUnchangedValueAreSkippedSoUndoOffersTheRealChange)
{
    // A session of field visits: every field left rewrites what it holds;
    // one real change, 85 -> 2, sits among them.
    std::vector<JournalEntry> newestFirst;
    for (int address : {12, 13, 20, 21})
        newestFirst.push_back(single(address, 10, 10));
    newestFirst.push_back(single(11, 85, 2));
    for (int address : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10})
        newestFirst.push_back(single(address, 50, 50));
    const auto target = undoTarget(newestFirst);
    ASSERT_TRUE(target.has_value());
    EXPECT_EQ(target->address, 11);
    EXPECT_EQ(*target->oldRaw, 85u);

    const auto marks = undoMarks(newestFirst);
    EXPECT_EQ(std::count(marks.begin(), marks.end(), UndoMark::Unchanged), 14);
    EXPECT_EQ(marks[4], UndoMark::Next);

    // Once taken back, nothing older changed anything: nothing more to undo,
    // however often the field is rewritten after the undo.
    newestFirst.insert(newestFirst.begin(), single(11, 2, 85, WriteSource::Undo));
    newestFirst.insert(newestFirst.begin(), single(11, 85, 85));
    EXPECT_FALSE(undoTarget(newestFirst).has_value());
    const auto after = undoMarks(newestFirst);
    EXPECT_EQ(after[0], UndoMark::Unchanged);
    EXPECT_EQ(after[1], UndoMark::UndoWrite);
    EXPECT_EQ(after[6], UndoMark::TakenBack);
}

TEST(JournalUndo, AnUndoTakesBackTheChangeOfItsOwnAddressNotJustTheNextOlderOne)
{
    // An undo written before unchanged rewrites were skipped took back a
    // rewrite of address 11; it must not be paired with the change at 4.
    const auto change = single(4, 100, 120);
    const auto rewrite = single(11, 75, 75);
    const auto undone = single(11, 75, 75, WriteSource::Undo);
    EXPECT_EQ(undoTarget({undone, rewrite, change})->address, 4);

    // Undos of two addresses, matched to their own changes.
    const auto a = single(1, 19, 25);
    const auto b = single(2, 28, 30);
    const auto undoB = single(2, 30, 28, WriteSource::Undo);
    EXPECT_EQ(undoTarget({undoB, b, a})->address, 1);
    const auto marks = undoMarks({single(1, 25, 19, WriteSource::Undo), undoB, b, a});
    EXPECT_EQ(marks, (std::vector<UndoMark>{UndoMark::UndoWrite, UndoMark::UndoWrite, UndoMark::TakenBack,
                                            UndoMark::TakenBack}));
}

TEST(JournalUndo, AWordRewrittenWithItsOwnValueIsUnchangedOnceItsHalvesAreJoined)
{
    auto high = single(14, 6, 6);
    auto low = single(15, 209, 209);
    const auto joined = joinWordHalves({high, low});
    ASSERT_EQ(joined.size(), 1u);
    EXPECT_TRUE(joined[0].unchangedRewrite());
    low.newRaw = 100;
    EXPECT_FALSE(joinWordHalves({high, low})[0].unchangedRewrite());
    // A bulk line or a summary is never a rewrite, whatever its values.
    auto bulk = single(5, 7, 7);
    bulk.kind = JournalKind::Bulk;
    EXPECT_FALSE(bulk.unchangedRewrite());
}

TEST_F(JournalFile, UndoIsRefusedWithoutAControllerOrForAnotherOne)
{
    EXPECT_EQ(planUndo(journal, {"COM1", "1/3"}, true).refusal, UndoRefusal::NothingToUndo);
    ASSERT_TRUE(journal.append(single(1, 19, 25)));
    EXPECT_EQ(planUndo(journal, {"COM1", "1/3"}, true).refusal, UndoRefusal::None);
    EXPECT_EQ(planUndo(journal, {"COM1", "1/3"}, false).refusal, UndoRefusal::NotConnected);
    EXPECT_EQ(planUndo(journal, {"COM2", "1/3"}, true).refusal, UndoRefusal::OtherController);
    const auto plan = planUndo(journal, {"COM1", "4/1"}, true);
    EXPECT_EQ(plan.refusal, UndoRefusal::OtherController);
    EXPECT_EQ(plan.entry.address, 1);
}

}  // namespace
}  // namespace dravinor::params
