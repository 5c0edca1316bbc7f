#pragma once

#include "book/BookRecords.h"

#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace dravinor::book {

// The rows of the book, read and written inside a transaction the caller
// holds (CarBook's writes hold one each; an import one for all). Writes
// return SQLite's result code.

int insertCar(sqlite3* db, Car& car);
int insertVisit(sqlite3* db, Visit& visit);
int updateVisitRow(sqlite3* db, const Visit& visit);

std::optional<Car> carByKey(sqlite3* db, std::string_view key);
std::vector<Car> allCars(sqlite3* db);
// Newest first; visits of the same second by the order they were recorded, newest first.
std::vector<Visit> visitsOfCar(sqlite3* db, std::int64_t carId);
// A visit of that car at that time with that read set (both absent counts as the same).
bool visitExists(sqlite3* db, const Visit& visit);

// Cars whose registration key contains the key of text, or whose make and
// model contains text (case ignored, Polish and Cyrillic letters too:
// foldedForSearch); registrations that start with it first. At most limit
// cars; 0 for all. Needs registerSearchFold on the connection.
std::vector<CarSummary> matchingCars(sqlite3* db, std::string_view text, std::size_t limit);

// The SQL function search_fold(text), foldedForSearch for the queries.
int registerSearchFold(sqlite3* db);

// SQLite's code as a write's outcome.
BookWrite writeOutcome(int code);

}  // namespace dravinor::book
