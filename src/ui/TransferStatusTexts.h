#pragma once

#include "ParameterTransfer.h"
#include "SlotText.h"

#include <QString>

#include <cstdint>

namespace dravinor::ui::texts {

// Status-line texts for what a bulk write or a file load left behind.
inline QString portLostDuringWrite(const params::BulkWriteOutcome& outcome)
{
    QString text = slotText(lang::slot::portLostDuringWrite).arg(outcome.parametersWritten());
    if (outcome.mixedSet())
        text += slotText(lang::slot::mixedSetAfterWrite);
    return text;
}

inline QString unusualFileSize(std::uintmax_t size)
{
    return slotText(lang::slot::unusualFileSize).arg(static_cast<qulonglong>(size));
}

}  // namespace dravinor::ui::texts
