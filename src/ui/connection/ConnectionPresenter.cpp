#include "ui/connection/ConnectionPresenter.h"

#include "params/ControllerSession.h"
#include "ui/connection/ReconnectWatch.h"
#include "ui/language/SlotText.h"
#include "ui/pages/ParameterPages.h"
#include "ui/status/StatusLines.h"
#include "ui/status/UnreadReport.h"
#include "ui/window/WindowTexts.h"

#include <QAction>
#include <QProgressBar>
#include <QStatusBar>
#include <QWidget>

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

ConnectionPresenter::ConnectionPresenter(params::ControllerSession& session, QWidget& window, StatusLines& statusLines,
                                         StatusBars bars, ParameterPages& pages, QWidget* pagesRoot,
                                         const std::array<QAction*, 8>& portItems, ReconnectWatch& reconnect)
    : session_(session), window_(window), statusLines_(statusLines), bars_(bars), pages_(pages), pagesRoot_(pagesRoot),
      portItems_(portItems), reconnect_(reconnect)
{
    session_.transfer().setObserver(this);
}

ConnectionPresenter::~ConnectionPresenter()
{
    session_.transfer().setObserver(nullptr);
}

QString ConnectionPresenter::statusText(int line) const
{
    return bars_.lines[static_cast<std::size_t>(line - 1)]->currentMessage();
}

void ConnectionPresenter::paintScanStatus()
{
    session_.connection().setStatusListener([this](const link::StatusUpdate& update) {
        showConnectionStatus(update);
        QStatusBar* bar = bars_.lines[update.line == link::StatusLine::First ? 0 : 1];
        if (bar->isVisible())
            bar->repaint();
    });
}

void ConnectionPresenter::showConnectionStatus(const link::StatusUpdate& status)
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
    bars_.progress[line]->hide();
    bars_.lines[line]->show();
    statusLines_.show(static_cast<int>(line) + 1, text);
}

