// Which visit of the current car a read, a whole write and a saved report
// go into: the decisions the command line and the window share.
#include "BookFixture.h"

#include "book/CurrentCar.h"
#include "book/VisitRecording.h"

#include <gtest/gtest.h>

#include <ctime>
#include <fstream>

namespace dravinor::book {
namespace {

using VisitRecording = dravinor::testing::BookFixture;
using CurrentCarLookupTest = dravinor::testing::BookFixture;

using dravinor::testing::localNoon;

const link::ControllerIdentity identity{0x23};

TEST_F(VisitRecording, EveryReadIsANewVisitWithTheSetAndTheController)
{
    const Car car = addCar("WX 1");
    const std::time_t noon = localNoon();
    const auto first = recordRead(book, car, setOf(1), identity, noon);
    const auto second = recordRead(book, car, setOf(2), std::nullopt, noon + 600);
    ASSERT_TRUE(first.done());
    ASSERT_TRUE(second.done());
    EXPECT_EQ(first.visit, VisitTaken::NewVisit);
    EXPECT_EQ(second.visit, VisitTaken::NewVisit) << "a second read the same day is a visit of its own";
    const auto visits = book.visitsOf(car.id);
    ASSERT_EQ(visits.size(), 2u);
    EXPECT_EQ(visits[1].id, first.visitId);
    EXPECT_EQ(visits[1].readSet, setOf(1));
    EXPECT_EQ(visits[1].controllerType, "3");
    EXPECT_EQ(visits[1].firmware, "2");
    EXPECT_EQ(visits[1].time, noon);
    EXPECT_FALSE(visits[1].endSet);
    EXPECT_EQ(visits[0].readSet, setOf(2));
    EXPECT_TRUE(visits[0].controllerType.empty());
}

TEST_F(VisitRecording, ARereadOfTheSetTodaysVisitHoldsIsNoNewVisit)
{
    const Car car = addCar("WX 1");
    const std::time_t noon = localNoon();
    const auto first = recordRead(book, car, setOf(1), identity, noon);
    // A reconnect after an unplug reads the same set again.
    const auto again = recordRead(book, car, setOf(1), identity, noon + 60);
    EXPECT_EQ(again.visit, VisitTaken::AlreadyThere);
    EXPECT_EQ(again.visitId, first.visitId);
    // After a write, a reread finds the set the visit was left with.
    recordEndSet(book, car, setOf(5), identity, noon + 120);
    EXPECT_EQ(recordRead(book, car, setOf(5), identity, noon + 180).visit, VisitTaken::AlreadyThere);
    EXPECT_EQ(book.visitsOf(car.id).size(), 1u);
    // The same set the next day is a visit of its own.
    EXPECT_EQ(recordRead(book, car, setOf(5), identity, noon + 24 * 3600).visit, VisitTaken::NewVisit);
    EXPECT_EQ(book.visitsOf(car.id).size(), 2u);
}

TEST_F(VisitRecording, AnAdaptationGoesIntoTodaysVisitWithTheSetItLeft)
{
    const Car car = addCar("WX 1");
    const std::time_t noon = localNoon();
    const auto read = recordRead(book, car, setOf(1), identity, noon);
    const auto adapted = recordAdaptation(book, car, "finished: yes", setOf(7), identity, noon + 900);
    ASSERT_TRUE(adapted.done());
    EXPECT_EQ(adapted.visitId, read.visitId);
    const auto visits = book.visitsOf(car.id);
    ASSERT_EQ(visits.size(), 1u);
    EXPECT_EQ(visits[0].adaptation, "finished: yes");
    EXPECT_EQ(visits[0].readSet, setOf(1));
    EXPECT_EQ(visits[0].endSet, setOf(7));
}

TEST_F(VisitRecording, AnAdaptationLeftPartWayKeepsWhatItMeasuredButNotADoubtfulSet)
{
    const Car car = addCar("WX 1");
    const std::time_t noon = localNoon();
    recordRead(book, car, setOf(1), identity, noon);
    recordEndSet(book, car, setOf(5), identity, noon + 60);
    const auto adapted = recordAdaptation(book, car, "finished: no", std::nullopt, identity, noon + 900);
    ASSERT_TRUE(adapted.done());
    const auto visits = book.visitsOf(car.id);
    ASSERT_EQ(visits.size(), 1u);
    EXPECT_EQ(visits[0].adaptation, "finished: no");
    EXPECT_EQ(visits[0].endSet, setOf(5)) << "the last set the controller took whole stays";
}

TEST_F(VisitRecording, AWriteEndsTodaysVisitAndKeepsWhatItRead)
{
    const Car car = addCar("WX 1");
    const std::time_t noon = localNoon();
    const auto read = recordRead(book, car, setOf(1), identity, noon - 3 * 3600);
    const auto written = recordEndSet(book, car, setOf(9), std::nullopt, noon);
    ASSERT_TRUE(written.done());
    EXPECT_EQ(written.visit, VisitTaken::TodaysVisit);
    EXPECT_EQ(written.visitId, read.visitId);
    const auto visits = book.visitsOf(car.id);
    ASSERT_EQ(visits.size(), 1u);
    EXPECT_EQ(visits[0].readSet, setOf(1));
    EXPECT_EQ(visits[0].endSet, setOf(9));
    EXPECT_EQ(visits[0].time, noon - 3 * 3600) << "the visit keeps its own time";
    EXPECT_EQ(visits[0].controllerType, "3");
}

TEST_F(VisitRecording, AWriteAfterYesterdaysVisitStartsANewOne)
{
    const Car car = addCar("WX 1");
    const std::time_t noon = localNoon();
    recordRead(book, car, setOf(1), std::nullopt, noon - 24 * 3600);
    const auto written = recordEndSet(book, car, setOf(9), identity, noon);
    ASSERT_TRUE(written.done());
    EXPECT_EQ(written.visit, VisitTaken::NewVisit);
    const auto visits = book.visitsOf(car.id);
    ASSERT_EQ(visits.size(), 2u);
    EXPECT_EQ(visits[0].id, written.visitId);
    EXPECT_EQ(visits[0].endSet, setOf(9));
    EXPECT_FALSE(visits[0].readSet);
    EXPECT_EQ(visits[0].controllerType, "3") << "the new visit names the controller written";
    EXPECT_FALSE(visits[1].endSet) << "yesterday's visit stays as it was";
}

TEST_F(VisitRecording, AnotherCarsVisitOfTodayIsNotTaken)
{
    const Car first = addCar("WX 1");
    const Car second = addCar("KR 2");
    const std::time_t noon = localNoon();
    recordRead(book, first, setOf(1), std::nullopt, noon - 60);
    const auto written = recordEndSet(book, second, setOf(9), std::nullopt, noon);
    EXPECT_EQ(written.visit, VisitTaken::NewVisit);
    EXPECT_FALSE(book.visitsOf(first.id)[0].endSet);
    ASSERT_EQ(book.visitsOf(second.id).size(), 1u);
}

TEST_F(VisitRecording, AReportGoesIntoTodaysVisitOrANewOne)
{
    const Car car = addCar("WX 1");
    const std::time_t noon = localNoon();
    recordEndSet(book, car, setOf(9), identity, noon - 3600);
    const std::vector<std::uint8_t> pdf{'%', 'P', 'D', 'F', 0};
    const auto today = recordReport(book, car, pdf, noon);
    ASSERT_TRUE(today.done());
    EXPECT_EQ(today.visit, VisitTaken::TodaysVisit);
    auto visits = book.visitsOf(car.id);
    ASSERT_EQ(visits.size(), 1u);
    EXPECT_EQ(visits[0].reportPdf, pdf);
    EXPECT_EQ(visits[0].endSet, setOf(9)) << "the report leaves the set written";

    const auto tomorrow = recordReport(book, car, {'x'}, noon + 24 * 3600);
    EXPECT_EQ(tomorrow.visit, VisitTaken::NewVisit);
    visits = book.visitsOf(car.id);
    ASSERT_EQ(visits.size(), 2u);
    EXPECT_EQ(visits[1].reportPdf, pdf) << "yesterday's report is kept";
}

TEST_F(VisitRecording, ACarNoLongerInTheBookIsRefusedWithoutAVisit)
{
    Car gone{4242, "GONE 1", "", "", ""};
    const auto recorded = recordEndSet(book, gone, setOf(1), std::nullopt, localNoon());
    EXPECT_FALSE(recorded.done());
    EXPECT_EQ(recorded.write, BookWrite::NoSuchCar);
}

TEST_F(CurrentCarLookupTest, TellsWhetherThereIsACarAndWhereItIs)
{
    EXPECT_EQ(findCurrentCar(book, file).state, CurrentCarLookup::State::NoCurrentCar);

    ASSERT_TRUE(rememberCurrentCar(file, "wx-1"));
    auto lookup = findCurrentCar(book, file);
    EXPECT_EQ(lookup.state, CurrentCarLookup::State::NotInBook);
    EXPECT_EQ(lookup.registration, "wx-1");

    const Car car = addCar("WX 1");
    lookup = findCurrentCar(book, file);
    ASSERT_EQ(lookup.state, CurrentCarLookup::State::Found);
    EXPECT_EQ(*lookup.car, car) << "found by its key however it was typed";
}

TEST_F(CurrentCarLookupTest, HoldsForTheDayItWasChosenOnOnly)
{
    addCar("WX 1");
    const std::time_t noon = localNoon();
    ASSERT_TRUE(rememberCurrentCar(file, "WX 1", noon - 3 * 3600));
    EXPECT_EQ(findCurrentCar(book, file, noon).state, CurrentCarLookup::State::Found);
    // Forgotten overnight: the next day's cars are not recorded under it.
    const auto nextDay = findCurrentCar(book, file, noon + 24 * 3600);
    EXPECT_EQ(nextDay.state, CurrentCarLookup::State::Lapsed);
    EXPECT_EQ(nextDay.registration, "WX 1");
    EXPECT_FALSE(currentCar(file, noon + 24 * 3600));
    ASSERT_TRUE(currentCarChoice(file));
    EXPECT_EQ(currentCarChoice(file)->chosen, noon - 3 * 3600);

    // A file of one line (no time) holds on no day.
    std::ofstream(currentCarPath(file), std::ios::trunc) << "WX 1\n";
    EXPECT_EQ(findCurrentCar(book, file, noon).state, CurrentCarLookup::State::Lapsed);
}

TEST_F(CurrentCarLookupTest, ABookThatIsAFolderIsReportedNotUsed)
{
    const auto folderBook = folder / "folder.sqlite";
    std::filesystem::create_directories(folderBook);
    ASSERT_TRUE(rememberCurrentCar(folderBook, "WX 1"));
    CarBook other;
    const auto lookup = findCurrentCar(other, folderBook);
    EXPECT_EQ(lookup.state, CurrentCarLookup::State::BookUnusable);
    EXPECT_EQ(lookup.open.outcome, BookOpen::NotAFile);
    EXPECT_EQ(lookup.registration, "WX 1");
    EXPECT_FALSE(other.isOpen());
}

}  // namespace
}  // namespace dravinor::book
