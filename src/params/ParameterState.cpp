#include "params/ParameterState.h"

#include "params/FieldDisplay.h"
#include "params/ParameterTable.h"

namespace dravinor::params {

void ParameterState::setIgnitionConstant(int item)
{
    if (const auto constant = ignitionConstantForItem(item)) {
        ignitionConstant_ = *constant;
        ignitionItem_ = item;
    }
}

int ParameterState::tpsSectorTop() const
{
    return tpsSectorUnits(block_.get(address::tpsThreshold));
}

int ParameterState::tpsSectorWidth() const
{
    return tpsSectorUnits(block_.get(address::tpsInertia));
}

int ParameterState::lambdaThreshold() const
{
    return block_.get(address::lambdaThreshold);
}

int ParameterState::lambdaThresholdNonZero() const
{
    const int raw = lambdaThreshold();
    return raw == 0 ? 1 : raw;
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
    refreshDerived();
}

void ParameterState::loadDefaults()
{
    // Every parameter gets a value of the default set.
    unread_.reset();
    for (const ParameterRow& row : parameterTable()) {
        if (row.width == 2)
            block_.setWord(row.address, row.defaultValue);
        else
            block_.setParameter(row.address, static_cast<std::uint8_t>(row.defaultValue));
    }
    // The RPM words of the table are periods with the default ignition
    // type's K, whatever K was.
    setIgnitionConstant(block_.get(address::ignitionType));
    // Flag byte B keeps the controller's own bits; flag byte A takes the
    // temperature-sensor setting from its memory.
    flagByteB_ = static_cast<std::uint8_t>((flagByteB_ & flagB::controllerBits) | block_.get(address::flagByteB));
    flagByteA_ = withBit(block_.get(address::flagByteA), flagA::temperatureSensor, temperatureSensorMemory_);
    block_.setParameter(address::flagByteB, flagByteB_);
    block_.setParameter(address::flagByteA, flagByteA_);
}

void ParameterState::refreshDerived()
{
    // K must follow the ignition type before any RPM word is decoded.
    setIgnitionConstant(block_.get(address::ignitionType));
    flagByteB_ = block_.get(address::flagByteB);
    flagByteA_ = block_.get(address::flagByteA);
}

}  // namespace dravinor::params
