#pragma once

#include "live/SaveRefusalText.h"
#include "params/ParameterFile.h"
#include "params/ParameterTransfer.h"
#include "ui/language/SlotText.h"
#include "ui/status/TransferStatusTexts.h"

#include <QFileInfo>
#include <QString>

namespace dravinor::ui::texts {

using live::saveRefusalText;

// Text keys of what the status lines say after "Zapis do pliku" and
// "Odczyt z pliku".
namespace fileKey = lang::slot::fileStatus;

inline QString fileName(const QString& path)
{
    return QFileInfo(path).fileName();
}

// "Zapisano plik A.PAR; poprzednia wersja: A.BAK", or why nothing was saved.
inline QString saveStatus(const QString& path, const params::SaveResult& result)
{
    const QString backup = fileName(QString::fromStdString(params::backupPathFor(path.toStdString()).string()));
    if (result.ok()) {
        QString text = slotText(fileKey::saved).arg(fileName(path));
        if (result.backup == params::BackupOutcome::Created)
            text += "; " + slotText(fileKey::backupCreated).arg(backup);
        else if (result.backup == params::BackupOutcome::KeptExisting)
            text += "; " + slotText(fileKey::backupKept).arg(backup);
        return text;
    }
    QString why;
    switch (result.error) {
    case params::FileError::CannotCreate: why = slotText(fileKey::cannotCreate); break;
    case params::FileError::CannotReplace: why = slotText(fileKey::cannotReplace); break;
    case params::FileError::CannotBackUp: why = slotText(fileKey::cannotBackUp).arg(backup); break;
    case params::FileError::NotAFile:
        return slotText(fileKey::notSaved).arg(fileName(path), saveRefusalText(result.target));
    default: why = slotText(fileKey::cannotWrite); break;
    }
    if (!result.systemText.empty())
        why += " (" + QString::fromStdString(result.systemText) + ")";
    return slotText(fileKey::notSaved).arg(fileName(path), why);
}

// Why a file could not be loaded.
inline QString loadFailure(const QString& path, const params::LoadResult& result)
{
    const QString why = result.error == params::FileError::NotAFile && result.systemText == "not a regular file"
                            ? slotText(fileKey::notRegularFile)
                            : QString::fromStdString(result.systemText);
    return slotText(fileKey::notLoaded).arg(fileName(path), why);
}

// What the bulk write of a loaded file achieved: briefly when the
// controller confirmed all of it, otherwise what it did not confirm.
inline QString loadedSetWritten(const params::BulkWriteOutcome& outcome, const QWidget* root)
{
    if (!outcome.portLost && outcome.allConfirmed())
        return slotText(fileKey::written);
    return bulkWriteResult(outcome, root);
}

}  // namespace dravinor::ui::texts
