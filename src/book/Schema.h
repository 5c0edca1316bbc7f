#pragma once

#include <sqlite3.h>

#include <optional>
#include <span>

namespace dravinor::book {

// One step of the book's layout: the SQL that takes a book of the version
// before it to `version`. Steps are only ever added, never changed, so any
// older book can be brought up to date.
struct Migration {
    int version;
    const char* sql;
};

std::span<const Migration> migrations();
int latestVersion();

// PRAGMA user_version: the last step a book has had; nullopt when it cannot be read.
std::optional<int> bookVersion(sqlite3* db);

// Runs the steps a book lacks, each in a transaction of its own with the
// version it reaches, so a book stopped half-way is at a whole version.
// SQLite's result code.
int migrate(sqlite3* db);
int migrate(sqlite3* db, std::span<const Migration> steps);

}  // namespace dravinor::book
