#include "book/BookJson.h"

#include "book/Base64.h"
#include "book/Registration.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <limits>

namespace dravinor::book {

using nlohmann::json;

namespace {

constexpr const char* formatName = "dravinor-car-book";
constexpr int formatVersion = 1;
// A book is five levels deep; anything much deeper is no book, and is
// refused while parsing rather than built and walked.
constexpr int deepestLevel = 8;

json bytesOrNull(const std::optional<params::ParameterBlock>& set)
{
    return set ? json(toBase64(set->bytes())) : json(nullptr);
}

json visitJson(const Visit& visit)
{
    json entry = {{"time", visit.time},
                  {"odometer", visit.odometer ? json(*visit.odometer) : json(nullptr)},
                  {"controllerType", visit.controllerType},
                  {"firmware", visit.firmware},
                  {"readSet", bytesOrNull(visit.readSet)},
                  {"endSet", bytesOrNull(visit.endSet)},
                  {"adaptation", visit.adaptation ? json(*visit.adaptation) : json(nullptr)},
                  {"reportPdf", visit.reportPdf ? json(toBase64(*visit.reportPdf)) : json(nullptr)},
                  {"notes", visit.notes},
                  {"journal", nullptr}};
    if (visit.journal)
        entry["journal"] = {{"first", visit.journal->first}, {"last", visit.journal->last}};
    return entry;
}

// Reads one entry's fields, remembering the first that is wrong.
class FieldReader {
public:
    FieldReader(const json& entry, std::string where) : entry_(entry), where_(std::move(where)) {}

    bool ok() const { return bad_.empty(); }
    const std::string& bad() const { return bad_; }

    std::string text(const char* name, bool required = false)
    {
        const json* value = find(name);
        if (!value || value->is_null()) {
            if (required)
                fail(name);
            return {};
        }
        if (!value->is_string()) {
            fail(name);
            return {};
        }
        return value->get<std::string>();
    }

    std::optional<std::string> optionalText(const char* name)
    {
        const json* value = find(name);
        if (!value || value->is_null())
            return std::nullopt;
        return text(name);
    }

    std::optional<std::int64_t> integer(const char* name, bool required = false)
    {
        const json* value = find(name);
        if (!value || value->is_null()) {
            if (required)
                fail(name);
            return std::nullopt;
        }
        return integerOf(*value, name);
    }

    std::optional<std::int64_t> integerOf(const json& value, const std::string& name)
    {
        if (value.is_number_unsigned() && value.get<std::uint64_t>() <= std::numeric_limits<std::int64_t>::max())
            return static_cast<std::int64_t>(value.get<std::uint64_t>());
        if (value.is_number_integer() && !value.is_number_unsigned())
            return value.get<std::int64_t>();
        fail(name);
        return std::nullopt;
    }

    std::optional<std::vector<std::uint8_t>> bytes(const char* name)
    {
        const auto encoded = optionalText(name);
        if (!encoded)
            return std::nullopt;
        auto decoded = fromBase64(*encoded);
        if (!decoded)
            fail(name);
        return decoded;
    }

    std::optional<params::ParameterBlock> set(const char* name)
    {
        const auto decoded = bytes(name);
        if (!decoded)
            return std::nullopt;
        params::ParameterBlock block;
        if (decoded->size() != block.bytes().size()) {
            fail(name);
            return std::nullopt;
        }
        std::copy(decoded->begin(), decoded->end(), block.bytes().begin());
        return block;
    }

    std::optional<JournalRange> journal()
    {
        const json* value = find("journal");
        if (!value || value->is_null())
            return std::nullopt;
        if (!value->is_object() || !value->contains("first") || !value->contains("last")) {
            fail("journal");
            return std::nullopt;
        }
        const auto first = integerOf((*value)["first"], "journal.first");
        const auto last = integerOf((*value)["last"], "journal.last");
        if (!first || !last)
            return std::nullopt;
        if (*first > *last) {
            fail("journal");
            return std::nullopt;
        }
        return JournalRange{*first, *last};
    }

    void fail(const std::string& name)
    {
        if (bad_.empty())
            bad_ = where_ + "." + name;
    }

private:
    const json* find(const char* name) const
    {
        const auto it = entry_.find(name);
        return it == entry_.end() ? nullptr : &*it;
    }

