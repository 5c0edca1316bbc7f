#include "params/ParameterFieldNames.h"

#include "params/ParameterTable.h"

#include <array>
#include <string_view>

namespace dravinor::params {

namespace {

constexpr std::array<std::string_view, 8> flagByteAControls{"TCTps",   "RSLambda", "RObrotow",     "WCTemperatury",
                                                            "WCutOff", "WMObroty", "TPSterownika", "TSRezerwy"};
constexpr std::array<std::string_view, 8> flagByteBControls{
    "TJazdy", "DOAttuatoraCheck", "TPSterownika", "", "", "", "", ""};

}  // namespace

std::string fieldNameOf(Address address)
{
    const ParameterRow* row = parameterAt(address);
    return row ? std::string(row->field) : std::string();
}

std::string flagFieldNames(Address address, std::uint8_t before, std::uint8_t after)
{
    if (address != address::flagByteB && address != address::flagByteA)
        return {};
    const auto& controls = address == address::flagByteA ? flagByteAControls : flagByteBControls;
    std::string names;
    for (std::size_t bit = 0; bit < 8; ++bit) {
        if (((before ^ after) >> bit & 1) == 0 || controls[bit].empty())
            continue;
        if (!names.empty())
            names += '+';
        names += controls[bit];
    }
    return names;
}

}  // namespace dravinor::params
