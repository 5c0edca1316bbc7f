#include "params/JournalEntry.h"

#include "link/ControllerIdentity.h"

#include <charconv>
#include <cstdio>
#include <ctime>
#include <vector>

namespace dravinor::params {

namespace {

constexpr std::size_t fieldCount = 15;           // the fields every line has
constexpr std::size_t setFingerprintField = 15;  // the optional 16th

std::string clean(std::string_view value)
{
    std::string text(value);
    for (char& c : text)
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    return text;
}

std::optional<unsigned> parseNumber(std::string_view text, unsigned max)
{
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() || value > max)
        return std::nullopt;
    return value;
}

bool isSetFingerprint(std::string_view text)
{
    return text.size() == 8 && text.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

constexpr std::pair<JournalKind, std::string_view> kindNames[] = {
    {JournalKind::Write, "write"}, {JournalKind::Eeprom, "eeprom"},
    {JournalKind::Bulk, "bulk"},   {JournalKind::WriteAll, "write-all"},
    {JournalKind::Reset, "reset"}, {JournalKind::AdaptationReset, "adaptation-reset"},
};
constexpr std::pair<WriteSource, std::string_view> sourceNames[] = {
    {WriteSource::Field, "field"}, {WriteSource::File, "file"}, {WriteSource::Wizard, "wizard"},
    {WriteSource::Undo, "undo"},   {WriteSource::Cli, "cli"},
};

template <typename Enum, std::size_t N>
std::string_view nameIn(const std::pair<Enum, std::string_view> (&names)[N], Enum value)
{
    for (const auto& [known, name] : names)
        if (known == value)
            return name;
    return {};
}

template <typename Enum, std::size_t N>
Enum namedIn(const std::pair<Enum, std::string_view> (&names)[N], std::string_view name)
{
    for (const auto& [known, text] : names)
        if (text == name)
            return known;
    return Enum::Other;
}

}  // namespace

std::string_view journalKindName(JournalKind kind)
{
    return nameIn(kindNames, kind);
}

std::string_view writeSourceName(WriteSource source)
{
    return nameIn(sourceNames, source);
}

JournalKind journalKindNamed(std::string_view name)
{
    return namedIn(kindNames, name);
}

WriteSource writeSourceNamed(std::string_view name)
{
    return namedIn(sourceNames, name);
}

std::string JournalEntry::kindText() const
{
    return kind == JournalKind::Other ? otherKind : std::string(journalKindName(kind));
}

std::string JournalEntry::sourceText() const
{
    return source == WriteSource::Other ? otherSource : std::string(writeSourceName(source));
}

namespace {

struct UtcTime {
    int year, month, day, hour, minute, second;
};

// The leading "YYYY-MM-DDThh:mm:ss" of a stored time, checked field by field.
std::optional<UtcTime> parseUtcTime(std::string_view text)
{
    if (text.size() < 19 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' || text[16] != ':')
        return std::nullopt;
    const auto number = [text](std::size_t start, std::size_t length) -> std::optional<int> {
        int value = 0;
        for (std::size_t i = start; i < start + length; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return std::nullopt;
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    const auto year = number(0, 4), month = number(5, 2), day = number(8, 2);
    const auto hour = number(11, 2), minute = number(14, 2), second = number(17, 2);
    if (!year || !month || !day || !hour || !minute || !second)
        return std::nullopt;
    static constexpr int monthDays[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (*year % 4 == 0 && *year % 100 != 0) || *year % 400 == 0;
    if (*month < 1 || *month > 12 || *day < 1 || *day > monthDays[*month - 1] || (*month == 2 && *day == 29 && !leap) ||
        *hour > 23 || *minute > 59 || *second > 60)
        return std::nullopt;
    return UtcTime{*year, *month, *day, *hour, *minute, *second};
}

}  // namespace

bool journalTimeValid(const std::string& utcTime)
{
    return parseUtcTime(utcTime).has_value();
}

namespace {

std::optional<std::time_t> utcSeconds(const std::string& utcTime)
{
    const auto time = parseUtcTime(utcTime);
    if (!time)
        return std::nullopt;
    std::tm utc{};
    utc.tm_year = time->year - 1900;
    utc.tm_mon = time->month - 1;
    utc.tm_mday = time->day;
    utc.tm_hour = time->hour;
    utc.tm_min = time->minute;
    utc.tm_sec = time->second;
    const std::time_t seconds = ::timegm(&utc);
    if (seconds == static_cast<std::time_t>(-1))
        return std::nullopt;
    return seconds;
}

}  // namespace

std::optional<std::int64_t> journalTimeMilliseconds(const std::string& utcTime)
{
    const auto seconds = utcSeconds(utcTime);
    if (!seconds)
        return std::nullopt;
    // ".123Z": up to three digits count; a missing or shorter fraction is read as zeros.
    int millis = 0;
    int digits = 0;
    if (utcTime.size() > 19 && utcTime[19] == '.') {
        for (std::size_t i = 20; i < utcTime.size() && digits < 3 && utcTime[i] >= '0' && utcTime[i] <= '9'; ++i) {
            millis = millis * 10 + (utcTime[i] - '0');
            ++digits;
        }
    }
    for (; digits < 3; ++digits)
        millis *= 10;
    return static_cast<std::int64_t>(*seconds) * 1000 + millis;
}

std::string journalLocalTime(const std::string& utcTime)
{
    const auto seconds = utcSeconds(utcTime);
    std::tm local{};
    if (!seconds || !::localtime_r(&*seconds, &local))
        return utcTime;
    char text[80];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

std::string journalBackupName(const JournalEntry& entry)
{
    if (entry.address != 0 || entry.isSingleWrite())
        return {};
    const std::size_t mark = entry.note.rfind(journalBackupMark);
    if (mark == std::string::npos)
        return {};
    const std::string name = entry.note.substr(mark + journalBackupMark.size());
    // The name is the note's last word.
    return name.find(' ') == std::string::npos ? name : std::string();
}

std::string journalValueText(const std::string& shown, std::optional<unsigned> raw)
{
    if (!raw)
        return "?";
    // Appended piece by piece: GCC 12 at -O3 takes "[" + string for an
    // overlapping copy and warns (-Wrestrict), falsely.
    std::string stored = "[";
    stored += std::to_string(*raw);
    stored += ']';
    return shown.empty() ? stored : shown + " " + stored;
}

std::string formatJournalLine(const JournalEntry& e)
{
    const std::string fields[fieldCount] = {
        std::string(journalLineTag),
        clean(e.time),
        clean(e.port),
        clean(e.controller),
        clean(e.kindText()),
        clean(e.sourceText()),
        std::to_string(e.address),
        std::to_string(e.lastAddress),
        clean(e.field),
        e.oldRaw ? std::to_string(*e.oldRaw) : std::string(),
        std::to_string(e.newRaw),
        clean(e.oldShown),
        clean(e.newShown),
        e.acknowledged ? "ok" : "failed",
        clean(e.note),
    };
    std::string line;
    for (std::size_t i = 0; i < fieldCount; ++i) {
        if (i > 0)
            line += '\t';
        line += fields[i];
    }
    // Written only when known, so lines without it stay as they always were.
    if (!e.controllerSet.empty())
        line += '\t' + clean(e.controllerSet);
    return line;
}

std::optional<JournalEntry> parseJournalLine(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    std::vector<std::string_view> f;
    std::size_t start = 0;
    while (f.size() < setFingerprintField + 2) {
        const std::size_t tab = line.find('\t', start);
        f.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos)
            break;
        start = tab + 1;
    }
    if (f.size() < fieldCount || f.size() > setFingerprintField + 1 ||
        (f.size() > setFingerprintField && !isSetFingerprint(f[setFingerprintField])) ||
        (f[0] != journalLineTag && f[0] != firmwareFirstLineTag) || f[1].empty() || f[4].empty())
        return std::nullopt;
    const auto address = parseNumber(f[6], 35);
    const auto lastAddress = parseNumber(f[7], 35);
    const auto newRaw = parseNumber(f[10], 0xFFFF);
    const auto oldRaw = f[9].empty() ? std::optional<unsigned>{} : parseNumber(f[9], 0xFFFF);
    if (!address || !lastAddress || *lastAddress < *address || !newRaw || (!f[9].empty() && !oldRaw) ||
        (f[13] != "ok" && f[13] != "failed"))
        return std::nullopt;
    JournalEntry e;
    e.time = f[1];
    e.port = f[2];
    e.controller = f[3];
    if (f[0] == firmwareFirstLineTag)
        if (const auto identity = link::identityFromFirmwareFirst(f[3]))
            e.controller = identity->journalText();
    // A kind or source of a newer version is kept as it was written.
    e.kind = journalKindNamed(f[4]);
    if (e.kind == JournalKind::Other)
        e.otherKind = f[4];
    e.source = writeSourceNamed(f[5]);
    if (e.source == WriteSource::Other)
        e.otherSource = f[5];
    e.address = static_cast<int>(*address);
    e.lastAddress = static_cast<int>(*lastAddress);
    e.field = f[8];
    e.oldRaw = oldRaw;
    e.newRaw = *newRaw;
    e.oldShown = f[11];
    e.newShown = f[12];
    e.acknowledged = f[13] == "ok";
    e.note = f[14];
    if (f.size() > setFingerprintField)
        e.controllerSet = f[setFingerprintField];
    return e;
}

}  // namespace dravinor::params
