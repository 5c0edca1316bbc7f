#pragma once

#include "params/Conversions.h"
#include "params/FlagBits.h"
#include "params/ParameterBlock.h"

#include <cstddef>
#include <cstdint>

namespace dravinor::params {

// The parameter block with what is kept beside it: the working copies of the
// flag bytes and the ignition constant, the temperature-sensor memory, and
// the values the live view and the auto-adaptation read, worked out from the
// block (and flag copy A) whenever they are asked for.
class ParameterState {
public:
    ParameterBlock& block() { return block_; }
    const ParameterBlock& block() const { return block_; }

    // The default set, put into the block, the flag copies and K; nothing is
    // sent. Bytes 0 and 36..63 and bits 3-7 of flag byte B stay as they were.
    void loadDefaults();

    // The working copies taken from the block as a whole: the flag copies,
    // and K from parameter 13. A read shows its block this way, and so does
    // a parameter file (noteFileLoaded); between those the copies follow the
    // edits, which write them (a refused write can leave a copy behind the
    // block, and the next edit writes the copy).
    void refreshDerived();

    // Sets K and the kept item; an item outside 0..5 changes nothing.
    void setIgnitionConstant(int item);
    float ignitionConstant() const { return ignitionConstant_; }
    int ignitionItem() const { return ignitionItem_; }

    // Decides bit 3 of flag byte A in the default set.
    bool temperatureSensorMemory() const { return temperatureSensorMemory_; }
    void setTemperatureSensorMemory(bool used) { temperatureSensorMemory_ = used; }

    std::uint8_t flagByteA() const { return flagByteA_; }
    std::uint8_t flagByteB() const { return flagByteB_; }
    void setFlagByteA(std::uint8_t value) { flagByteA_ = value; }
    void setFlagByteB(std::uint8_t value) { flagByteB_ = value; }

    // TPS meter sectors, trunc(parameter 2 x 4.096) and trunc(parameter 12 x 4.096).
    int tpsSectorTop() const;
    int tpsSectorWidth() const;

    // Parameter 1 as the live view compares it, and as the auto-adaptation
    // divides by it (0 replaced by 1).
    int lambdaThreshold() const;
    int lambdaThresholdNonZero() const;

    // The TPS meter's colours follow the rising bit of flag copy A.
    TpsColours tpsColours() const { return params::tpsColours(flagByteA_); }

    // Addresses whose value in the block is not the controller's: its last
    // read got no valid answer for them, and nothing has set them since (an
    // acknowledged write, the default set, a parameter file).
    const AddressSet& unreadAddresses() const { return unread_; }
    bool isUnread(int address) const;
    bool isUnread(Address address) const { return isUnread(address.number()); }
    bool anyUnread() const { return unread_.any(); }
    void setUnread(int address, bool unread);
    // A parameter file of that many bytes was loaded over the block: its
    // addresses hold values, and the working copies follow it.
    void noteFileLoaded(std::size_t byteCount);

private:
    ParameterBlock block_;
    std::uint8_t flagByteA_ = 0;
    std::uint8_t flagByteB_ = 0;
    float ignitionConstant_ = initialIgnitionConstant;
    int ignitionItem_ = 0;
    bool temperatureSensorMemory_ = true;
    AddressSet unread_;
};

}  // namespace dravinor::params
