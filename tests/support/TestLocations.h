#pragma once

#include <string>

// Where a test program finds the checkout and the programs built beside it.
// The paths differ in every clone, so they stay out of the test sources'
// compile lines: there each one would make the compiler cache miss every
// source of the program, in every fresh clone. Only TestLocations.cpp is
// compiled with them (tests/CMakeLists.txt, dravinor_test_locations).
namespace dravinor::testing {

// The checkout, and a path below it ("lang/polski.txt"), with '/' between.
const std::string& sourceDir();
std::string sourcePath(const std::string& relative);

// The build folder, and the programs built there; a program that asks for
// one its CMakeLists did not name fails to link.
const std::string& binaryDir();
const std::string& cliProgram();
const std::string& simProgram();

}  // namespace dravinor::testing
