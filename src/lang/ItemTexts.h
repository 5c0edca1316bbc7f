#pragma once

#include <array>
#include <string_view>

namespace dravinor::lang {

// Built-in (Polish) item texts of the list fields, in item order.
inline constexpr std::array<std::string_view, 6> ignitionItems{
    "Cewka na cylinder", "Cewka na 2 cylindry", "4 cylindry", "5 cylindrow", "6 cylindrow", "8 cylindrow"};

inline constexpr std::array<std::string_view, 6> probeTypeItems{"0-1 [V]  Rosnąca", "1-0 [V]  Malejąca",
                                                                "0,8-1,6 Rosnąca",  "1,6-0,8 Malejąca",
                                                                "0-5 [V]  Rosnąca", "5-0 [V]  Malejąca"};

inline constexpr std::array<std::string_view, 3> emulationTypeItems{"Fala Prostokątna", "Masa", "Przekaźnik (High Z)"};

inline constexpr std::array<std::string_view, 3> controllerModeItems{"Ekonomiczna", "Ekonomiczna+Max Otw.",
                                                                     "Dynamiczna"};

inline constexpr std::array<std::string_view, 2> tpsTypeItems{"TPS malejący", "TPS rosnący"};
inline constexpr std::array<std::string_view, 2> rpmTypeItems{"RPM malejące", "RPM rosnące"};
inline constexpr std::array<std::string_view, 2> reserveGaugeItems{"20K", "90R"};
inline constexpr std::array<std::string_view, 2> offOnItems{"Wyłączony", "Włączony"};

// The fuel-overlap list holds 42 items "0,00" to "2,05" in steps of 0,05.
inline constexpr int fuelOverlapItemCount = 42;

}  // namespace dravinor::lang
