#pragma once

#include <string>
#include <string_view>

namespace dravinor::book {

// A registration number as the book searches and compares it: upper case,
// without spaces or dashes, so "wx 1234-a" and "WX1234A" are one car.
// Latin and Cyrillic letters are upper-cased (plates of both are seen);
// anything else is kept as it is.
std::string registrationKey(std::string_view registration);

}  // namespace dravinor::book
