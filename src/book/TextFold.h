#pragma once

#include <string>
#include <string_view>

namespace dravinor::book {

// Text as the search compares it: capitals made small in the scripts a
// workshop writes makes and models in (ASCII, the Latin-1 and Latin
// Extended-A letters of Polish, Czech and German, and Cyrillic), so "жиг"
// finds "Жигули" and "škoda" finds "Škoda". Anything else, and bytes that
// are no UTF-8, are kept as they are.
std::string foldedForSearch(std::string_view text);

}  // namespace dravinor::book
