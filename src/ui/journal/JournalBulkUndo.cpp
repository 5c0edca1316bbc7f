#include "ui/journal/JournalWindow.h"

#include "fields/ParameterDiff.h"
#include "params/ControllerSession.h"
#include "params/JournalUndo.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/journal/JournalTableModel.h"
#include "ui/journal/JournalTexts.h"
#include "ui/status/BackupTexts.h"

namespace dravinor::ui {

void JournalWindow::undoBulkWrite(const params::UndoPlan& plan)
{
    const params::NamedBackup backup = params::backupOf(plan.entry, session_.backups());
    const QString file = QString::fromStdString(params::journalBackupName(plan.entry));
    if (!backup.usable()) {
        dialogs_.showMessage(texts::backupUnreadable(file, backup.read));
        return;
    }
    // Counted against what the controller holds; without a whole read, what the pages show.
    const auto current = session_.transfer().controllerSet().value_or(session_.state().block());
    const auto changes = fields::compareParameterSets(current, *backup.read.set).size();
    QString question =
        texts::restoreQuestion(model_->cellText(plan.entry, JournalTableModel::Field),
                               model_->cellText(plan.entry, JournalTableModel::Time), file, static_cast<int>(changes));
    if (plan.otherSet)
        question = slotText(journal::undoOtherSet) + '\n' + question;
    if (!dialogs_.askYesNoDefaultNo(question))
        return;
    const params::BulkWriteOutcome outcome =
        params::writeBackupBack(session_.transfer(), session_.state(), *backup.read.set);
    refresh();
    if (bulkWritten_)
        bulkWritten_(outcome);
    if (outcome.portLost || !outcome.allConfirmed())
        dialogs_.showMessage(slotText(journal::undoFailed));
}

}  // namespace dravinor::ui
