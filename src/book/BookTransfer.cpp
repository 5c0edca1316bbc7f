#include "book/BookTransfer.h"

#include "book/BookRows.h"
#include "book/Registration.h"
#include "book/Sqlite.h"

#include "params/DurableWrite.h"
#include "params/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace dravinor::book {

namespace fs = std::filesystem;

namespace {

ExportResult exportFailure(ExportOutcome outcome, params::SaveTarget target = {}, std::string detail = {})
{
    ExportResult result;
    result.outcome = outcome;
    result.target = std::move(target);
    result.detail = std::move(detail);
    return result;
}

ImportResult importFailure(ImportOutcome outcome, std::string detail = {}, JsonProblem problem = JsonProblem::None,
                           BookWrite write = BookWrite::Done)
{
    ImportResult result;
    result.outcome = outcome;
    result.problem = problem;
    result.write = write;
    result.detail = std::move(detail);
    return result;
}

std::vector<CarWithVisits> wholeBook(const CarBook& book)
{
    std::vector<CarWithVisits> cars;
    for (Car& car : book.cars()) {
        auto visits = book.visitsOf(car.id);
        // Oldest first in the file: the order they happened in.
        std::reverse(visits.begin(), visits.end());
        cars.push_back({std::move(car), std::move(visits)});
    }
    return cars;
}

// The whole file, or nullopt with why: the kind of file it is, or the system's words.
std::optional<std::string> readWhole(const fs::path& file, params::RegularFileError& kind, std::string& systemText)
{
    auto opened = params::openRegularFile(file, O_RDONLY);
    if (!opened.ok()) {
        kind = opened.error;
        systemText = opened.systemText;
        return std::nullopt;
    }
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(opened.fd.get(), buffer, sizeof buffer);
        if (n == 0)
            return text;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            kind = params::RegularFileError::CannotOpen;
            systemText = std::strerror(errno);
            return std::nullopt;
        }
        text.append(buffer, static_cast<std::size_t>(n));
    }
}

// The imported cars into the open transaction; SQLite's code.
int merge(sqlite3* db, std::vector<CarWithVisits>& cars, ImportCounts& counts)
{
    for (CarWithVisits& entry : cars) {
        if (const auto known = carByKey(db, registrationKey(entry.car.registration))) {
            entry.car.id = known->id;
            ++counts.carsKnown;
        } else {
            if (const int code = insertCar(db, entry.car); code != SQLITE_OK)
                return code;
            ++counts.carsAdded;
        }
        for (Visit& visit : entry.visits) {
            visit.carId = entry.car.id;
            if (visitExists(db, visit)) {
                ++counts.visitsSkipped;
                continue;
            }
            if (const int code = insertVisit(db, visit); code != SQLITE_OK)
                return code;
            ++counts.visitsAdded;
        }
    }
    return SQLITE_OK;
}

}  // namespace

ExportResult exportBook(const CarBook& book, const fs::path& file)
{
    ExportResult result;
    if (!book.isOpen())
        return exportFailure(ExportOutcome::BookClosed);
    result.target = params::examineSaveTarget(file);
    if (!result.target.savable()) {
        result.outcome = result.target.kind == params::SaveTargetKind::Unreachable ? ExportOutcome::CannotWrite
                                                                                   : ExportOutcome::NotAFile;
        result.detail = params::systemTextOf(result.target);
        return result;
    }
    const auto cars = wholeBook(book);
    for (const auto& entry : cars)
        result.visits += entry.visits.size();
    result.cars = cars.size();

    const fs::path target = result.target.file;
    if (const int error = params::replaceFileDurably(target, bookJson(cars)); error != 0)
        return exportFailure(ExportOutcome::CannotWrite, result.target, std::generic_category().message(error));
    return result;
}

ImportResult importBookText(CarBook& book, std::string_view text)
{
    if (!book.isOpen())
        return importFailure(ImportOutcome::BookClosed);
    ParsedBook parsed = parseBookJson(text);
    if (parsed.problem != JsonProblem::None)
        return importFailure(ImportOutcome::Malformed, parsed.where, parsed.problem);

    ImportResult result;
    Transaction transaction(book.handle());
    int code = transaction.began();
    if (code == SQLITE_OK)
        code = merge(book.handle(), parsed.cars, result.counts);
    if (code == SQLITE_OK)
        code = transaction.commit();
    if (code != SQLITE_OK)
        return importFailure(ImportOutcome::WriteFailed, sqlite3_errmsg(book.handle()), JsonProblem::None,
                             writeOutcome(code));
    return result;
}

ImportResult importBook(CarBook& book, const fs::path& file)
{
    if (!book.isOpen())
        return importFailure(ImportOutcome::BookClosed);
    params::RegularFileError kind = params::RegularFileError::None;
    std::string systemText;
    const auto text = readWhole(file, kind, systemText);
    if (!text) {
        ImportResult failed = importFailure(ImportOutcome::CannotRead, systemText);
        failed.fileError = kind;
        return failed;
    }
    return importBookText(book, *text);
}

}  // namespace dravinor::book
