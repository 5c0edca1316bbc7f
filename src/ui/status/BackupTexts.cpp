#include "ui/status/BackupTexts.h"

#include "params/PathText.h"
#include "ui/language/SlotText.h"
#include "ui/status/FileStatusTexts.h"

namespace dravinor::ui::texts {

QString backupStatus(const params::SetBackup& backup)
{
    const QString file = QString::fromStdString(params::utf8Text(backup.file.filename()));
    switch (backup.status) {
    case params::SetBackup::Status::Kept: return slotText(backupKey::kept).arg(file);
    case params::SetBackup::Status::SetNotKnown: return slotText(backupKey::setNotKnown);
    case params::SetBackup::Status::NotSaved:
        return slotText(backupKey::notSaved).arg(file, QString::fromStdString(backup.systemText));
    case params::SetBackup::Status::NotAsked:
    case params::SetBackup::Status::NoController: break;
    }
    return {};
}

namespace {

// The count on a line of its own, where a glance finds it.
QString withChanges(const QString& question, int changes)
{
    return question + '\n' + slotText(backupKey::valuesChanged).arg(changes);
}

}  // namespace

QString setWriteQuestion(const QString& question, int changes, bool backupAhead)
{
    QString whole = withChanges(question, changes);
    if (!backupAhead)
        whole += '\n' + slotText(backupKey::noBackupAhead);
    return whole;
}

QString recentFileQuestion(const QString& path, int changes, bool backupAhead)
{
    return setWriteQuestion(slotText(backupKey::recentFileQuestion).arg(fileName(path)), changes, backupAhead);
}

QString restoreQuestion(const QString& write, const QString& time, const QString& fileName, int changes)
{
    return withChanges(slotText(backupKey::restoreQuestion).arg(write, time, fileName), changes);
}

QString backupUnreadable(const QString& fileName, const params::BackupRead& read)
{
    QString why;
    if (read.wrongSize)
        why = slotText(backupKey::notWholeBackup);
    else if (read.load.error == params::FileError::NotAFile && read.load.systemText == "not a regular file")
        why = slotText(fileKey::notRegularFile);
    else
        why = QString::fromStdString(read.load.systemText);
    return slotText(backupKey::backupUnreadable).arg(fileName, why);
}

}  // namespace dravinor::ui::texts
