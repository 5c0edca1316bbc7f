#include "params/FlagBits.h"

namespace dravinor::params {

int controllerModeItem(std::uint8_t flagByteA, std::uint8_t flagByteB)
{
    if (flagByteB & flagB::economyMaxOpeningMode)
        return 1;
    if (flagByteA & flagA::dynamicMode)
        return 2;
    return 0;
}

FlagBytes withControllerMode(int item, FlagBytes flags)
{
    if (item < 0 || item > 2)
        return flags;
    flags.a = withBit(flags.a, flagA::dynamicMode, item == 2);
    flags.b = withBit(flags.b, flagB::economyMaxOpeningMode, item == 1);
    return flags;
}

}  // namespace dravinor::params
