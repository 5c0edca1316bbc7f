#pragma once

#include "book/BookRecords.h"
#include "link/ControllerIdentity.h"
#include "params/ParameterBlock.h"

#include <filesystem>
#include <optional>
#include <string>

namespace dravinor::cli {

// What the commands record of the current car (car REG --current). A book
// that cannot be used is told on stderr and costs the command nothing.

// After a whole read: the set read, a new visit with the controller's identity.
void recordReadVisit(const params::ParameterBlock& set, std::optional<link::ControllerIdentity> identity);

// After a write the controller acknowledged whole: the set it now holds, as
// the end set of the car's visit of today (a visit is a day's work on the
// car), or of a new visit when today has none yet.
void recordEndSet(const params::ParameterBlock& set, std::optional<link::ControllerIdentity> identity);

// After an auto-adaptation, finished or left part way: what it measured (as
// the book keeps it) and, when its writes were all taken, the set the
// controller holds after it, into the car's visit of today, or a new visit.
void recordAdaptationVisit(std::string result, const std::optional<params::ParameterBlock>& set,
                           std::optional<link::ControllerIdentity> identity);

// After writes that reached the journal: which of its entries they were,
// kept by the car's visit of today, or by a new visit.
void recordWritesVisit(const book::JournalRange& range, std::optional<link::ControllerIdentity> identity);

// After a customer's report was saved: the PDF, as the report of the car's
// visit of today, or of a new visit when today has none yet.
void recordReport(const std::filesystem::path& pdf);

}  // namespace dravinor::cli
