#pragma once

#include "lang/TextSlots.h"
#include "params/SetBackup.h"

#include <QString>

namespace dravinor::ui::texts {

// Text keys (slots 51560-51570) of the backups kept before bulk writes, the question before a
// recent file is written and the undo of a bulk write.
namespace backupKey = lang::slot::backup;

// What became of the backup of a bulk write, to follow its result on the
// status lines; empty when there was nothing to keep (no controller).
QString backupStatus(const params::SetBackup& backup);

// "Ostatnie pliki": whether to load the file and write it, with the number
// of values it changes and, when the controller's set is not known whole,
// that no backup will be kept.
QString recentFileQuestion(const QString& path, int changes, bool backupAhead);
// Any question before a whole set is written, with the count of values it
// changes and, where no backup can be kept, that it cannot.
QString setWriteQuestion(const QString& question, int changes, bool backupAhead);

// Whether to write the backup of a bulk write back, with when the write
// was and how many values the backup changes.
QString restoreQuestion(const QString& write, const QString& time, const QString& fileName, int changes);

// Why a backup named in the journal cannot be written back.
QString backupUnreadable(const QString& fileName, const params::BackupRead& read);

}  // namespace dravinor::ui::texts
