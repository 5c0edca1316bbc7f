#pragma once

#include <string>

namespace dravinor::lang {

// How the fitter's language writes numbers, from its text slots: what the
// window, the report and the command line show. Files a program reads back
// (recordings, trace exports, parameter files) keep the point.

// The decimal separator: "," in Polish and Russian.
std::string decimalSeparator();

// printf's "%.<decimals>f" with the language's separator: 0.448 -> "0,45".
std::string decimalText(double value, int decimals);

}  // namespace dravinor::lang