    const json& entry_;
    std::string where_;
    std::string bad_;
};

Visit visitFrom(FieldReader& fields)
{
    Visit visit;
    visit.time = fields.integer("time", true).value_or(0);
    visit.odometer = fields.integer("odometer");
    visit.controllerType = fields.text("controllerType");
    visit.firmware = fields.text("firmware");
    visit.readSet = fields.set("readSet");
    visit.endSet = fields.set("endSet");
    visit.adaptation = fields.optionalText("adaptation");
    visit.reportPdf = fields.bytes("reportPdf");
    visit.notes = fields.text("notes");
    visit.journal = fields.journal();
    return visit;
}

// One car and its visits; `where` names the first bad field when there is one.
std::optional<CarWithVisits> carFrom(const json& entry, const std::string& at, std::string& where)
{
    if (!entry.is_object()) {
        where = at;
        return std::nullopt;
    }
    FieldReader fields(entry, at);
    CarWithVisits car;
    car.car.registration = fields.text("registration", true);
    if (fields.ok() && registrationKey(car.car.registration).empty())
        fields.fail("registration");
    car.car.makeModel = fields.text("makeModel");
    car.car.vin = fields.text("vin");
    car.car.notes = fields.text("notes");
    const auto visits = entry.find("visits");
    if (visits != entry.end() && !visits->is_null() && !visits->is_array())
        fields.fail("visits");
    if (!fields.ok()) {
        where = fields.bad();
        return std::nullopt;
    }
    if (visits == entry.end() || visits->is_null())
        return car;
    for (std::size_t v = 0; v < visits->size(); ++v) {
        const std::string visitAt = at + ".visits[" + std::to_string(v) + "]";
        const json& visitEntry = (*visits)[v];
        if (!visitEntry.is_object()) {
            where = visitAt;
            return std::nullopt;
        }
        FieldReader visitFields(visitEntry, visitAt);
        car.visits.push_back(visitFrom(visitFields));
        if (!visitFields.ok()) {
            where = visitFields.bad();
            return std::nullopt;
        }
    }
    return car;
}

}  // namespace

std::string bookJson(const std::vector<CarWithVisits>& cars)
{
    json list = json::array();
    for (const CarWithVisits& entry : cars) {
        json visits = json::array();
        for (const Visit& visit : entry.visits)
            visits.push_back(visitJson(visit));
        list.push_back({{"registration", entry.car.registration},
                        {"makeModel", entry.car.makeModel},
                        {"vin", entry.car.vin},
                        {"notes", entry.car.notes},
                        {"visits", std::move(visits)}});
    }
    const json book = {{"format", formatName}, {"version", formatVersion}, {"cars", std::move(list)}};
    // Text typed in another encoding is kept as well as JSON can: its stray
    // bytes become U+FFFD rather than costing the whole export.
    return book.dump(1, ' ', false, json::error_handler_t::replace) + "\n";
}

ParsedBook parseBookJson(std::string_view text)
{
    bool tooDeep = false;
    const json::parser_callback_t depthGuard = [&tooDeep](int depth, json::parse_event_t, json&) {
        if (depth > deepestLevel)
            tooDeep = true;
        return !tooDeep;
    };
    const json document = json::parse(text.begin(), text.end(), depthGuard, false);
    if (tooDeep || document.is_discarded())
        return {JsonProblem::NotJson, {}, {}};
    if (!document.is_object() || document.value("format", json()) != formatName)
        return {JsonProblem::NotABook, {}, {}};
    const auto version = document.find("version");
    if (version == document.end() || !version->is_number_integer() || version->get<std::int64_t>() < 1)
        return {JsonProblem::NotABook, "version", {}};
    if (version->get<std::int64_t>() > formatVersion)
        return {JsonProblem::NewerFormat, {}, {}};
    const auto cars = document.find("cars");
    if (cars == document.end() || !cars->is_array())
        return {JsonProblem::BadEntry, "cars", {}};

    ParsedBook parsed;
    for (std::size_t c = 0; c < cars->size(); ++c) {
        std::string where;
        auto car = carFrom((*cars)[c], "cars[" + std::to_string(c) + "]", where);
        if (!car)
            return {JsonProblem::BadEntry, where, {}};
        parsed.cars.push_back(std::move(*car));
    }
    return parsed;
}

}  // namespace dravinor::book
