#include "MainWindow.h"

#include "ControllerSession.h"
#include "Dialogs.h"
#include "FileMemory.h"
#include "FileStatusTexts.h"
#include "ParameterFile.h"
#include "ParameterPages.h"
#include "LivePage.h"
#include "ReadTexts.h"
#include "ReconnectWatch.h"
#include "TransferStatusTexts.h"
#include "UnreadReport.h"
#include "WindowTexts.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QProgressBar>
#include <QStatusBar>

namespace dravinor::ui {

using link::ConnectionOutcome;
using link::PortChecks;
using link::StatusMessage;
using link::TitleUpdate;

namespace {

QString connectionText(StatusMessage message)
{
    switch (message) {
    case StatusMessage::CannotOpenPort: return texts::cannotOpenPort;
    case StatusMessage::WrongController: return texts::wrongController;
    case StatusMessage::PortOpen: return texts::portOpen;
    }
    return {};
}

}  // namespace

void MainWindow::showConnectionStatus(const link::StatusUpdate& status)
{
    const StatusMessage message = status.message;
    const QString port = QString::fromStdString(status.portName);
    const StatusText text([message, port] {
        QString said = connectionText(message);
        if (!port.isEmpty())
            said += " - " + port;
        return said;
    });
    const std::size_t line = status.line == link::StatusLine::First ? 0 : 1;
    progressBars_[line]->hide();
    statusBars_[line]->show();
    showStatus(static_cast<int>(line) + 1, text);
}

void MainWindow::applyOutcome(const ConnectionOutcome& outcome)
{
    if (outcome.status)
        showConnectionStatus(*outcome.status);
    if (outcome.connected)
        showUnreadStatus(true);
    switch (outcome.title.kind) {
    case TitleUpdate::Kind::NoController:
        setWindowTitle(texts::titlePrefix + texts::noController);
        titleSaysNoController_ = true;
        titleSaysVersionUnknown_ = false;
        controllerVersion_.clear();
        break;
    case TitleUpdate::Kind::Version:
        controllerVersion_ = QString::fromStdString(outcome.title.versionText);
        setWindowTitle(texts::titlePrefix + controllerVersion_);
        titleSaysNoController_ = false;
        titleSaysVersionUnknown_ = false;
        break;
    case TitleUpdate::Kind::VersionUnknown:
        // Never a guessed version: the controller is there, its version is not known.
        controllerVersion_ = texts::versionUnknown;
        setWindowTitle(texts::titlePrefix + controllerVersion_);
        titleSaysNoController_ = false;
        titleSaysVersionUnknown_ = true;
        break;
    case TitleUpdate::Kind::Unchanged: break;
    }
    if (outcome.checks.kind != PortChecks::Kind::Unchanged) {
        for (int i = 0; i < static_cast<int>(portItems_.size()); ++i)
            portItems_[static_cast<std::size_t>(i)]->setChecked(outcome.checks.kind == PortChecks::Kind::Only &&
                                                                 outcome.checks.index == i);
    }
    reconnect_->follow();
}

void MainWindow::buildReconnectWatch()
{
    reconnect_ = new ReconnectWatch(session_, this,
                                    {[this](const ConnectionOutcome& outcome) { applyOutcome(outcome); },
                                     [this](int line, const StatusText& text) { showStatus(line, text); },
                                     // The wizard owns its exchanges: it is not read under it.
                                     [this] { return currentPage_ != TabAuto; },
                                     [this] { showParameters(); }});
    // A poll that met a dead port tells it at once.
    connect(livePage_, &live::LivePage::controllerAbsent, reconnect_, &ReconnectWatch::checkLine);
}

void MainWindow::showUnreadStatus(bool afterRead)
{
    // A read that left values unread says so over the port's name; a later
    // full read takes that back, and a new language says it anew.
    const QString unread = unreadStatusText(session_.state(), pageControl_, session_.lastRead());
    for (int line = 1; line <= 2; ++line) {
        if ((afterRead && !unread.isEmpty()) || (!unreadStatus_.isEmpty() && statusText(line) == unreadStatus_)) {
            showStatus(line, unread);
            // The whole list, where the line is too short for it.
            statusBars_[static_cast<std::size_t>(line - 1)]->setToolTip(unread);
        }
    }
    unreadStatus_ = unread;
}

void MainWindow::choosePort(int index)
{
    applyOutcome(session_.connection().choosePortItem(index));
}

void MainWindow::autodetectFromMenu()
{
    applyOutcome(session_.connection().autodetectFromMenu());
}

// Reading all parameters: the progress bars stand in for the status lines.
void MainWindow::readStarted(int total)
{
    for (std::size_t line = 0; line < 2; ++line) {
        statusBars_[line]->hide();
        progressBars_[line]->setMaximum(total);
        progressBars_[line]->show();
    }
}

void MainWindow::readProgress(int accepted)
{
    // Painted at once, without running the event loop: no timer or queued
    // focus move may start another exchange in the middle of this one.
    for (QProgressBar* bar : progressBars_) {
        bar->setValue(accepted);
        if (bar->isVisible())
            bar->repaint();
    }
}

void MainWindow::readFinished()
{
    for (std::size_t line = 0; line < 2; ++line) {
        statusBars_[line]->show();
        progressBars_[line]->hide();
    }
}

void MainWindow::showParameters()
{
    pages_->showParameters();
    showUnreadStatus(false);
}

void MainWindow::writeStarted()
{
    showStatus(1, QString());
}

void MainWindow::writeFinished(const params::WriteOutcome& outcome)
{
    // An unplug is told first; the write's own failure follows on line 1.
    reconnect_->checkLine();
    // A value the controller took is no longer missing from the count.
    showUnreadStatus(false);
    if (!outcome.failed())
        return;
    const bool ramFailed = outcome.ramWritten && !outcome.ramAcknowledged;
    const bool eepromFailed = !outcome.eepromAcknowledged;
    showStatus(1, StatusText([ramFailed, eepromFailed] {
                   QString text = texts::cannotWrite;
                   if (ramFailed)
                       text += texts::ramSuffix;
                   if (eepromFailed)
                       text += texts::eepromSuffix;
                   return text;
               }));
}

// A bulk write shows its progress where the read shows its own.
void MainWindow::bulkWriteStarted(int steps)
{
    for (std::size_t line = 0; line < 2; ++line)
        barsBeforeBulkWrite_[line] = {progressBars_[line]->maximum(), progressBars_[line]->value()};
    readStarted(steps);
    for (QProgressBar* bar : progressBars_)
        bar->setValue(0);
}

void MainWindow::bulkWriteProgress(int done, int steps)
{
    for (QProgressBar* bar : progressBars_)
        bar->setMaximum(steps);
    readProgress(done);
}

void MainWindow::bulkWriteFinished(const params::BulkWriteOutcome&)
{
    reconnect_->checkLine();  // the write's result is told after it
    readFinished();
    for (std::size_t line = 0; line < 2; ++line) {
        progressBars_[line]->setMaximum(barsBeforeBulkWrite_[line].first);
        progressBars_[line]->setValue(barsBeforeBulkWrite_[line].second);
    }
}

void MainWindow::showBulkWriteResult(const params::BulkWriteOutcome& outcome)
{
    const QString text = texts::bulkWriteResult(outcome, this);
    showStatus(1, text);
    showStatus(2, text);
}

void MainWindow::resetParameters()
{
    showBulkWriteResult(session_.transfer().resetParameters());
}

void MainWindow::writeAllParameters()
{
    if (!confirmDespiteUnread(dialogs_, reads::writeAllQuestion, session_.state(), pageControl_))
        return;
    showBulkWriteResult(session_.transfer().writeAll());
}

void MainWindow::readParametersAgain()
{
    statusBars_[1]->show();
    progressBars_[1]->hide();
    applyOutcome(session_.connection().reidentify());
    pages_->showParameters();
}

void MainWindow::saveParameterFile()
{
    if (!confirmDespiteUnread(dialogs_, reads::saveQuestion, session_.state(), pageControl_))
        return;
    const QString path = dialogs_.chooseSaveFile(fileMemory_->folder(FileMemory::Kind::ParameterFiles),
                                                 texts::fileFilter, QStringLiteral("PAR"));
    if (path.isEmpty())
        return;
    fileMemory_->noteChosen(FileMemory::Kind::ParameterFiles, path);
    const auto result = params::saveParameterFile(path.toStdString(), session_.state().block());
    // Saved or not, the status line says so, and names the backup.
    showFileStatus(texts::saveStatus(path, result));
    if (result.ok()) {
        fileMemory_->noteParameterFile(path);
        return;
    }
    // Unlike a silent failure, the fitter learns the set was not kept.
    dialogs_.showError(texts::errorCaption, texts::cannotSave + "\n" + path + "\n" +
                                                QString::fromStdString(result.systemText));
}

void MainWindow::showFileStatus(const QString& text)
{
    // The buttons are on the second page; the first page's line says it too.
    showStatus(1, text);
    showStatus(2, text);
}

void MainWindow::loadParameterFile()
{
    const QString path = dialogs_.chooseOpenFile(fileMemory_->folder(FileMemory::Kind::ParameterFiles), texts::fileFilter);
    if (path.isEmpty())
        return;
    fileMemory_->noteChosen(FileMemory::Kind::ParameterFiles, path);
    loadParameterFileFrom(path);
}

void MainWindow::loadRecentFile(const QString& path)
{
    // A file that is gone leaves the list; the load still says it could not read it.
    if (!QFileInfo::exists(path))
        fileMemory_->forgetParameterFile(path);
    loadParameterFileFrom(path);
}

void MainWindow::loadParameterFileFrom(const QString& path)
{
    const auto result = params::loadParameterFile(path.toStdString(), session_.state().block());
    if (!result.ok()) {
        showFileStatus(texts::loadFailure(path, result));
        dialogs_.showError(texts::errorCaption, texts::cannotRead);
        return;
    }
    fileMemory_->noteParameterFile(path);
    session_.state().noteFileLoaded(static_cast<std::size_t>(result.fileSize));
    pages_->showParameters();
    showUnreadStatus(false);
    QString loaded = slotText(texts::fileKey::loaded).arg(texts::fileName(path));
    if (result.fileSize != params::ParameterBlock::size)
        loaded += " - " + texts::unusualFileSize(result.fileSize);
    const params::ScopedWriteSource source(session_.transfer(), "file");
    const auto outcome = session_.transfer().writeAll();
    // The written part is the bulk write's own outcome.
    showFileStatus(loaded + "; " + texts::loadedSetWritten(outcome, this));
}

}  // namespace dravinor::ui
