// Cars and visits: what goes in comes out, found the ways a fitter looks.
#include "BookFixture.h"

#include <gtest/gtest.h>

namespace dravinor::book {
namespace {

using CarBookCars = dravinor::testing::BookFixture;
using CarBookVisits = dravinor::testing::BookFixture;
using CarBookSearch = dravinor::testing::BookFixture;

TEST_F(CarBookCars, AreFoundByTheirRegistrationHoweverTyped)
{
    Car car{0, "WX 1234-A", "Škoda Felicia", "TMBEFF613X0123456", "gas since 2019"};
    ASSERT_EQ(book.addCar(car), BookWrite::Done);
    EXPECT_GT(car.id, 0);
    const auto found = book.carByRegistration("wx1234a");
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, car) << "kept as typed";
    EXPECT_FALSE(book.carByRegistration("WX 1234"));
    EXPECT_FALSE(book.carByRegistration(""));
}

TEST_F(CarBookCars, OneRegistrationIsOneCar)
{
    const Car first = addCar("WX 1234A");
    Car again{0, "wx-1234a", "another", "", ""};
    EXPECT_EQ(book.addCar(again), BookWrite::DuplicateCar);
    EXPECT_EQ(again.id, 0);
    Car blank{0, " - ", "", "", ""};
    EXPECT_EQ(book.addCar(blank), BookWrite::EmptyRegistration);
    ASSERT_EQ(book.cars().size(), 1u);
    EXPECT_EQ(book.cars().front(), first);
}

TEST_F(CarBookVisits, ComeBackWholeNewestFirst)
{
    const Car car = addCar("KR 5T001");
    Visit full = fullVisit(car.id);
    ASSERT_EQ(book.addVisit(full), BookWrite::Done);
    const Visit older = addVisit(car.id, full.time - 86400);
    const Visit sameSecondLater = addVisit(car.id, full.time);

    const auto visits = book.visitsOf(car.id);
    ASSERT_EQ(visits.size(), 3u);
    EXPECT_EQ(visits[0], sameSecondLater);
    EXPECT_EQ(visits[1], full);
    EXPECT_EQ(visits[2], older);
    EXPECT_FALSE(visits[2].readSet);
    EXPECT_FALSE(visits[2].odometer);
    EXPECT_FALSE(visits[2].journal);
    EXPECT_FALSE(visits[2].reportPdf);
}

TEST_F(CarBookVisits, AnEmptyReportIsStillAReport)
{
    const Car car = addCar("KR 5T001");
    Visit visit;
    visit.carId = car.id;
    visit.reportPdf = std::vector<std::uint8_t>{};
    ASSERT_EQ(book.addVisit(visit), BookWrite::Done);
    ASSERT_TRUE(book.visitsOf(car.id).front().reportPdf);
}

TEST_F(CarBookVisits, AreUpdatedWholeAndOnlyTheirOwnCars)
{
    const Car car = addCar("KR 5T001");
    const Car other = addCar("KR 5T002");
    Visit visit = addVisit(car.id, 1000, 1);
    visit.endSet = setOf(2);
    visit.notes = "done";
    ASSERT_EQ(book.updateVisit(visit), BookWrite::Done);
    EXPECT_EQ(book.visitsOf(car.id).front(), visit);

    Visit moved = visit;
    moved.carId = other.id;
    EXPECT_EQ(book.updateVisit(moved), BookWrite::NoSuchVisit);
    moved = visit;
    moved.id += 100;
    EXPECT_EQ(book.updateVisit(moved), BookWrite::NoSuchVisit);
    EXPECT_EQ(book.visitsOf(car.id).front(), visit);
    EXPECT_TRUE(book.visitsOf(other.id).empty());
}

TEST_F(CarBookVisits, OfNoCarAreRefused)
{
    Visit visit;
    visit.carId = 999;
    EXPECT_EQ(book.addVisit(visit), BookWrite::NoSuchCar);
    EXPECT_EQ(visit.id, 0);
}

TEST_F(CarBookSearch, MatchesTheRegistrationAnywhereStartsFirst)
{
    addCar("PO 12345", "Fiat Punto");
    addCar("WPO 1A", "Opel Vectra");
    addCar("KR 1", "Ford Focus");
    std::vector<std::string> found;
    for (const auto& summary : book.findCars("po"))
        found.push_back(summary.car.registration);
    EXPECT_EQ(found, (std::vector<std::string>{"PO 12345", "WPO 1A"}));
    EXPECT_EQ(book.findCars("o 1").size(), 2u) << "the text's own spaces do not count";
}

TEST_F(CarBookSearch, MatchesMakeAndModelWhateverTheCase)
{
    addCar("PO 12345", "Fiat Punto");
    addCar("KR 1", "Ford Focus");
    const auto found = book.findCars("FOCUS");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found.front().car.registration, "KR 1");
    EXPECT_EQ(book.findCars("punto ").size(), 0u) << "make and model is matched as typed, spaces too";
}

TEST_F(CarBookSearch, FindsPolishAndCyrillicMakesWhateverTheCase)
{
    addCar("A 123 BC", "ВАЗ Жигули 2107");
    addCar("KR 2", "Škoda Octavia ŁADNA");
    addCar("KR 3", "Żuk A-07");
    const auto registrationOf = [this](const char* text) {
        const auto found = book.findCars(text);
        return found.size() == 1 ? found.front().car.registration : std::to_string(found.size()) + " cars";
    };
    EXPECT_EQ(registrationOf("жигули"), "A 123 BC");
    EXPECT_EQ(registrationOf("ваз ЖИГ"), "A 123 BC");
    EXPECT_EQ(registrationOf("ŠKODA"), "KR 2");
    EXPECT_EQ(registrationOf("ładna"), "KR 2");
    EXPECT_EQ(registrationOf("żuk"), "KR 3");
    EXPECT_EQ(registrationOf("ZUK"), "0 cars") << "a letter and its accented one stay two letters";
}

TEST_F(CarBookSearch, TakesWildcardsLiterally)
{
    addCar("AB_1", "x");
    addCar("ABC1", "x%y");
    EXPECT_EQ(book.findCars("B_").size(), 1u);
    EXPECT_EQ(book.findCars("%").size(), 1u);
    EXPECT_EQ(book.findCars("\\").size(), 0u);
}

TEST_F(CarBookSearch, CountsVisitsAndTheLastOneAndStopsAtTheLimit)
{
    const Car car = addCar("PO 1");
    addCar("PO 2");
    addCar("PO 3");
    addVisit(car.id, 500);
    addVisit(car.id, 900);
    addVisit(car.id, 700);
    const auto all = book.findCars("");
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].visits, 3);
    EXPECT_EQ(all[0].lastVisit, 900);
    EXPECT_EQ(all[1].visits, 0);
    EXPECT_FALSE(all[1].lastVisit);
    EXPECT_EQ(book.findCars("PO", 2).size(), 2u);
}

}  // namespace
}  // namespace dravinor::book
