#include "ui/window/MainWindow.h"

#include "params/ControllerSession.h"
#include "ui/wizard/WizardController.h"

#include "ui/connection/ConnectionPresenter.h"
#include "ui/language/LanguageChoice.h"
#include "ui/report/ReportDialog.h"

#include "ui/book/CarBookHandOver.h"

namespace dravinor::ui {

// The car book is handed what it needs here; the book itself is opened when
// the fitter first uses it, never at start-up.

void MainWindow::buildCarBook()
{
    carBook_ = new CarBookHandOver(session_, ownDialogs_ ? nullptr : &dialogs_,
                                   CarBookHost{this, pageControl_,
                                               [this](const QString& text) {
                                                   // After what the read or write said, never in its place.
                                                   for (int line = 1; line <= 2; ++line) {
                                                       const QString before = statusText(line);
                                                       showStatus(line, before.isEmpty() ? text : before + "; " + text);
                                                   }
                                               },
                                               [this](const params::ParameterBlock& set, const QString& question) {
                                                   writeWholeSet(set, question);
                                               },
                                               [this](const QString& topic) { language_->showHelpAt(topic); }});
    connection_->afterWholeRead = [this] { carBook_->afterWholeRead(); };
    connection_->afterBulkWrite = [this](const params::BulkWriteOutcome& outcome) {
        carBook_->afterBulkWrite(outcome);
    };
    session_.journalRecorder().setAppendListener(
        [this](const std::vector<params::JournalEntry>& entries) { carBook_->afterWrites(entries); });
}

void MainWindow::showCarBook()
{
    carBook_->showWindow();
}

void MainWindow::redrawCarBook()
{
    if (carBook_)
        carBook_->redrawTexts();
}

void MainWindow::lendCarBookTo(ReportDialog& dialog)
{
    carBook_->fillReport(dialog);
    connect(&dialog, &ReportDialog::saved, this, [this](const QString& path) { carBook_->afterReportSaved(path); });
}

void MainWindow::recordLeftWizard()
{
    if (wizard_)
        carBook_->afterAdaptation(wizard_->engine().result());
}

void MainWindow::destroyCarBook()
{
    session_.journalRecorder().setAppendListener({});
    delete carBook_;
    carBook_ = nullptr;
}

}  // namespace dravinor::ui
