#include "Arguments.h"
#include "BookTexts.h"
#include "CliOptions.h"
#include "Commands.h"
#include "SaveTargetText.h"

#include "book/BookFile.h"
#include "book/BookTransfer.h"
#include "book/CurrentCar.h"

#include "params/PathText.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

namespace dravinor::cli {

namespace {

// Columns line up on a terminal: letters, not UTF-8 bytes, are counted.
std::size_t shownWidth(const std::string& text)
{
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string padded(const std::string& text, std::size_t width)
{
    return text + std::string(width > shownWidth(text) ? width - shownWidth(text) : 0, ' ');
}

std::string plural(std::size_t count, const char* one, const char* many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

void listCars(const std::vector<book::CarSummary>& cars)
{
    std::size_t registrationWidth = shownWidth("Registration");
    std::size_t makeModelWidth = shownWidth("Make and model");
    for (const auto& summary : cars) {
        registrationWidth = std::max(registrationWidth, shownWidth(summary.car.registration));
        makeModelWidth = std::max(makeModelWidth, shownWidth(summary.car.makeModel));
    }
    std::cout << padded("Registration", registrationWidth) << "  " << padded("Make and model", makeModelWidth)
              << "  Visits  Last visit\n";
    for (const auto& summary : cars) {
        char visits[16];
        std::snprintf(visits, sizeof visits, "%6d", summary.visits);
        std::cout << padded(summary.car.registration, registrationWidth) << "  "
                  << padded(summary.car.makeModel, makeModelWidth) << "  " << visits << "  "
                  << (summary.lastVisit ? visitTimeText(*summary.lastVisit) : "-") << '\n';
    }
}

int exportTo(const book::CarBook& book, const std::string& path)
{
    const book::ExportResult result = book::exportBook(book, params::pathFromUtf8(path));
    if (result.outcome == book::ExportOutcome::NotAFile) {
        tellRefusedOutput(path, "the export", result.target);
        return exitFileError;
    }
    if (result.outcome != book::ExportOutcome::Done) {
        std::cerr << "dravinor-cli: " << path << ": cannot write the export"
                  << (result.detail.empty() ? "" : " (" + result.detail + ")") << "; nothing written\n";
        return exitFileError;
    }
    std::cerr << "Exported " << plural(result.cars, "car", "cars") << " and "
              << plural(result.visits, "visit", "visits") << " to " << path << '\n';
    return exitSuccess;
}

int importFrom(book::CarBook& book, const std::string& path)
{
    const book::ImportResult result = book::importBook(book, params::pathFromUtf8(path));
    if (result.outcome != book::ImportOutcome::Imported) {
        std::cerr << "dravinor-cli: " << path << ": " << importProblemText(result) << "; nothing was imported\n";
        return exitFileError;
    }
    const auto& counts = result.counts;
    std::cout << "Took " << plural(counts.carsAdded, "new car", "new cars") << " and "
              << plural(counts.visitsAdded, "visit", "visits") << " from " << path << ".\n"
              << "Skipped " << plural(counts.visitsSkipped, "visit", "visits")
              << " already in the book (same car, time and read set); "
              << plural(counts.carsKnown, "car was", "cars were")
              << " known by registration and kept as the book has them.\n";
    return exitSuccess;
}

}  // namespace

int runCars(const CliOptions& options)
{
    if (options.has("--export") + options.has("--import") + options.has("--forget-current") > 1 ||
        ((options.has("--export") || options.has("--import") || options.has("--forget-current")) &&
         !options.arguments.empty()))
        return usageError("cars", "cars takes a search text, --export, --import or --forget-current, one at a time");
    if (options.has("--forget-current")) {
        if (!book::forgetCurrentCar(book::defaultBookPath())) {
            std::cerr << "dravinor-cli: cannot remove "
                      << params::utf8Text(book::currentCarPath(book::defaultBookPath())) << '\n';
            return exitFileError;
        }
        std::cerr << "No car is current now: read records no visit\n";
        return exitSuccess;
    }
    const auto exportPath = options.value("--export");
    // Nothing opened for an export that would be refused.
    if (exportPath && !outputAccepted(*exportPath, "the export"))
        return exitFileError;
    book::CarBook book;
    if (!openBookForCommand(book))
        return exitFileError;
    if (exportPath)
        return exportTo(book, *exportPath);
    if (const auto importPath = options.value("--import"))
        return importFrom(book, *importPath);

    const std::string text = options.arguments.empty() ? std::string() : options.arguments.front();
    const auto cars = book.findCars(text);
    if (cars.empty()) {
        std::cerr << (text.empty() ? std::string("The car book is empty") : "No car in the book matches '" + text + "'")
                  << " (dravinor-cli car REG --add --make-model TEXT adds one)\n";
        return exitSuccess;
    }
    listCars(cars);
    return exitSuccess;
}

}  // namespace dravinor::cli
