#pragma once

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

namespace dravinor::book {

// The car on the workshop's lift, remembered between commands so that a
// read of its controller is recorded as a visit of it: "current-car" beside
// the book, its registration as typed on the first line and when it was
// chosen (UTC seconds) on the second.
//
// A choice holds for the local day it was made on, as a visit does: a car
// chosen yesterday and forgotten must not take today's cars' sets.
std::filesystem::path currentCarPath(const std::filesystem::path& book);

struct CurrentCarChoice {
    std::string registration;
    std::time_t chosen = 0;  // 0: no time written, which holds on no day

    // Made on the local day of now.
    bool holdsOn(std::time_t now) const;
};
// The choice as written, whatever its day; nullopt when there is none.
std::optional<CurrentCarChoice> currentCarChoice(const std::filesystem::path& book);

// The current car's registration: a choice made on the local day of now.
std::optional<std::string> currentCar(const std::filesystem::path& book, std::time_t now = std::time(nullptr));
// False when the file could not be written or removed.
bool rememberCurrentCar(const std::filesystem::path& book, const std::string& registration,
                        std::time_t now = std::time(nullptr));
bool forgetCurrentCar(const std::filesystem::path& book);

// Both times fall on one day of the local calendar.
bool sameLocalDay(std::time_t a, std::time_t b);

}  // namespace dravinor::book
