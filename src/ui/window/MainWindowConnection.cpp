#include "ui/window/MainWindow.h"

#include "live/LivePage.h"
#include "params/ControllerSession.h"
#include "params/ParameterFile.h"
#include "ui/connection/ReconnectWatch.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/language/SlotText.h"
#include "ui/pages/ParameterPages.h"
#include "ui/status/FileStatusTexts.h"
#include "ui/status/ReadTexts.h"
#include "ui/status/TransferStatusTexts.h"
#include "ui/status/UnreadReport.h"
#include "ui/window/FileMemory.h"
#include "ui/window/WindowMenus.h"
#include "ui/window/WindowTexts.h"

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
    if (const auto& portItems = menus_->portItems(); outcome.checks.kind != PortChecks::Kind::Unchanged) {
        for (int i = 0; i < static_cast<int>(portItems.size()); ++i)
            portItems[static_cast<std::size_t>(i)]->setChecked(outcome.checks.kind == PortChecks::Kind::Only &&
                                                               outcome.checks.index == i);
    }
    reconnect_->follow();
}

void MainWindow::redrawTitle()
{
    if (titleSaysNoController_)
        setWindowTitle(texts::titlePrefix + texts::noController);
    if (titleSaysVersionUnknown_) {
        controllerVersion_ = texts::versionUnknown;
        setWindowTitle(texts::titlePrefix + controllerVersion_);
    }
    reconnect_->redrawTitle();
}

QString MainWindow::aboutVersion() const
{
    // The title's version text is Polish in every language; the box says it in the current one.
    const auto identity = session_.connection().identity();
    return controllerVersion_.isEmpty() ? QString()
           : identity                   ? slotText(lang::slot::aboutControllerVersion).arg(identity->firmware())
                                        : slotText(lang::slot::versionUnknown);
}

void MainWindow::buildReconnectWatch()
{
    reconnect_ = new ReconnectWatch(session_, this,
                                    {[this](const ConnectionOutcome& outcome) { applyOutcome(outcome); },
                                     [this](int line, const StatusText& text) { showStatus(line, text); },
                                     // The wizard owns its exchanges: it is not read under it.
                                     [this] { return currentPage_ != TabAuto; }, [this] { showParameters(); }});
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

void MainWindow::readParametersAgain()
{
    statusBars_[1]->show();
    progressBars_[1]->hide();
    applyOutcome(session_.connection().reidentify());
    pages_->showParameters();
}

}  // namespace dravinor::ui
