#include "ui/window/MainWindow.h"

#include "ui/dialogs/Dialogs.h"
#include "ui/journal/JournalWindow.h"

namespace dravinor::ui {

void MainWindow::showJournal()
{
    if (!journalWindow_)
        journalWindow_ =
            new JournalWindow(session_, ownDialogs_ ? nullptr : &dialogs_, this,
                              [this](const params::BulkWriteOutcome& outcome) { showBulkWriteResult(outcome); });
    journalWindow_->refresh();
    journalWindow_->showOver(*this);
    journalWindow_->raise();
    journalWindow_->activateWindow();
}

}  // namespace dravinor::ui
