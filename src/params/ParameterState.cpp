#include "ParameterState.h"

#include "Encoders.h"
#include "FieldDisplay.h"

namespace dravinor::params {

namespace {
constexpr int defaultIgnitionItem = 2;  // "4 cylindry"
}

void ParameterState::setIgnitionConstant(int item)
{
    if (const auto constant = ignitionConstantForItem(item)) {
        ignitionConstant_ = *constant;
        ignitionItem_ = item;
    }
}

void ParameterState::setLambdaThreshold(std::uint8_t raw)
{
    lambdaThreshold_ = raw;
    lambdaThresholdNonZero_ = raw == 0 ? 1 : raw;
}

bool ParameterState::isUnread(int address) const
{
    return address >= ParameterBlock::firstAddress && address <= ParameterBlock::lastAddress &&
           unread_.test(static_cast<std::size_t>(address));
}

void ParameterState::setUnread(int address, bool unread)
{
    if (address >= ParameterBlock::firstAddress && address <= ParameterBlock::lastAddress)
        unread_.set(static_cast<std::size_t>(address), unread);
}

void ParameterState::noteFileLoaded(std::size_t byteCount)
{
    // A short file leaves the rest of the block, and what was known of it.
    for (int address = ParameterBlock::firstAddress;
         address <= ParameterBlock::lastAddress && static_cast<std::size_t>(address) < byteCount; ++address)
        setUnread(address, false);
}

void ParameterState::loadDefaults()
{
    // Every parameter gets a value of the default set.
    unread_.reset();
    auto& b = block_;
    // The RPM words below follow the default ignition type, whatever K was.
    setIgnitionConstant(defaultIgnitionItem);
    const float k = ignitionConstant_;

    b.setParameter(1, 27);
    b.setParameter(0, 34);
    b.setParameter(0, 35);

    std::uint8_t a = flagByteA_;
    a |= flagA::probeRising | flagA::tpsRising | flagA::rpmRising;
    a = withBit(a, flagA::maxRpmLimit, false);
    a = withBit(a, flagA::temperatureSensor, temperatureSensorMemory_);
    a &= static_cast<std::uint8_t>(~(flagA::cutOff | flagA::dynamicMode | flagA::reserveGauge90R));
    flagByteA_ = a;
    b.setParameter(flagByteA_, 32);

    flagByteB_ &= static_cast<std::uint8_t>(~(flagB::sportMode | flagB::extraOpening | flagB::economyMaxOpeningMode));
    b.setParameter(flagByteB_, 30);

    b.setParameter(encodeLambdaThreshold(0.38f), 1);
    b.setParameter(encodeEmulation(0.496f), 29);
    b.setParameter(encodeEmulation(0.496f), 28);
    b.setParameter(encodeTpsThreshold(1.40f), 2);
    tpsSectorTop_ = tpsSectorUnits(b.get(2));

    const auto switchOver = encodeSwitchOverRpm(2200, k);
    b.setWord(switchOver.period, 14);

    const int deltaRpm = 100 * encodeRpmDelta(100);
    b.setWord(encodeSwitchOverHysteresis(switchOver.rpm, deltaRpm, k), 16);
    b.setParameter(encodeRpmDelta(deltaRpm), 33);

    b.setParameter(9, 21);
    b.setWord(encodeMaxRpmOnGas(6000, k).period, 18);
    b.setParameter(109, 3);
    b.setParameter(defaultIgnitionItem, 13);

    b.setParameter(85, 6);
    b.setParameter(115, 5);
    b.setParameter(100, 4);
    b.setParameter(12, 10);
    b.setParameter(70, 9);
    b.setParameter(100, 8);
    b.setParameter(85, 7);
    b.setParameter(75, 11);
    b.setParameter(70, 24);

    b.setWord(encodeCutOffRpm(1800, k).period, 22);

    b.setParameter(encodeTpsInertia(0.15f), 12);
    tpsSectorWidth_ = tpsSectorUnits(b.get(12));

    b.setParameter(3, 26);
    b.setParameter(encodeExtraOpeningThreshold(1.45f), 25);
    b.setParameter(3, 31);
    b.setParameter(2, 20);
}

void ParameterState::refreshDerived()
{
    setLambdaThreshold(block_.get(1));
    tpsSectorTop_ = tpsSectorUnits(block_.get(2));
    tpsSectorWidth_ = tpsSectorUnits(block_.get(12));
    // K must follow parameter 13 before any RPM word is decoded.
    setIgnitionConstant(block_.get(13));
    flagByteB_ = block_.get(30);
    flagByteA_ = block_.get(32);
    tpsColours_ = params::tpsColours(flagByteA_);
}

}  // namespace dravinor::params
