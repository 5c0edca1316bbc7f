#pragma once

#include "book/BookRecords.h"
#include "book/CarBook.h"
#include "link/ControllerIdentity.h"
#include "params/ParameterBlock.h"

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace dravinor::book {

// What a read, a whole write or a saved report leaves in the current car's
// visits. The command line and the window record through these alike and
// each says the outcome in its own words.

// The current car (CurrentCar.h) looked up in a book.
struct CurrentCarLookup {
    enum class State {
        NoCurrentCar,  // none was chosen: nothing is recorded, and nothing is said
        BookUnusable,  // open: why
        NotInBook,     // registration: the car remembered, no longer in the book
        Lapsed,        // registration: chosen on another day, so no longer current
        Found,
    };
    State state = State::NoCurrentCar;
    std::string registration;
    OpenResult open;
    std::optional<Car> car;
};

// Reads the current car beside bookFile and finds it in book, opening the
// book at bookFile first when it is not open.
CurrentCarLookup findCurrentCar(CarBook& book, const std::filesystem::path& bookFile,
                                std::time_t now = std::time(nullptr));

// Which visit took the record.
enum class VisitTaken {
    NewVisit,
    TodaysVisit,   // the car's newest visit, of the same local day
    AlreadyThere,  // a read of the set today's visit already holds: nothing new to keep
};

struct Recorded {
    BookWrite write = BookWrite::Failed;
    VisitTaken visit = VisitTaken::NewVisit;
    std::int64_t visitId = 0;

    bool done() const { return write == BookWrite::Done; }
};

// A whole read: a new visit, with the set and the controller's identity;
// unless the car's visit of today holds that very set already (read or
// left): a reconnect after an unplug, or a second look, is no new visit.
Recorded recordRead(CarBook& book, const Car& car, const params::ParameterBlock& set,
                    const std::optional<link::ControllerIdentity>& identity, std::time_t now);

// A write the controller took whole: the end set of the car's visit of
// today (a visit is a day's work on the car), or of a new visit.
Recorded recordEndSet(CarBook& book, const Car& car, const params::ParameterBlock& set,
                      const std::optional<link::ControllerIdentity>& identity, std::time_t now);

// An auto-adaptation, finished or left part way: what it measured (the text
// the caller made of it) and, when its writes were all taken, the set the
// controller holds after it, into the visit of today, or a new one.
Recorded recordAdaptation(CarBook& book, const Car& car, std::string result,
                          const std::optional<params::ParameterBlock>& set,
                          const std::optional<link::ControllerIdentity>& identity, std::time_t now);

// Writes that reached the journal (their range, VisitJournal.h): taken into
// the range of the car's visit of today, or of a new visit.
Recorded recordJournal(CarBook& book, const Car& car, const JournalRange& range,
                       const std::optional<link::ControllerIdentity>& identity, std::time_t now);

// A saved customer's report: the report of the visit of today, or of a new one.
Recorded recordReport(CarBook& book, const Car& car, std::vector<std::uint8_t> pdf, std::time_t now);

}  // namespace dravinor::book
