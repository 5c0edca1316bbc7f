#include "book/Schema.h"

#include "book/Sqlite.h"

#include <string>

namespace dravinor::book {

namespace {

// Version 1: cars and their visits. A set is the controller's 64-byte
// image; the registration key is unique, the registration kept as typed.
constexpr const char* firstLayout = R"sql(
CREATE TABLE car (
    id INTEGER PRIMARY KEY,
    registration TEXT NOT NULL,
    registration_key TEXT NOT NULL UNIQUE CHECK (registration_key <> ''),
    make_model TEXT NOT NULL DEFAULT '',
    vin TEXT NOT NULL DEFAULT '',
    notes TEXT NOT NULL DEFAULT ''
);
CREATE TABLE visit (
    id INTEGER PRIMARY KEY,
    car_id INTEGER NOT NULL REFERENCES car (id) ON DELETE CASCADE,
    time INTEGER NOT NULL,
    odometer INTEGER,
    controller_type TEXT NOT NULL DEFAULT '',
    firmware TEXT NOT NULL DEFAULT '',
    read_set BLOB CHECK (read_set IS NULL OR length(read_set) = 64),
    end_set BLOB CHECK (end_set IS NULL OR length(end_set) = 64),
    adaptation TEXT,
    report_pdf BLOB,
    notes TEXT NOT NULL DEFAULT '',
    journal_first INTEGER,
    journal_last INTEGER,
    CHECK ((journal_first IS NULL) = (journal_last IS NULL))
);
CREATE INDEX visit_by_car_and_time ON visit (car_id, time DESC);
)sql";

constexpr Migration layoutSteps[] = {
    {1, firstLayout},
};

}  // namespace

std::span<const Migration> migrations()
{
    return layoutSteps;
}

int latestVersion()
{
    return layoutSteps[std::size(layoutSteps) - 1].version;
}

std::optional<int> bookVersion(sqlite3* db)
{
    const auto version = queryInteger(db, "PRAGMA user_version");
    return version ? std::optional(static_cast<int>(*version)) : std::nullopt;
}

int migrate(sqlite3* db)
{
    return migrate(db, layoutSteps);
}

int migrate(sqlite3* db, std::span<const Migration> steps)
{
    for (const Migration& step : steps) {
        Transaction transaction(db);
        if (transaction.began() != SQLITE_OK)
            return transaction.began();
        // Read inside the write lock: another program may have just taken this step.
        const auto version = bookVersion(db);
        if (!version)
            return sqlite3_errcode(db);
        if (*version >= step.version)
            continue;
        if (const int code = execute(db, step.sql); code != SQLITE_OK)
            return code;
        const std::string setVersion = "PRAGMA user_version = " + std::to_string(step.version);
        if (const int code = execute(db, setVersion.c_str()); code != SQLITE_OK)
            return code;
        if (const int code = transaction.commit(); code != SQLITE_OK)
            return code;
    }
    return SQLITE_OK;
}

}  // namespace dravinor::book
