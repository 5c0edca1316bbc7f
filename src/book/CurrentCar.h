#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace dravinor::book {

// The car on the workshop's lift, remembered between commands so that a
// read of its controller is recorded as a visit of it: one line, its
// registration as typed, in "current-car" beside the book.
std::filesystem::path currentCarPath(const std::filesystem::path& book);

std::optional<std::string> currentCar(const std::filesystem::path& book);
// False when the file could not be written or removed.
bool rememberCurrentCar(const std::filesystem::path& book, const std::string& registration);
bool forgetCurrentCar(const std::filesystem::path& book);

}  // namespace dravinor::book
