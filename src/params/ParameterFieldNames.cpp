#include "ParameterFieldNames.h"

#include <array>
#include <string_view>

namespace dravinor::params {

namespace {

constexpr std::array<std::string_view, 36> controlNames{
    "",               // 0
    "PRLambda",       // 1
    "PCTps",          // 2
    "TPWStopniach",   // 3
    "PSAttuatoraPow", "ZPAttuatoraPow_2", "ZPAttuatoraPow_1",  // 4..6
    "PSAttuatoraPon", "ZPAttuatoraPon_2", "ZPAttuatoraPon_1",  // 7..9
    "PAttuatoraPow", "PAttuatoraPon",                          // 10, 11
    "BTps",           // 12
    "RUZaplonowego",  // 13
    "ODPBenzynaGas", "ODPBenzynaGas",  // 14-15
    "", "",                            // 16-17: follows from ODPBenzynaGas and DObrotow
    "MONGaz", "MONGaz",                // 18-19
    "RPMSignal",      // 20
    "CNPaliw",        // 21
    "OSDCutOff", "OSDCutOff",          // 22-23
    "IKDCutOff",      // 24
    "AVoltage",       // 25
    "CLambda",        // 26
    "",               // 27: follows from RSLambda and RSYLambda
    "ESLambda_2",     // 28
    "ESLambda_1",     // 29
    "",               // 30: flag byte B
    "DOAttuatora",    // 31
    "",               // 32: flag byte A
    "DObrotow",       // 33
    "RSLambda",       // 34
    "RSYLambda",      // 35
};

constexpr std::array<std::string_view, 8> flagByteAControls{
    "TCTps", "RSLambda", "RObrotow", "WCTemperatury", "WCutOff", "WMObroty", "TPSterownika", "TSRezerwy"};
constexpr std::array<std::string_view, 8> flagByteBControls{"TJazdy", "DOAttuatoraCheck", "TPSterownika", "", "", "", "", ""};

}  // namespace

std::string fieldNameOf(int address)
{
    if (address < 0 || address >= static_cast<int>(controlNames.size()))
        return {};
    return std::string(controlNames[static_cast<std::size_t>(address)]);
}

std::string flagFieldNames(int address, std::uint8_t before, std::uint8_t after)
{
    if (address != 30 && address != 32)
        return {};
    const auto& controls = address == 32 ? flagByteAControls : flagByteBControls;
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
