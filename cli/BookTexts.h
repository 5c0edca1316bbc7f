#pragma once

#include "book/BookRecords.h"
#include "book/BookTransfer.h"
#include "book/CarBook.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace dravinor::cli {

// The command line's words for the car book's outcomes.

// Why the book at file cannot be used, or (DamagedReplaced) what was done.
std::string bookOpenText(const book::OpenResult& result, const std::filesystem::path& file);
// Why a write was refused: "the disk is full".
std::string bookWriteText(book::BookWrite write);
// Why an import took nothing.
std::string importProblemText(const book::ImportResult& result);
// A visit's time in local time, to the minute: "2026-12-09 15:05".
std::string visitTimeText(std::int64_t utcSeconds);

// Opens the book in the data folder for a command, telling on stderr what
// went wrong (and what was moved aside). False when it cannot be used.
bool openBookForCommand(book::CarBook& book);

}  // namespace dravinor::cli
