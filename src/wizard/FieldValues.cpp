#include "FieldValues.h"

#include <algorithm>
#include <cstdlib>

namespace dravinor::wizard {

float fieldFloat(const std::string& text)
{
    std::string point = text;
    std::replace(point.begin(), point.end(), ',', '.');
    return std::strtof(point.c_str(), nullptr);
}

float tpsVoltsOf(float tpsValue)
{
    return static_cast<float>(tpsValue * 0.0196078431372549 * 18.5 * 0.1333333333333333);
}

float lambdaVoltsOf(float lambdaValue)
{
    return static_cast<float>(lambdaValue * 0.0196078431372549);
}

}  // namespace dravinor::wizard
