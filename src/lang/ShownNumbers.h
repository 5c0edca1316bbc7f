#pragma once

#include <string>
#include <string_view>

namespace dravinor::lang {

// How the fitter's language writes numbers and units, from its text slots: what the
// window, the report and the command line show. Files a program reads back
// (recordings, trace exports, parameter files) keep the point.

// The decimal separator: "," in Polish and Russian.
std::string decimalSeparator();

// printf's "%.<decimals>f" with `separator` for the point; a value that
// rounds to zero is written without a sign: -0.001 -> "0,00", not "-0,00".
std::string fixedPointText(double value, int decimals, std::string_view separator);

// fixedPointText with the language's separator: 0.448 -> "0,45".
std::string decimalText(double value, int decimals);

// The units the program names in its texts, each a slot of its own.
enum class Unit {
    Volt,       // "V", Russian "В"
    Second,     // "s"
    PerSecond,  // "/s": the probe's switchings
    Rpm,        // engine speed
};
std::string unitText(Unit unit);

// A unit as the built-in words write it ("V", "s", "/s", "RPM") in the
// language; any other ("°C", "%") as it is.
std::string unitInLanguage(std::string_view builtIn);

}  // namespace dravinor::lang
