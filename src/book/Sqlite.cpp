#include "book/Sqlite.h"

namespace dravinor::book {

Statement::Statement(sqlite3* db, std::string_view sql)
{
    prepared_ = sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &statement_, nullptr);
    if (prepared_ == SQLITE_OK && !statement_)
        prepared_ = SQLITE_MISUSE;  // no statement in the text
}

Statement::~Statement()
{
    sqlite3_finalize(statement_);
}

void Statement::bind(int index, std::int64_t value)
{
    sqlite3_bind_int64(statement_, index, value);
}

void Statement::bind(int index, std::string_view text)
{
    sqlite3_bind_text64(statement_, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
}

void Statement::bind(int index, const std::optional<std::int64_t>& value)
{
    if (value)
        bind(index, *value);
    else
        bindNull(index);
}

void Statement::bindBlob(int index, std::span<const std::uint8_t> bytes)
{
    // An empty blob is still a blob, not NULL: SQLite takes a null pointer as NULL.
    static constexpr std::uint8_t none = 0;
    sqlite3_bind_blob64(statement_, index, bytes.empty() ? &none : bytes.data(), bytes.size(), SQLITE_TRANSIENT);
}

void Statement::bindNull(int index)
{
    sqlite3_bind_null(statement_, index);
}

int Statement::step()
{
    return prepared_ == SQLITE_OK ? sqlite3_step(statement_) : prepared_;
}

void Statement::reset()
{
    sqlite3_reset(statement_);
}

bool Statement::isNull(int column) const
{
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

std::int64_t Statement::integer(int column) const
{
    return sqlite3_column_int64(statement_, column);
}

std::optional<std::int64_t> Statement::optionalInteger(int column) const
{
    return isNull(column) ? std::nullopt : std::optional(integer(column));
}

std::string Statement::text(int column) const
{
    const auto* chars = sqlite3_column_text(statement_, column);
    const int size = sqlite3_column_bytes(statement_, column);
    return chars ? std::string(reinterpret_cast<const char*>(chars), static_cast<std::size_t>(size)) : std::string();
}

std::vector<std::uint8_t> Statement::blob(int column) const
{
    const auto* bytes = static_cast<const std::uint8_t*>(sqlite3_column_blob(statement_, column));
    const int size = sqlite3_column_bytes(statement_, column);
    return bytes ? std::vector<std::uint8_t>(bytes, bytes + size) : std::vector<std::uint8_t>();
}

int execute(sqlite3* db, const char* sql)
{
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

std::optional<std::int64_t> queryInteger(sqlite3* db, const char* sql)
{
    Statement statement(db, sql);
    if (statement.step() != SQLITE_ROW)
        return std::nullopt;
    return statement.integer(0);
}

Transaction::Transaction(sqlite3* db) : db_(db), began_(execute(db, "BEGIN IMMEDIATE"))
{
    open_ = began_ == SQLITE_OK;
}

Transaction::~Transaction()
{
    if (open_)
        execute(db_, "ROLLBACK");
}

int Transaction::commit()
{
    const int code = execute(db_, "COMMIT");
    // A failed COMMIT (SQLITE_FULL, SQLITE_IOERR) leaves the transaction
    // open: the destructor rolls it back, so nothing half is kept.
    open_ = code != SQLITE_OK && sqlite3_get_autocommit(db_) == 0;
    return code;
}

}  // namespace dravinor::book
