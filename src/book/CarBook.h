#pragma once

#include "book/BookRecords.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace dravinor::book {

struct OpenResult {
    BookOpen outcome = BookOpen::CannotOpen;
    // DamagedReplaced: where the old file went; CannotOpen and the
    // others: the system's or SQLite's own words, when there are any.
    std::string detail;
};

// The workshop's car book: every car, every visit, every set it held, in
// one SQLite file that the window and the command line may use at once.
// Every write is one transaction; a book that cannot be used is reported,
// never half used, and a damaged one is moved aside, never deleted.
class CarBook {
public:
    CarBook() = default;
    ~CarBook();
    CarBook(const CarBook&) = delete;
    CarBook& operator=(const CarBook&) = delete;

    // Opens the book, creating it (and its folder) when there is none.
    // Any open book is closed first.
    OpenResult open(const std::filesystem::path& file);
    void close();
    bool isOpen() const { return db_ != nullptr; }
    const std::filesystem::path& file() const { return file_; }

    // Search as you type: the text's registration key anywhere in a car's
    // (those that start with it first), or the text in its make and model.
    // At most limit cars; 0 for all. An empty text lists every car.
    std::vector<CarSummary> findCars(std::string_view text, std::size_t limit = 0) const;
    std::optional<Car> carByRegistration(std::string_view registration) const;
    std::vector<Car> cars() const;

    // Sets car.id on success.
    BookWrite addCar(Car& car);
    // Newest first.
    std::vector<Visit> visitsOf(std::int64_t carId) const;
    // Sets visit.id on success; visit.carId names the car.
    BookWrite addVisit(Visit& visit);
    // Replaces the visit of visit.id (of the car visit.carId) as a whole.
    BookWrite updateVisit(const Visit& visit);

    // For the book's export and import, and for checks: the open database.
    sqlite3* handle() const { return db_; }

private:
    OpenResult openFile(bool existed);

    sqlite3* db_ = nullptr;
    std::filesystem::path file_;
};

}  // namespace dravinor::book
