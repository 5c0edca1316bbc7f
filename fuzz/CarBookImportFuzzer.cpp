// Any bytes as an exported car book: the import takes all of it or nothing,
// exactly when the document is sound; what it takes comes out of the book
// as it went in, and a sound document written again reads back the same.
#include "FuzzCheck.h"
#include "book/BookJson.h"
#include "book/BookTransfer.h"
#include "book/CarBook.h"
#include "book/Sqlite.h"

#include <cstdint>
#include <string>

using namespace dravinor;

using dravinor::fuzz::check;
using dravinor::fuzz::workDirectory;

namespace {

book::CarBook& fuzzBook()
{
    static book::CarBook* const opened = [] {
        auto* carBook = new book::CarBook;
        check(book::usable(carBook->open(workDirectory() / "workshop.sqlite").outcome));
        // Speed over durability: the fuzzer's book is thrown away.
        book::execute(carBook->handle(), "PRAGMA synchronous = OFF");
        return carBook;
    }();
    return *opened;
}

std::size_t visitCount(const std::vector<book::CarWithVisits>& cars)
{
    std::size_t count = 0;
    for (const auto& car : cars)
        count += car.visits.size();
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    book::CarBook& carBook = fuzzBook();
    const book::ParsedBook parsed = book::parseBookJson(text);
    const book::ImportResult imported = book::importBookText(carBook, text);

    if (parsed.problem != book::JsonProblem::None) {
        check(imported.outcome == book::ImportOutcome::Malformed && imported.problem == parsed.problem);
        check(carBook.cars().empty());
        return 0;
    }
    check(imported.outcome == book::ImportOutcome::Imported);
    const auto& counts = imported.counts;
    check(counts.carsAdded + counts.carsKnown == parsed.cars.size());
    check(counts.visitsAdded + counts.visitsSkipped == visitCount(parsed.cars));
    check(carBook.cars().size() == counts.carsAdded);

    // Whatever a sound document holds survives being written out again.
    const book::ParsedBook again = book::parseBookJson(book::bookJson(parsed.cars));
    check(again.problem == book::JsonProblem::None && again.cars.size() == parsed.cars.size());
    for (std::size_t i = 0; i < parsed.cars.size(); ++i)
        check(again.cars[i].visits == parsed.cars[i].visits);

    // Empty again for the next input (the visits go with their cars).
    check(book::execute(carBook.handle(), "DELETE FROM car") == SQLITE_OK);
    return 0;
}
