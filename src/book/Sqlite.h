#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dravinor::book {

// A thin hold on SQLite's C API: statements that finalize themselves and a
// transaction that rolls back unless committed. Result codes are SQLite's own.

class Statement {
public:
    Statement(sqlite3* db, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // SQLITE_OK when the statement was prepared; any step of a statement
    // that was not returns this code again.
    int prepared() const { return prepared_; }

    // Parameters count from 1, as in SQLite.
    void bind(int index, std::int64_t value);
    void bind(int index, std::string_view text);
    void bind(int index, const std::optional<std::int64_t>& value);
    void bindBlob(int index, std::span<const std::uint8_t> bytes);
    void bindNull(int index);

    // SQLITE_ROW, SQLITE_DONE or an error.
    int step();
    void reset();

    // Columns count from 0.
    bool isNull(int column) const;
    std::int64_t integer(int column) const;
    std::optional<std::int64_t> optionalInteger(int column) const;
    std::string text(int column) const;
    std::vector<std::uint8_t> blob(int column) const;

private:
    sqlite3_stmt* statement_ = nullptr;
    int prepared_ = SQLITE_OK;
};

// Runs statements that return no rows; SQLite's result code.
int execute(sqlite3* db, const char* sql);

// One statement's single integer (a PRAGMA's value, a count); nullopt on error.
std::optional<std::int64_t> queryInteger(sqlite3* db, const char* sql);

// BEGIN IMMEDIATE: the write lock is taken at once, so two writers wait
// for each other (busy timeout) instead of failing at their first write.
class Transaction {
public:
    explicit Transaction(sqlite3* db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    int began() const { return began_; }
    int commit();

private:
    sqlite3* db_;
    int began_;
    bool open_ = false;
};

}  // namespace dravinor::book
