#pragma once

#include "book/BookJson.h"
#include "book/CarBook.h"

#include "params/RegularFile.h"
#include "params/SaveTarget.h"

#include <filesystem>
#include <string>

namespace dravinor::book {

enum class ExportOutcome {
    Done,
    BookClosed,
    NotAFile,     // a folder or a device holds the name: target says which
    CannotWrite,  // detail: the system's words; an existing file is as it was
};

struct ExportResult {
    ExportOutcome outcome = ExportOutcome::Done;
    params::SaveTarget target;
    std::string detail;
    std::size_t cars = 0;
    std::size_t visits = 0;
};

// Writes the whole book as JSON (BookJson.h), beside the target first and
// renamed into place, so a failed export leaves an older one as it was.
ExportResult exportBook(const CarBook& book, const std::filesystem::path& file);

enum class ImportOutcome {
    Imported,
    BookClosed,
    CannotRead,   // detail: the system's words, or the kind of file it is
    Malformed,    // the file's problem and where: nothing was taken
    WriteFailed,  // the book refused the writes (write says why): nothing was taken
};

struct ImportCounts {
    std::size_t carsAdded = 0;
    std::size_t carsKnown = 0;  // matched by registration; their details are kept as the book has them
    std::size_t visitsAdded = 0;
    std::size_t visitsSkipped = 0;  // already in the book (same car, time and read set): never overwritten
};

struct ImportResult {
    ImportOutcome outcome = ImportOutcome::Imported;
    JsonProblem problem = JsonProblem::None;
    BookWrite write = BookWrite::Done;
    params::RegularFileError fileError = params::RegularFileError::None;
    std::string detail;
    ImportCounts counts;
};

// Merges an exported book into this one, in one transaction: all of it or
// nothing. A car is matched by its registration key.
ImportResult importBook(CarBook& book, const std::filesystem::path& file);
// The same for a document already read (the fuzzer's way in).
ImportResult importBookText(CarBook& book, std::string_view text);

}  // namespace dravinor::book
