#include "report/ReportContent.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace dravinor::report {

bool ReportContent::anyNotRead() const
{
    return std::any_of(values.begin(), values.end(),
                       [](const ReportValue& v) { return v.reading != fields::ValueReading::Read; });
}

std::vector<ReportValue> reportValues(const params::ParameterBlock& block, const params::AddressSet& unread)
{
    std::vector<ReportValue> values;
    for (fields::PageValue& value : fields::pageValues(block)) {
        const auto reading = fields::readingOf(value, unread);
        values.push_back({std::move(value), reading});
    }
    return values;
}

std::chrono::year_month_day today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return std::chrono::year{local.tm_year + 1900} / std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)} /
           std::chrono::day{static_cast<unsigned>(local.tm_mday)};
}

std::string dateText(const std::chrono::year_month_day& date)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02u.%02u.%04d", static_cast<unsigned>(date.day()),
                  static_cast<unsigned>(date.month()), static_cast<int>(date.year()));
    return text;
}

}  // namespace dravinor::report
