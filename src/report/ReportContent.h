#pragma once

#include "link/ControllerIdentity.h"
#include "report/AdaptationSummary.h"

#include "fields/PageValues.h"
#include "fields/UnreadValues.h"
#include "params/ParameterBlock.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dravinor::report {

// What the fitter types about the car and the workshop; any may be empty.
struct CarDetails {
    std::string registration;
    std::string makeAndModel;
    std::string odometer;
    std::string workshop;
};

// Where the report's values come from.
enum class ValueSource {
    Controller,              // read from the connected controller (and written by this session)
    ParameterFile,           // a .PAR file, no controller
    PagesWithoutController,  // the window's pages with no controller connected (defaults or a file)
};

// One value as the pages show it, and whether the controller gave it.
struct ReportValue {
    fields::PageValue value;
    fields::ValueReading reading = fields::ValueReading::Read;
};

// Everything a customer's report says, as data: the caller turns it into
// texts of its language.
struct ReportContent {
    CarDetails car;
    std::chrono::year_month_day date{};
    ValueSource source = ValueSource::Controller;
    std::optional<link::ControllerIdentity> identity;  // the controller's, when identified
    std::string fileName;                              // with ValueSource::ParameterFile
    std::vector<ReportValue> values;                   // in page order, then the values no field shows
    std::optional<AdaptationSummary> adaptation;

    bool anyNotRead() const;
};

// Every value the pages show for the set, each marked by whether it rests
// on an address the controller did not give.
std::vector<ReportValue> reportValues(const params::ParameterBlock& block, const params::AddressSet& unread);

// Today in the local time zone.
std::chrono::year_month_day today();

// "08.12.2026": day, month and year, as both languages write a date.
std::string dateText(const std::chrono::year_month_day& date);

}  // namespace dravinor::report
