#include "book/BookRows.h"

#include "book/Registration.h"
#include "book/Sqlite.h"
#include "book/TextFold.h"

#include <algorithm>
#include <cstring>

namespace dravinor::book {

namespace {

constexpr const char* visitColumns = "id, car_id, time, odometer, controller_type, firmware, read_set, end_set, "
                                     "adaptation, report_pdf, notes, journal_first, journal_last";

void bindSet(Statement& statement, int index, const std::optional<params::ParameterBlock>& set)
{
    if (set)
        statement.bindBlob(index, set->bytes());
    else
        statement.bindNull(index);
}

std::optional<params::ParameterBlock> setColumn(const Statement& statement, int column)
{
    if (statement.isNull(column))
        return std::nullopt;
    const auto bytes = statement.blob(column);
    params::ParameterBlock set;
    std::copy_n(bytes.begin(), std::min(bytes.size(), set.bytes().size()), set.bytes().begin());
    return set;
}

// The visit's columns after id and car_id, from parameter `first` on.
void bindVisitFields(Statement& statement, const Visit& visit, int first)
{
    statement.bind(first, visit.time);
    statement.bind(first + 1, visit.odometer);
    statement.bind(first + 2, visit.controllerType);
    statement.bind(first + 3, visit.firmware);
    bindSet(statement, first + 4, visit.readSet);
    bindSet(statement, first + 5, visit.endSet);
    if (visit.adaptation)
        statement.bind(first + 6, std::string_view(*visit.adaptation));
    else
        statement.bindNull(first + 6);
    if (visit.reportPdf)
        statement.bindBlob(first + 7, *visit.reportPdf);
    else
        statement.bindNull(first + 7);
    statement.bind(first + 8, visit.notes);
    statement.bind(first + 9, visit.journal ? std::optional(visit.journal->first) : std::nullopt);
    statement.bind(first + 10, visit.journal ? std::optional(visit.journal->last) : std::nullopt);
}

Visit visitRow(const Statement& row)
{
    Visit visit;
    visit.id = row.integer(0);
    visit.carId = row.integer(1);
    visit.time = row.integer(2);
    visit.odometer = row.optionalInteger(3);
    visit.controllerType = row.text(4);
    visit.firmware = row.text(5);
    visit.readSet = setColumn(row, 6);
    visit.endSet = setColumn(row, 7);
    if (!row.isNull(8))
        visit.adaptation = row.text(8);
    if (!row.isNull(9))
        visit.reportPdf = row.blob(9);
    visit.notes = row.text(10);
    if (!row.isNull(11) && !row.isNull(12))
        visit.journal = JournalRange{row.integer(11), row.integer(12)};
    return visit;
}

Car carRow(const Statement& row, int first = 0)
{
    return {row.integer(first), row.text(first + 1), row.text(first + 2), row.text(first + 3), row.text(first + 4)};
}

// LIKE's own wildcards in a user's text match only themselves.
std::string likePattern(std::string_view text)
{
    std::string pattern = "%";
    for (const char c : text) {
        if (c == '%' || c == '_' || c == '\\')
            pattern += '\\';
        pattern += c;
    }
    return pattern + "%";
}

void searchFold(sqlite3_context* context, int, sqlite3_value** arguments)
{
    const auto* text = sqlite3_value_text(arguments[0]);
    if (!text) {
        sqlite3_result_null(context);
        return;
    }
    const std::string folded = foldedForSearch(
        {reinterpret_cast<const char*>(text), static_cast<std::size_t>(sqlite3_value_bytes(arguments[0]))});
    sqlite3_result_text(context, folded.data(), static_cast<int>(folded.size()), SQLITE_TRANSIENT);
}

}  // namespace

int registerSearchFold(sqlite3* db)
{
    return sqlite3_create_function_v2(db, "search_fold", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, searchFold,
                                      nullptr, nullptr, nullptr);
}

int insertCar(sqlite3* db, Car& car)
{
    Statement insert(db, "INSERT INTO car (registration, registration_key, make_model, vin, notes) "
                         "VALUES (?1, ?2, ?3, ?4, ?5)");
    insert.bind(1, car.registration);
    insert.bind(2, registrationKey(car.registration));
    insert.bind(3, car.makeModel);
    insert.bind(4, car.vin);
    insert.bind(5, car.notes);
    const int code = insert.step();
    if (code != SQLITE_DONE)
        return code;
    car.id = sqlite3_last_insert_rowid(db);
    return SQLITE_OK;
}

int insertVisit(sqlite3* db, Visit& visit)
{
    Statement insert(db, "INSERT INTO visit (car_id, time, odometer, controller_type, firmware, read_set, end_set, "
                         "adaptation, report_pdf, notes, journal_first, journal_last) "
                         "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12)");
    insert.bind(1, visit.carId);
    bindVisitFields(insert, visit, 2);
    const int code = insert.step();
    if (code != SQLITE_DONE)
        return code;
    visit.id = sqlite3_last_insert_rowid(db);
    return SQLITE_OK;
}

int updateVisitRow(sqlite3* db, const Visit& visit)
{
    // The car a visit belongs to never changes.
    Statement update(db, "UPDATE visit SET time = ?2, odometer = ?3, controller_type = ?4, firmware = ?5, "
                         "read_set = ?6, end_set = ?7, adaptation = ?8, report_pdf = ?9, notes = ?10, "
                         "journal_first = ?11, journal_last = ?12 WHERE id = ?1 AND car_id = ?13");
    update.bind(1, visit.id);
    update.bind(13, visit.carId);
    bindVisitFields(update, visit, 2);
    const int code = update.step();
    if (code != SQLITE_DONE)
        return code;
    return sqlite3_changes(db) == 1 ? SQLITE_OK : SQLITE_NOTFOUND;
}

std::optional<Car> carByKey(sqlite3* db, std::string_view key)
{
    Statement query(db, "SELECT id, registration, make_model, vin, notes FROM car WHERE registration_key = ?1");
    query.bind(1, key);
    if (query.step() != SQLITE_ROW)
        return std::nullopt;
    return carRow(query);
}

std::vector<Car> allCars(sqlite3* db)
{
    Statement query(db, "SELECT id, registration, make_model, vin, notes FROM car ORDER BY registration_key");
    std::vector<Car> cars;
    while (query.step() == SQLITE_ROW)
        cars.push_back(carRow(query));
    return cars;
}

std::vector<Visit> visitsOfCar(sqlite3* db, std::int64_t carId)
{
    Statement query(db, std::string("SELECT ") + visitColumns +
                            " FROM visit WHERE car_id = ?1 ORDER BY time DESC, id DESC");
    query.bind(1, carId);
    std::vector<Visit> visits;
    while (query.step() == SQLITE_ROW)
        visits.push_back(visitRow(query));
    return visits;
}

bool visitExists(sqlite3* db, const Visit& visit)
{
    Statement query(db, "SELECT 1 FROM visit WHERE car_id = ?1 AND time = ?2 AND read_set IS ?3");
    query.bind(1, visit.carId);
    query.bind(2, visit.time);
    bindSet(query, 3, visit.readSet);
    return query.step() == SQLITE_ROW;
}

std::vector<CarSummary> matchingCars(sqlite3* db, std::string_view text, std::size_t limit)
{
    Statement query(
        db, "SELECT c.id, c.registration, c.make_model, c.vin, c.notes, "
            "(SELECT count(*) FROM visit WHERE car_id = c.id), "
            "(SELECT max(time) FROM visit WHERE car_id = c.id) "
            "FROM car c WHERE c.registration_key LIKE ?1 ESCAPE '\\' OR search_fold(c.make_model) LIKE ?2 ESCAPE '\\' "
            "ORDER BY c.registration_key NOT LIKE ?3 ESCAPE '\\', c.registration_key LIMIT ?4");
    const std::string key = registrationKey(text);
    const std::string keyPattern = likePattern(key);
    query.bind(1, std::string_view(keyPattern));
    query.bind(2, std::string_view(likePattern(foldedForSearch(text))));
    query.bind(3, std::string_view(keyPattern).substr(1));  // the key at the start
    query.bind(4, limit == 0 ? std::int64_t{-1} : static_cast<std::int64_t>(limit));
    std::vector<CarSummary> cars;
    while (query.step() == SQLITE_ROW)
        cars.push_back({carRow(query), static_cast<int>(query.integer(5)), query.optionalInteger(6)});
    return cars;
}

BookWrite writeOutcome(int code)
{
    switch (code & 0xFF) {
    case SQLITE_OK:
    case SQLITE_DONE: return BookWrite::Done;
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return BookWrite::Busy;
    case SQLITE_FULL: return BookWrite::DiskFull;
    case SQLITE_READONLY:
    case SQLITE_PERM: return BookWrite::ReadOnly;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return BookWrite::Damaged;
    case SQLITE_NOTFOUND: return BookWrite::NoSuchVisit;
    default: return BookWrite::Failed;
    }
}

}  // namespace dravinor::book
