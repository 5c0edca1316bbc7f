#pragma once

#include "params/ParameterTransfer.h"
#include "ui/language/SlotText.h"
#include "ui/status/BackupTexts.h"
#include "ui/status/ReadTexts.h"
#include "ui/window/WindowTexts.h"

#include <QString>
#include <QStringList>

#include <cstdint>

class QWidget;

namespace dravinor::ui::texts {

// The status line after a bulk write ("Zapisz Parametry", a reset, a loaded
// file): that all 35 parameters were confirmed (after re-writes, if any), or
// the captions of those that were not. Captions are found under root in the
// current language.
QString bulkWriteResult(const params::BulkWriteOutcome& outcome, const QWidget* root);

// Status-line texts for what a bulk write or a file load left behind.
inline QString portLostDuringWrite(const params::BulkWriteOutcome& outcome)
{
    QString text = slotText(lang::slot::portLostDuringWrite).arg(outcome.parametersWritten());
    if (outcome.mixedSet())
        text += slotText(lang::slot::mixedSetAfterWrite);
    // EEPROM took all of it, but the working copy only in part.
    if (outcome.ramPartlyRefreshed())
        text += slotText(backupKey::ramPartlyRefreshed).arg(outcome.ramWordsRefreshed());
    return text;
}

inline QString unusualFileSize(std::uintmax_t size)
{
    return slotText(lang::slot::unusualFileSize).arg(static_cast<qulonglong>(size));
}

// After a read that left values unread: how many of the 35, and their captions.
inline QString unreadAfterRead(int count, const QString& captions)
{
    return slotText(reads::unreadStatus).arg(count).arg(captions);
}

// Where a read stopped early and how many it never asked, for the status
// line ("Sterownik przestał odpowiadać przy adresie 9, o 26 dalszych
// parametrów nie pytano"); empty when it did not stop.
inline QString readStop(const params::ReadAllResult& read)
{
    QString text;
    switch (read.stop) {
    case params::ReadStop::None: return {};
    case params::ReadStop::Silent: text = slotText(lang::slot::readStoppedSilent); break;
    case params::ReadStop::Garbled: text = slotText(lang::slot::readStoppedGarbled); break;
    case params::ReadStop::PortLost: text = slotText(lang::slot::readStoppedPortLost); break;
    }
    text = read.stoppedAt > 0 ? text.arg(read.stoppedAt) : slotText(lang::slot::readStoppedBeforeFirst);
    if (!read.notAsked.empty())
        text += QStringLiteral(", ") + slotText(lang::slot::readNotAsked).arg(static_cast<int>(read.notAsked.size()));
    return text;
}

// No controller answered the scan at start-up: its reason (the last port
// that did not open, or the ports that stayed silent), then that the pages
// show the default set and not the car's.
inline QString defaultSetShown(const QStringList& silentPorts, const QString& separator)
{
    const QString reason =
        silentPorts.isEmpty() ? QString(cannotOpenPort) : slotText(reads::silentPorts).arg(silentPorts.join(separator));
    return reason + QStringLiteral(" - ") + slotText(reads::defaultSetShown);
}

}  // namespace dravinor::ui::texts
