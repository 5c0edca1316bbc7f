#pragma once

#include "Conversions.h"
#include "FlagBits.h"
#include "ParameterBlock.h"

#include <cstddef>
#include <cstdint>

namespace dravinor::params {

// The parameter block with what is kept beside it: the working copies of the
// flag bytes, the ignition constant, the temperature-sensor memory and the
// values the live view and the auto-adaptation read.
class ParameterState {
public:
    ParameterBlock& block() { return block_; }
    const ParameterBlock& block() const { return block_; }

    // The default set, put into the block and the flag copies; nothing is
    // sent. Bytes 0 and 36..63 and bits 3-7 of flag byte B stay as they were.
    void loadDefaults();

    // Refreshes everything derived from the block: flag copies, K from
    // parameter 13, TPS sectors, lambda threshold copies, TPS colours.
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
    int tpsSectorTop() const { return tpsSectorTop_; }
    int tpsSectorWidth() const { return tpsSectorWidth_; }
    void setTpsSectorTop(int value) { tpsSectorTop_ = value; }
    void setTpsSectorWidth(int value) { tpsSectorWidth_ = value; }

    // Parameter 1 as the live view compares it, and the copy the
    // auto-adaptation divides by (0 replaced by 1).
    int lambdaThreshold() const { return lambdaThreshold_; }
    int lambdaThresholdNonZero() const { return lambdaThresholdNonZero_; }
    void setLambdaThreshold(std::uint8_t raw);

    TpsColours tpsColours() const { return tpsColours_; }
    void setTpsColours(TpsColours colours) { tpsColours_ = colours; }

    // Addresses whose value in the block is not the controller's: its last
    // read got no valid answer for them, and nothing has set them since (an
    // acknowledged write, the default set, a parameter file).
    const AddressSet& unreadAddresses() const { return unread_; }
    bool isUnread(int address) const;
    bool anyUnread() const { return unread_.any(); }
    void setUnread(int address, bool unread);
    // A parameter file of that many bytes was loaded over the block.
    void noteFileLoaded(std::size_t byteCount);

private:
    ParameterBlock block_;
    std::uint8_t flagByteA_ = 0;
    std::uint8_t flagByteB_ = 0;
    float ignitionConstant_ = initialIgnitionConstant;
    int ignitionItem_ = 0;
    bool temperatureSensorMemory_ = true;
    int tpsSectorTop_ = 0;
    int tpsSectorWidth_ = 0;
    int lambdaThreshold_ = 0;
    int lambdaThresholdNonZero_ = 1;
    TpsColours tpsColours_;
    AddressSet unread_;
};

}  // namespace dravinor::params
