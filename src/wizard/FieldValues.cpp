#include "wizard/FieldValues.h"

#include <algorithm>
#include <charconv>

namespace dravinor::wizard {

float fieldFloat(const std::string& text)
{
    // Read without the C locale, whose decimal point may be a comma too.
    std::string point = text;
    std::replace(point.begin(), point.end(), ',', '.');
    float value = 0;
    std::from_chars(point.data(), point.data() + point.size(), value);
    return value;
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
