// Which journal entries a visit wrote: kept as a range of times, found
// again in the journal, and recorded into today's visit as writes are made.
#include "BookFixture.h"
#include "JournalledWrite.h"

#include "book/VisitJournal.h"
#include "book/VisitRecording.h"

#include <gtest/gtest.h>

#include <ctime>

namespace dravinor::book {
namespace {

using dravinor::testing::journalledWrite;
using VisitJournal = dravinor::testing::BookFixture;

// "2026-12-09T10:mm:00.000Z"
std::string at(int minute)
{
    char text[32];
    std::snprintf(text, sizeof text, "2026-12-09T10:%02d:00.000Z", minute);
    return text;
}

std::int64_t millisAt(int minute)
{
    return *params::journalTimeMilliseconds(at(minute));
}

TEST(VisitJournalRange, SpansTheChangesOfAnAppendAndGrowsWithTheNext)
{
    const auto range = journalRangeOf(
        {journalledWrite(1, 19, 25, at(5)), journalledWrite(2, 19, 19, at(9)), journalledWrite(3, 19, 30, at(7))});
    ASSERT_TRUE(range);
    EXPECT_EQ(*range, (JournalRange{millisAt(5), millisAt(7)})) << "a field rewriting its value is no change";
    EXPECT_FALSE(journalRangeOf({journalledWrite(2, 19, 19, at(9))}));
    EXPECT_FALSE(journalRangeOf({journalledWrite(2, 19, 25, "yesterday")}));
    EXPECT_EQ(joinedRange(range, {millisAt(1), millisAt(6)}), (JournalRange{millisAt(1), millisAt(7)}));
    EXPECT_EQ(joinedRange(std::nullopt, {millisAt(1), millisAt(6)}), (JournalRange{millisAt(1), millisAt(6)}));
}

TEST_F(VisitJournal, WritesWidenTodaysVisitOrStartOne)
{
    const Car car = addCar("WX 1");
    const link::ControllerIdentity identity{0x31};
    const std::time_t noon = dravinor::testing::localNoon();
    const auto first = recordJournal(book, car, {millisAt(5), millisAt(5)}, identity, noon);
    ASSERT_TRUE(first.done());
    EXPECT_EQ(first.visit, VisitTaken::NewVisit) << "a write with no visit today starts one";
    const auto second = recordJournal(book, car, {millisAt(20), millisAt(21)}, identity, noon + 60);
    EXPECT_EQ(second.visitId, first.visitId);
    const auto visits = book.visitsOf(car.id);
    ASSERT_EQ(visits.size(), 1u);
    EXPECT_EQ(visits[0].journal, (JournalRange{millisAt(5), millisAt(21)}));
    EXPECT_EQ(visits[0].controllerType + "/" + visits[0].firmware, identity.journalText());
    EXPECT_FALSE(visits[0].endSet) << "a single write says nothing of the whole set";
}

TEST_F(VisitJournal, AVisitFindsItsOwnEntriesAgainNewestFirst)
{
    params::WriteJournal journal(folder / "journal.log");
    auto otherController = journalledWrite(4, 19, 25, at(12));
    otherController.controller = "2/7";
    ASSERT_TRUE(journal.append({journalledWrite(1, 19, 25, at(1)), journalledWrite(2, 19, 25, at(10)),
                                journalledWrite(3, 19, 19, at(11)), otherController, journalledWrite(5, 19, 25, at(13)),
                                journalledWrite(6, 19, 25, at(30))}));
    Visit morning, later, none;
    morning.controllerType = "1";
    morning.firmware = "3";
    morning.journal = JournalRange{millisAt(10), millisAt(13)};
    later.journal = JournalRange{millisAt(30), millisAt(30)};  // no controller named: any controller's
    const auto found = visitJournalEntries(journal, {later, none, morning});
    ASSERT_EQ(found.entries.size(), 3u);
    ASSERT_EQ(found.entries[0].size(), 1u);
    EXPECT_EQ(found.entries[0][0].address, 6);
    EXPECT_TRUE(found.entries[1].empty());
    ASSERT_EQ(found.entries[2].size(), 2u) << "neither the unchanged rewrite nor another controller's write";
    EXPECT_EQ(found.entries[2][0].address, 5);
    EXPECT_EQ(found.entries[2][1].address, 2);
    EXPECT_TRUE(found.problems.empty());
}

TEST_F(VisitJournal, AJournalThatNoLongerHoldsTheVisitFindsNothingAndSaysWhyWhenItCannotBeRead)
{
    std::filesystem::create_directories(folder / "journal.log");
    params::WriteJournal journal(folder / "journal.log");
    Visit visit;
    visit.journal = JournalRange{millisAt(10), millisAt(13)};
    const auto found = visitJournalEntries(journal, {visit});
    EXPECT_TRUE(found.entries[0].empty());
    EXPECT_FALSE(found.problems.empty());
    EXPECT_TRUE(visitJournalEntries(journal, {Visit{}}).entries[0].empty()) << "no range, nothing read";
}

}  // namespace
}  // namespace dravinor::book