void ConnectionPresenter::applyOutcome(const ConnectionOutcome& outcome)
{
    if (outcome.status)
        showConnectionStatus(*outcome.status);
    if (outcome.connected)
        showUnreadStatus(true);
    if (outcome.connected && afterWholeRead && session_.lastRead().complete() && session_.lastRead().accepted > 0)
        afterWholeRead();
    switch (outcome.title.kind) {
    case TitleUpdate::Kind::NoController:
        window_.setWindowTitle(texts::titlePrefix + texts::noController);
        titleSaysNoController_ = true;
        titleSaysVersionUnknown_ = false;
        controllerVersion_.clear();
        break;
    case TitleUpdate::Kind::Version:
        controllerVersion_ = QString::fromStdString(outcome.title.versionText);
        window_.setWindowTitle(texts::titlePrefix + controllerVersion_);
        titleSaysNoController_ = false;
        titleSaysVersionUnknown_ = false;
        break;
    case TitleUpdate::Kind::VersionUnknown:
        // Never a guessed version: the controller is there, its version is not known.
        controllerVersion_ = texts::versionUnknown;
        window_.setWindowTitle(texts::titlePrefix + controllerVersion_);
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
    reconnect_.follow();
}

void ConnectionPresenter::redrawTitle()
{
    if (titleSaysNoController_)
        window_.setWindowTitle(texts::titlePrefix + texts::noController);
    if (titleSaysVersionUnknown_) {
        controllerVersion_ = texts::versionUnknown;
        window_.setWindowTitle(texts::titlePrefix + controllerVersion_);
    }
}

QString ConnectionPresenter::aboutVersion() const
{
    // The title's version text is Polish in every language; the box says it in the current one.
    const auto identity = session_.connection().identity();
    return controllerVersion_.isEmpty() ? QString()
           : identity                   ? slotText(lang::slot::aboutControllerVersion).arg(identity->firmware())
                                        : slotText(lang::slot::versionUnknown);
}

void ConnectionPresenter::showUnreadStatus(bool afterRead)
{
    // A read that left values unread says so over the port's name; a later
    // full read takes that back, and a new language says it anew.
    const QString unread = unreadStatusText(session_.state(), pagesRoot_, session_.lastRead());
    for (int line = 1; line <= 2; ++line) {
        if ((afterRead && !unread.isEmpty()) || (!unreadStatus_.isEmpty() && statusText(line) == unreadStatus_)) {
            statusLines_.show(line, unread);
            // The whole list, where the line is too short for it.
            bars_.lines[static_cast<std::size_t>(line - 1)]->setToolTip(unread);
        }
    }
    unreadStatus_ = unread;
}

void ConnectionPresenter::choosePort(int index)
{
    applyOutcome(session_.connection().choosePortItem(index));
}

void ConnectionPresenter::autodetectFromMenu()
{
    applyOutcome(session_.connection().autodetectFromMenu());
}

void ConnectionPresenter::readParametersAgain()
{
    bars_.lines[1]->show();
    bars_.progress[1]->hide();
    applyOutcome(session_.connection().reidentify());
    pages_.showParameters();
}

// Reading all parameters: the progress bars stand in for the status lines.
void ConnectionPresenter::readStarted(int total)
{
    for (std::size_t line = 0; line < 2; ++line) {
        bars_.lines[line]->hide();
        bars_.progress[line]->setMaximum(total);
        bars_.progress[line]->show();
    }
}

void ConnectionPresenter::readProgress(int accepted)
{
    // Painted at once, without running the event loop: no timer or queued
    // focus move may start another exchange in the middle of this one.
    for (QProgressBar* bar : bars_.progress) {
        bar->setValue(accepted);
        if (bar->isVisible())
            bar->repaint();
    }
}

void ConnectionPresenter::readFinished()
{
    for (std::size_t line = 0; line < 2; ++line) {
        bars_.lines[line]->show();
        bars_.progress[line]->hide();
    }
}

void ConnectionPresenter::showParameters()
{
    pages_.showParameters();
    showUnreadStatus(false);
}

void ConnectionPresenter::writeStarted()
{
    statusLines_.show(1, QString());
}

void ConnectionPresenter::writeFinished(const params::WriteOutcome& outcome)
{
    // An unplug is told first; the write's own failure follows on line 1.
    reconnect_.checkLine();
    // A value the controller took is no longer missing from the count.
    showUnreadStatus(false);
    if (!outcome.failed())
        return;
    const bool ramFailed = outcome.ramWritten && !outcome.ramAcknowledged;
    const bool eepromFailed = !outcome.eepromAcknowledged;
    statusLines_.show(1, StatusText([ramFailed, eepromFailed] {
                          QString text = texts::cannotWrite;
                          if (ramFailed)
                              text += texts::ramSuffix;
                          if (eepromFailed)
                              text += texts::eepromSuffix;
                          return text;
                      }));
}

// A bulk write shows its progress where the read shows its own.
void ConnectionPresenter::bulkWriteStarted(int steps)
{
    for (std::size_t line = 0; line < 2; ++line)
        barsBeforeBulkWrite_[line] = {bars_.progress[line]->maximum(), bars_.progress[line]->value()};
    readStarted(steps);
    for (QProgressBar* bar : bars_.progress)
        bar->setValue(0);
}

void ConnectionPresenter::bulkWriteProgress(int done, int steps)
{
    for (QProgressBar* bar : bars_.progress)
        bar->setMaximum(steps);
    readProgress(done);
}

void ConnectionPresenter::bulkWriteFinished(const params::BulkWriteOutcome& outcome)
{
    reconnect_.checkLine();  // the write's result is told after it
    readFinished();
    for (std::size_t line = 0; line < 2; ++line) {
        bars_.progress[line]->setMaximum(barsBeforeBulkWrite_[line].first);
        bars_.progress[line]->setValue(barsBeforeBulkWrite_[line].second);
    }
    if (afterBulkWrite)
        afterBulkWrite(outcome);
}

}  // namespace dravinor::ui
