#include "CommaVolts.h"

#include <cstdio>

namespace dravinor::cli {

std::string commaVolts(float value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(value));
    for (char& c : text)
        if (c == '.')
            c = ',';
    return text;
}

}  // namespace dravinor::cli
