#include "CurrentCarVisit.h"

#include "BookTexts.h"

#include "book/BookFile.h"
#include "book/VisitRecording.h"

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
    using State = book::CurrentCarLookup::State;
    const auto file = book::defaultBookPath();
    const auto lookup = book::findCurrentCar(book, file);
    switch (lookup.state) {
    case State::NoCurrentCar: return std::nullopt;
    case State::BookUnusable:
        std::cerr << "dravinor-cli: " << bookOpenText(lookup.open, file) << '\n';
        std::cerr << "dravinor-cli: " << notRecorded << " of " << lookup.registration << '\n';
        return std::nullopt;
    case State::Lapsed:
        std::cerr << "dravinor-cli: " << lookup.registration << " was made the current car on another day; "
                  << notRecorded << " (dravinor-cli car REG --current chooses the car on the lift)\n";
        return std::nullopt;
    case State::NotInBook:
        std::cerr << "dravinor-cli: the current car " << lookup.registration << " is not in the car book; "
                  << notRecorded << '\n';
        return std::nullopt;
    case State::Found: break;
    }
    if (lookup.open.outcome == book::BookOpen::DamagedReplaced)
        std::cerr << "dravinor-cli: warning: " << bookOpenText(lookup.open, file) << '\n';
    return lookup.car;
}

bool told(book::BookWrite write, const book::Car& car, const char* notRecorded)
{
    if (write == book::BookWrite::Done)
        return true;
    std::cerr << "dravinor-cli: " << notRecorded << " of " << car.registration << ": " << bookWriteText(write) << '\n';
    return false;
}

// Says which visit took the record, or why none did.
void tell(const book::Recorded& recorded, const book::Car& car, const char* recordedAs, const char* notRecorded)
{
    if (!told(recorded.write, car, notRecorded))
        return;
    if (recorded.visit == book::VisitTaken::TodaysVisit)
        std::cerr << "Recorded as " << recordedAs << " of today's visit of " << car.registration
                  << " in the car book\n";
    else
        std::cerr << "Recorded as " << recordedAs << " of a new visit of " << car.registration << " in the car book\n";
}

std::time_t now()
{
    return std::time(nullptr);
}

// Into the current car's visit by `record` (the book and the car), and says
// which visit took it; nothing when there is no car to record for.
template <typename Record>
void recordForCurrentCar(const char* recordedAs, const char* notRecorded, Record record)
{
    book::CarBook book;
    if (const auto car = currentCarIn(book, notRecorded))
        tell(record(book, *car), *car, recordedAs, notRecorded);
}

}  // namespace

void recordReadVisit(const params::ParameterBlock& set, std::optional<link::ControllerIdentity> identity)
{
    constexpr const char* notRecorded = "the read is not recorded as a visit";
    book::CarBook book;
    const auto car = currentCarIn(book, notRecorded);
    if (!car)
        return;
    const book::Recorded recorded = book::recordRead(book, *car, set, identity, now());
    if (!told(recorded.write, *car, notRecorded))
        return;
    if (recorded.visit == book::VisitTaken::AlreadyThere)
        std::cerr << "Today's visit of " << car->registration << " in the car book holds this set already\n";
    else
        std::cerr << "Recorded as a visit of " << car->registration << " in the car book\n";
}

void recordEndSet(const params::ParameterBlock& set, std::optional<link::ControllerIdentity> identity)
{
    recordForCurrentCar(
        "the end set", "the set written is not recorded in a visit",
        [&](book::CarBook& book, const book::Car& car) { return book::recordEndSet(book, car, set, identity, now()); });
}

void recordAdaptationVisit(std::string result, const std::optional<params::ParameterBlock>& set,
                           std::optional<link::ControllerIdentity> identity)
{
    recordForCurrentCar("the adaptation", "the adaptation is not recorded in a visit",
                        [&](book::CarBook& book, const book::Car& car) {
                            return book::recordAdaptation(book, car, std::move(result), set, identity, now());
                        });
}

void recordWritesVisit(const book::JournalRange& range, std::optional<link::ControllerIdentity> identity)
{
    recordForCurrentCar("the writes", "the writes are not recorded in a visit",
                        [&](book::CarBook& book, const book::Car& car) {
                            return book::recordJournal(book, car, range, identity, now());
                        });
}

void recordReport(const std::filesystem::path& pdf)
{
    std::ifstream in(pdf, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof())
        return;
    recordForCurrentCar("the report", "the report is not recorded in a visit",
                        [&](book::CarBook& book, const book::Car& car) {
                            return book::recordReport(book, car, std::move(bytes), now());
                        });
}

}  // namespace dravinor::cli
