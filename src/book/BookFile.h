#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>

namespace dravinor::book {

// The files around the book's database.

// workshop.sqlite in the user's data folder (params::dataFolder()).
std::filesystem::path defaultBookPath();

// Where a damaged book is moved: "workshop.sqlite.damaged-20261209-154501"
// by the local time given; "-2", "-3", ... when that name is taken.
std::filesystem::path damagedPath(const std::filesystem::path& book, std::time_t now);

// Moves a damaged book and its write-ahead log aside under the damaged
// name; never deletes. False when the book itself could not be moved.
bool moveAside(const std::filesystem::path& book, const std::filesystem::path& aside);

// The book's size when it was last closed, kept beside it so that opening
// checks the whole file only after something else changed it.
std::optional<std::uintmax_t> recordedSize(const std::filesystem::path& book);
void recordSize(const std::filesystem::path& book, std::uintmax_t size);
std::filesystem::path sizeRecordPath(const std::filesystem::path& book);

}  // namespace dravinor::book
