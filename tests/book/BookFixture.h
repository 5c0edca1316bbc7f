#pragma once

#include "StateFolder.h"
#include "book/CarBook.h"
#include "book/Sqlite.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>

namespace dravinor::testing {

// Noon of a local day, so that hours either side stay on it.
inline std::time_t localNoon()
{
    std::tm noon{};
    noon.tm_year = 2026 - 1900;
    noon.tm_mon = 11;
    noon.tm_mday = 9;
    noon.tm_hour = 12;
    noon.tm_isdst = -1;
    return std::mktime(&noon);
}

// A book of the test's own, open, in a folder of its own.
struct BookFixture : ::testing::Test {
    StateFolder folder;
    std::filesystem::path file = folder / "workshop.sqlite";
    book::CarBook book;

    void SetUp() override { ASSERT_TRUE(book::usable(book.open(file).outcome)); }

    book::Car addCar(const std::string& registration, const std::string& makeModel = "Opel Astra G")
    {
        book::Car car{0, registration, makeModel, "", ""};
        EXPECT_EQ(book.addCar(car), book::BookWrite::Done) << registration;
        return car;
    }

    // A set whose bytes all say `mark`, so two sets are told apart.
    static params::ParameterBlock setOf(std::uint8_t mark)
    {
        params::ParameterBlock set;
        set.bytes().fill(mark);
        return set;
    }

    // A visit with every field filled, the notes and report in bytes a
    // careless encoder would break (a quote, a line end, a NUL, 0xFF).
    static book::Visit fullVisit(std::int64_t carId)
    {
        book::Visit visit;
        visit.carId = carId;
        visit.time = 1765290000;
        visit.odometer = 182400;
        visit.controllerType = "3";
        visit.firmware = "1.2";
        visit.readSet = setOf(7);
        visit.endSet = setOf(255);
        visit.adaptation = "lambda threshold 0,45 V; stepper 12..88";
        visit.reportPdf = std::vector<std::uint8_t>{'%', 'P', 'D', 'F', '\0', 0xFF, '\n'};
        visit.notes = "reducer screw turned \"half\" a turn\nand the idle set";
        visit.journal = book::JournalRange{41, 47};
        return visit;
    }

    book::Visit addVisit(std::int64_t carId, std::int64_t time, std::optional<std::uint8_t> readMark = {})
    {
        book::Visit visit;
        visit.carId = carId;
        visit.time = time;
        visit.controllerType = "3";
        visit.firmware = "1";
        if (readMark)
            visit.readSet = setOf(*readMark);
        EXPECT_EQ(book.addVisit(visit), book::BookWrite::Done);
        return visit;
    }
};

inline std::string integrityOf(sqlite3* db)
{
    book::Statement check(db, "PRAGMA integrity_check");
    return check.step() == SQLITE_ROW ? check.text(0) : "no answer";
}

}  // namespace dravinor::testing
