#pragma once

#include "params/ParameterBlock.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dravinor::book {

// A car as the workshop knows it. The registration is kept as typed; its
// key (Registration.h) finds it and keeps it unique.
struct Car {
    std::int64_t id = 0;  // the book's own; 0 for a car not yet in it
    std::string registration;
    std::string makeModel;
    std::string vin;
    std::string notes;

    bool operator==(const Car&) const = default;
};

// A car as a search lists it.
struct CarSummary {
    Car car;
    int visits = 0;
    std::optional<std::int64_t> lastVisit;  // UTC seconds
};

// The journal entries a visit wrote, by the times of its first and its last
// (UTC milliseconds), both included (VisitJournal.h).
struct JournalRange {
    std::int64_t first = 0;
    std::int64_t last = 0;
    bool operator==(const JournalRange&) const = default;
};

// One visit of a car: what the controller held when it came and when it left.
struct Visit {
    std::int64_t id = 0;  // 0 for a visit not yet in the book
    std::int64_t carId = 0;
    std::int64_t time = 0;  // UTC seconds
    std::optional<std::int64_t> odometer;
    std::string controllerType;
    std::string firmware;
    std::optional<params::ParameterBlock> readSet;  // read when the controller was connected
    std::optional<params::ParameterBlock> endSet;   // what it held at the end
    std::optional<std::string> adaptation;          // the auto-adaptation's result
    std::optional<std::vector<std::uint8_t>> reportPdf;
    std::string notes;
    std::optional<JournalRange> journal;

    bool operator==(const Visit&) const = default;
};

// Why the book could not be opened; the caller goes on without it.
enum class BookOpen {
    Opened,
    Created,          // there was no book: a new one was started
    DamagedReplaced,  // the old file was moved aside (OpenResult::detail) and a new book started
    CannotMakeFolder,
    NotAFile,      // a folder or a device holds the book's name
    ReadOnly,      // the file or its folder may not be written
    DiskFull,      // no room to start or update the book
    NewerBook,     // a newer program's book: its layout is unknown here, nothing is touched
    DamagedStuck,  // damaged and could not be moved aside: nothing is touched
    CannotOpen,    // anything else; detail holds SQLite's words
};

inline bool usable(BookOpen outcome)
{
    return outcome == BookOpen::Opened || outcome == BookOpen::Created || outcome == BookOpen::DamagedReplaced;
}

// What became of one write; each write is one transaction, all or nothing.
enum class BookWrite {
    Done,
    DuplicateCar,  // another car has the same registration key
    EmptyRegistration,
    NoSuchCar,
    NoSuchVisit,
    Busy,  // another program held the book for longer than the busy timeout
    DiskFull,
    ReadOnly,
    Damaged,
    Failed,
};

}  // namespace dravinor::book
