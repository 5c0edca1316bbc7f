#pragma once

#include "lang/TextSlots.h"

#include <QString>

namespace dravinor::ui {

// The slot's current text: read at the moment of use, never kept.
inline QString slotText(int key)
{
    const std::string& text = lang::textSlots().text(key);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A named text slot that reads as its current text wherever a QString is
// expected.
struct SlotText {
    int key;
    operator QString() const { return slotText(key); }
};

inline QString operator+(const QString& left, SlotText right)
{
    return left + slotText(right.key);
}

}  // namespace dravinor::ui
