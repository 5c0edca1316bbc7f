#include "JournalEntry.h"

#include <charconv>
#include <cstdio>
#include <ctime>
#include <vector>

namespace dravinor::params {

namespace {

constexpr std::size_t fieldCount = 15;

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

bool knownKind(std::string_view kind)
{
    for (std::string_view k : {"write", "eeprom", "bulk", "write-all", "reset", "adaptation-reset"})
        if (kind == k)
            return true;
    return false;
}

}  // namespace

std::string journalLocalTime(const std::string& utcTime)
{
    std::tm utc{};
    int year = 0, month = 0;
    if (std::sscanf(utcTime.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d", &year, &month, &utc.tm_mday, &utc.tm_hour,
                    &utc.tm_min, &utc.tm_sec) != 6)
        return utcTime;
    utc.tm_year = year - 1900;
    utc.tm_mon = month - 1;
    const std::time_t seconds = ::timegm(&utc);
    std::tm local{};
    if (seconds == static_cast<std::time_t>(-1) || !::localtime_r(&seconds, &local))
        return utcTime;
    char text[80];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

std::string journalValueText(const std::string& shown, std::optional<unsigned> raw)
{
    if (!raw)
        return "?";
    const std::string stored = "[" + std::to_string(*raw) + "]";
    return shown.empty() ? stored : shown + " " + stored;
}

std::string formatJournalLine(const JournalEntry& e)
{
    const std::string fields[fieldCount] = {
        std::string(journalLineTag),
        clean(e.time),
        clean(e.port),
        clean(e.controller),
        clean(e.kind),
        clean(e.source),
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
    return line;
}

std::optional<JournalEntry> parseJournalLine(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    std::vector<std::string_view> f;
    std::size_t start = 0;
    while (f.size() < fieldCount + 1) {
        const std::size_t tab = line.find('\t', start);
        f.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos)
            break;
        start = tab + 1;
    }
    if (f.size() != fieldCount || f[0] != journalLineTag || f[1].empty() || !knownKind(f[4]))
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
    e.kind = f[4];
    e.source = f[5];
    e.address = static_cast<int>(*address);
    e.lastAddress = static_cast<int>(*lastAddress);
    e.field = f[8];
    e.oldRaw = oldRaw;
    e.newRaw = *newRaw;
    e.oldShown = f[11];
    e.newShown = f[12];
    e.acknowledged = f[13] == "ok";
    e.note = f[14];
    return e;
}

}  // namespace dravinor::params
