#pragma once

#include <QColor>

#include <array>

namespace dravinor::live {

// A zone of the scale in parts per thousand, both bounds inclusive.
struct Sector {
    int from = 0;
    int to = 0;
    QColor color;

    bool operator==(const Sector&) const = default;
};

using Sectors = std::array<Sector, 3>;

// Yellow 0-333, green 334-666, red 667-1000.
Sectors defaultSectors();

// The value model every analog instrument shares: a value in engineering
// units, its digital step (Digit) and its place on the scale in ppt.
// Setters return whether anything visible changed, so widgets repaint only then.
class InstrumentValue {
public:
    InstrumentValue();

    bool setValue(float v);
    bool setDigit(int d);
    bool setValueFrom(float v);
    bool setValueTo(float v);
    bool setDigitalFrom(int d);
    bool setDigitalTo(int d);
    // True when a limit flag changed.
    bool setLimits(float lower, float upper);
    bool setSectors(const Sectors& sectors);
    bool setSector(int index, const Sector& sector);

    float value() const { return value_; }
    int digit() const { return digit_; }
    // Position drawn, clamped to 0..1000.
    int ppt() const;
    // Position before clamping; may lie outside the scale.
    int rawPpt() const { return ppt_; }
    float valueFrom() const { return valueFrom_; }
    float valueTo() const { return valueTo_; }
    int digitalFrom() const { return digitalFrom_; }
    int digitalTo() const { return digitalTo_; }
    float limitLower() const { return limitLower_; }
    float limitUpper() const { return limitUpper_; }
    bool isBelowLowerLimit() const { return belowLower_; }
    bool isAboveUpperLimit() const { return aboveUpper_; }
    bool isOutsideLimits() const { return belowLower_ || aboveUpper_; }
    const Sectors& sectors() const { return sectors_; }
    // Index of the zone holding the drawn position (later zones win), or -1.
    int sectorIndex() const;
    // Colour of that zone; invalid when no zone holds it.
    QColor sectorColor() const;

private:
    int digitFor(float v) const;
    float valueFor(int d) const;
    int pptFor(int d) const;
    bool updateLimitFlags();
    bool remap();

    float valueFrom_;
    float valueTo_ = 100.0f;
    int digitalFrom_ = 0;
    int digitalTo_ = 100;
    float value_ = 0.0f;
    int digit_ = 0;
    int ppt_ = 0;
    float limitLower_;
    float limitUpper_;
    bool belowLower_ = false;
    bool aboveUpper_ = false;
    Sectors sectors_;
};

}  // namespace dravinor::live
