#include "CurrentCarVisit.h"

#include "BookTexts.h"

#include "book/BookFile.h"
#include "book/CurrentCar.h"

#include <ctime>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

namespace dravinor::cli {

namespace {

// The current car in an open book, or nullopt (and why, on stderr) when
// there is none to record for. `notRecorded` says what goes unrecorded
// ("the read is not recorded as a visit").
std::optional<book::Car> currentCarIn(book::CarBook& book, const char* notRecorded)
{
    const auto registration = book::currentCar(book::defaultBookPath());
    if (!registration)
        return std::nullopt;
    if (!openBookForCommand(book)) {
        std::cerr << "dravinor-cli: " << notRecorded << " of " << *registration << '\n';
        return std::nullopt;
    }
    auto car = book.carByRegistration(*registration);
    if (!car)
        std::cerr << "dravinor-cli: the current car " << *registration << " is not in the car book; " << notRecorded
                  << '\n';
    return car;
}

void noteIdentity(book::Visit& visit, const std::optional<link::ControllerIdentity>& identity)
{
    if (!identity)
        return;
    visit.controllerType = std::to_string(identity->type());
    visit.firmware = std::to_string(identity->firmware());
}

bool sameLocalDay(std::time_t a, std::time_t b)
{
    std::tm first{};
    std::tm second{};
    localtime_r(&a, &first);
    localtime_r(&b, &second);
    return first.tm_year == second.tm_year && first.tm_yday == second.tm_yday;
}

bool told(book::BookWrite write, const book::Car& car, const char* notRecorded)
{
    if (write == book::BookWrite::Done)
        return true;
    std::cerr << "dravinor-cli: " << notRecorded << " of " << car.registration << ": " << bookWriteText(write) << '\n';
    return false;
}

constexpr const char* readNotRecorded = "the read is not recorded as a visit";

}  // namespace

void recordReadVisit(const params::ParameterBlock& set, std::optional<link::ControllerIdentity> identity)
{
    book::CarBook book;
    const auto car = currentCarIn(book, readNotRecorded);
    if (!car)
        return;
    book::Visit visit;
    visit.carId = car->id;
    visit.time = static_cast<std::int64_t>(std::time(nullptr));
    noteIdentity(visit, identity);
    visit.readSet = set;
    if (told(book.addVisit(visit), *car, readNotRecorded))
        std::cerr << "Recorded as a visit of " << car->registration << " in the car book\n";
}

namespace {

// Changes the current car's visit of today, or a new one when it has none
// today, by `change`, and says which on stderr.
template <typename Change>
void recordIntoTodaysVisit(const char* recordedAs, const char* notRecorded,
                           const std::optional<link::ControllerIdentity>& identity, Change change)
{
    book::CarBook book;
    const auto car = currentCarIn(book, notRecorded);
    if (!car)
        return;
    const std::time_t now = std::time(nullptr);
    const auto visits = book.visitsOf(car->id);
    if (!visits.empty() && sameLocalDay(static_cast<std::time_t>(visits.front().time), now)) {
        book::Visit today = visits.front();
        change(today);
        if (today.controllerType.empty())
            noteIdentity(today, identity);
        if (told(book.updateVisit(today), *car, notRecorded))
            std::cerr << "Recorded as " << recordedAs << " of today's visit of " << car->registration
                      << " in the car book\n";
        return;
    }
    book::Visit visit;
    visit.carId = car->id;
    visit.time = static_cast<std::int64_t>(now);
    noteIdentity(visit, identity);
    change(visit);
    if (told(book.addVisit(visit), *car, notRecorded))
        std::cerr << "Recorded as " << recordedAs << " of a new visit of " << car->registration << " in the car book\n";
}

}  // namespace

void recordEndSet(const params::ParameterBlock& set, std::optional<link::ControllerIdentity> identity)
{
    recordIntoTodaysVisit("the end set", "the set written is not recorded in a visit", identity,
                          [&set](book::Visit& visit) { visit.endSet = set; });
}

void recordReport(const std::filesystem::path& pdf)
{
    std::ifstream in(pdf, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof())
        return;
    recordIntoTodaysVisit("the report", "the report is not recorded in a visit", std::nullopt,
                          [&bytes](book::Visit& visit) { visit.reportPdf = bytes; });
}

}  // namespace dravinor::cli
