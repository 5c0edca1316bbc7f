#include "book/CarBook.h"

#include "book/BookFile.h"
#include "book/BookRows.h"
#include "book/Registration.h"
#include "book/Schema.h"
#include "book/Sqlite.h"

#include "params/PathText.h"

#include <sqlite3.h>

#include <unistd.h>

namespace dravinor::book {

namespace fs = std::filesystem;

namespace {

// The window and the command line share the book: a writer waits this long
// for the other to finish before giving up with Busy.
constexpr int busyTimeoutMs = 3000;

enum class Trouble { None, Damaged, Other };

Trouble troubleOf(int code)
{
    if (code == SQLITE_OK || code == SQLITE_ROW || code == SQLITE_DONE)
        return Trouble::None;
    const int primary = code & 0xFF;
    return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT ? Trouble::Damaged : Trouble::Other;
}

BookOpen outcomeOf(int code, const fs::path& file)
{
    switch (code & 0xFF) {
    case SQLITE_FULL: return BookOpen::DiskFull;
    case SQLITE_READONLY:
    case SQLITE_PERM: return BookOpen::ReadOnly;
    case SQLITE_CANTOPEN:
        // SQLite cannot tell a forbidden folder from a missing one.
        return ::access(file.parent_path().c_str(), W_OK) != 0 ? BookOpen::ReadOnly : BookOpen::CannotOpen;
    default: return BookOpen::CannotOpen;
    }
}

// SQLITE_OK when the check found nothing wrong ("ok" is its one row);
// SQLITE_CORRUPT when it found something; else why it could not check. A
// check that could not run (another program busy with the book, no memory)
// says nothing of the file and must never move it aside.
int quickCheck(sqlite3* db)
{
    // Read through a mapping of the file, not copied page by page into the
    // cache: twice as fast on a large book. Only for the check: a file cut
    // short under a mapping stops the program (SIGBUS) where a read returns
    // an error, so the mapping ends with it.
    execute(db, "PRAGMA mmap_size = 1073741824");
    const int code = [db] {
        Statement check(db, "PRAGMA quick_check");
        const int step = check.step();
        if (step != SQLITE_ROW)
            return step == SQLITE_DONE ? SQLITE_CORRUPT : step;
        return check.text(0) == "ok" ? SQLITE_OK : SQLITE_CORRUPT;
    }();
    execute(db, "PRAGMA mmap_size = 0");
    return code;
}

}  // namespace

CarBook::~CarBook()
{
    close();
}

void CarBook::close()
{
    if (!db_)
        return;
    const bool writable = sqlite3_db_readonly(db_, "main") == 0;
    // The last one to close folds the write-ahead log into the file, which
    // is only then at the size the next opening compares with.
    sqlite3_close_v2(db_);
    db_ = nullptr;
    std::error_code error;
    const auto size = fs::file_size(file_, error);
    if (writable && !error && recordedSize(file_) != size)
        recordSize(file_, size);
}

OpenResult CarBook::open(const fs::path& file)
{
    close();
    file_ = file;
    std::error_code error;
    if (const fs::path folder = file.parent_path(); !folder.empty()) {
        fs::create_directories(folder, error);
        if (error || !fs::is_directory(folder))
            return {BookOpen::CannotMakeFolder, error.message()};
    }
    const auto status = fs::status(file, error);
    const bool existed = fs::exists(status);
    if (existed && !fs::is_regular_file(status))
        return {BookOpen::NotAFile, {}};

    OpenResult result = openFile(existed);
    if (result.outcome != BookOpen::DamagedReplaced)
        return result;
    // Damaged: kept under a dated name, and a new book begins.
    const fs::path aside = damagedPath(file, std::time(nullptr));
    if (!moveAside(file, aside))
        return {BookOpen::DamagedStuck, params::utf8Text(aside)};
    result = openFile(false);
    if (result.outcome == BookOpen::Created)
        result = {BookOpen::DamagedReplaced, params::utf8Text(aside)};
    return result;
}

// Opens the file as it is. A damaged one is closed again and said to be
// DamagedReplaced, for open() to move it aside.
OpenResult CarBook::openFile(bool existed)
{
    constexpr int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    // SQLite takes a file's name as UTF-8 on every system.
    int code = sqlite3_open_v2(params::utf8Text(file_).c_str(), &db_, flags, nullptr);
    const auto fail = [this, &code](BookOpen outcome) {
        OpenResult failed{outcome, db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(code)};
        sqlite3_close_v2(db_);
        db_ = nullptr;
        return failed;
    };
    if (code != SQLITE_OK)
        return fail(outcomeOf(code, file_));
    sqlite3_busy_timeout(db_, busyTimeoutMs);
    registerSearchFold(db_);
    if (sqlite3_db_readonly(db_, "main") == 1)
        return fail(BookOpen::ReadOnly);

    // The first read of the file: a file that is no database says so here.
    code = execute(db_, "PRAGMA journal_mode = WAL");
    if (troubleOf(code) == Trouble::Damaged)
        return fail(BookOpen::DamagedReplaced);
    if (code != SQLITE_OK)
        return fail(outcomeOf(code, file_));
    std::error_code error;
    const auto size = fs::file_size(file_, error);
    if (existed && (error || recordedSize(file_) != size)) {
        code = quickCheck(db_);
        if (troubleOf(code) == Trouble::Damaged)
            return fail(BookOpen::DamagedReplaced);
        if (code != SQLITE_OK)
            return fail(outcomeOf(code, file_));
    }
    // FULL: a visit recorded is on the disk when the write returns, power cut or not.
    execute(db_, "PRAGMA synchronous = FULL");
    execute(db_, "PRAGMA foreign_keys = ON");

    const auto version = bookVersion(db_);
    if (!version)
        return fail(troubleOf(sqlite3_errcode(db_)) == Trouble::Damaged ? BookOpen::DamagedReplaced
                                                                        : outcomeOf(sqlite3_errcode(db_), file_));
    if (*version > latestVersion())
        return fail(BookOpen::NewerBook);
    if (*version < latestVersion())
        if (code = migrate(db_); code != SQLITE_OK)
            return fail(troubleOf(code) == Trouble::Damaged ? BookOpen::DamagedReplaced : outcomeOf(code, file_));
    return {existed ? BookOpen::Opened : BookOpen::Created, {}};
}

std::vector<CarSummary> CarBook::findCars(std::string_view text, std::size_t limit) const
{
    return db_ ? matchingCars(db_, text, limit) : std::vector<CarSummary>();
}

std::optional<Car> CarBook::carByRegistration(std::string_view registration) const
{
    const std::string key = registrationKey(registration);
    return db_ && !key.empty() ? carByKey(db_, key) : std::nullopt;
}

std::vector<Car> CarBook::cars() const
{
    return db_ ? allCars(db_) : std::vector<Car>();
}

BookWrite CarBook::addCar(Car& car)
{
    if (registrationKey(car.registration).empty())
        return BookWrite::EmptyRegistration;
    if (!db_)
        return BookWrite::Failed;
    Transaction transaction(db_);
    if (transaction.began() != SQLITE_OK)
        return writeOutcome(transaction.began());
    if (carByKey(db_, registrationKey(car.registration)))
        return BookWrite::DuplicateCar;
    Car added = car;
    if (const int code = insertCar(db_, added); code != SQLITE_OK)
        return writeOutcome(code);
    if (const int code = transaction.commit(); code != SQLITE_OK)
        return writeOutcome(code);
    car.id = added.id;
    return BookWrite::Done;
}

std::vector<Visit> CarBook::visitsOf(std::int64_t carId) const
{
    return db_ ? visitsOfCar(db_, carId) : std::vector<Visit>();
}

BookWrite CarBook::addVisit(Visit& visit)
{
    if (!db_)
        return BookWrite::Failed;
    Transaction transaction(db_);
    if (transaction.began() != SQLITE_OK)
        return writeOutcome(transaction.began());
    Visit added = visit;
    if (const int code = insertVisit(db_, added); code != SQLITE_OK)
        return (code & 0xFF) == SQLITE_CONSTRAINT ? BookWrite::NoSuchCar : writeOutcome(code);
    if (const int code = transaction.commit(); code != SQLITE_OK)
        return writeOutcome(code);
    visit.id = added.id;
    return BookWrite::Done;
}

BookWrite CarBook::updateVisit(const Visit& visit)
{
    if (!db_)
        return BookWrite::Failed;
    Transaction transaction(db_);
    if (transaction.began() != SQLITE_OK)
        return writeOutcome(transaction.began());
    if (const int code = updateVisitRow(db_, visit); code != SQLITE_OK)
        return writeOutcome(code);
    return writeOutcome(transaction.commit());
}

}  // namespace dravinor::book
