#pragma once

#include "PolishTexts.h"

#include "params/ParameterBlock.h"

#include <string>

namespace dravinor::cli {

// Prints every value that differs between two sets as a table (field,
// caption, both values as the pages show them, in the words of texts) and
// returns how many did. Prints a line saying so when none does.
int printDifferences(const PolishTexts& texts, const params::ParameterBlock& first,
                     const params::ParameterBlock& second, const std::string& firstName, const std::string& secondName);

// The characters of UTF-8 text, as a terminal's columns count them.
std::size_t displayWidth(const std::string& text);
// Pads UTF-8 text with blanks to a width counted in characters.
std::string padded(const std::string& text, std::size_t width);

}  // namespace dravinor::cli
