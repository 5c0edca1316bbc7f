#include "ui/connection/ReconnectWatch.h"

#include "params/ControllerSession.h"
#include "ui/connection/PortNotices.h"
#include "ui/window/WindowTexts.h"

#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

namespace dravinor::ui {

using params::ReconnectOutcome;
using params::ReconnectStep;

namespace {

QString identityText(link::ControllerIdentity identity)
{
    return slotText(lang::slot::controllerIdentity).arg(identity.type()).arg(identity.firmware());
}

}  // namespace

ReconnectWatch::ReconnectWatch(params::ControllerSession& session, QWidget* window, ReconnectServices services)
    : QObject(window), reconnection_(session), window_(window), services_(std::move(services)),
      retryTimer_(new QTimer(this)), lookTimer_(new QTimer(this))
{
    retryTimer_->setSingleShot(true);
    retryTimer_->setInterval(defaultRetryAfterMs);
    connect(retryTimer_, &QTimer::timeout, this, &ReconnectWatch::retry);
    lookTimer_->setInterval(lookEveryMs);
    connect(lookTimer_, &QTimer::timeout, this, &ReconnectWatch::look);
    new PortNotices([this] { onPortNotice(); }, this);
}

ReconnectWatch::~ReconnectWatch() = default;

void ReconnectWatch::setRetryPlan(int retries, int afterMs)
{
    retries_ = retries;
    retryTimer_->setInterval(afterMs);
}

void ReconnectWatch::follow()
{
    reconnection_.follow();
    if (!reconnection_.waiting()) {
        retryTimer_->stop();
        lookTimer_->stop();
        titleSaysLost_ = false;
    }
    watchDescriptor();
}

void ReconnectWatch::watchDescriptor()
{
    const int descriptor = reconnection_.descriptor();
    if (notifier_ && notifier_->socket() == descriptor)
        return;
    // Possibly inside the old notifier's own signal: let it go later, deaf now.
    if (notifier_) {
        notifier_->setEnabled(false);
        notifier_->deleteLater();
    }
    notifier_ = nullptr;
    if (descriptor < 0)
        return;
    notifier_ = new QSocketNotifier(descriptor, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &ReconnectWatch::onEvent);
}

void ReconnectWatch::checkLine()
{
    handle(reconnection_.checkLine());
}

void ReconnectWatch::onEvent()
{
    retriesLeft_ = retries_;
    handle(reconnection_.onWatchEvent(services_.readsAllowed()));
}

void ReconnectWatch::retry()
{
    handle(reconnection_.tryAgain(services_.readsAllowed()));
}

// The system told of a port arriving or leaving (Windows, for a USB
// adapter): the one in use may be gone, the one awaited may be back. The
// looks go on all the same: wine and programs' virtual ports tell nothing.
void ReconnectWatch::onPortNotice()
{
    if (reconnection_.waiting())
        look();
    else
        checkLine();
}

void ReconnectWatch::look()
{
    if (!reconnection_.waiting()) {
        lookTimer_->stop();
        return;
    }
    if (retryTimer_->isActive())
        return;  // what came back is tried again soon anyway
    ReconnectOutcome outcome = reconnection_.onWatchEvent(services_.readsAllowed());
    // A name that stays while its device is gone (wine's ports) is tried all the same.
    if (outcome.step == ReconnectStep::Nothing)
        outcome = reconnection_.tryAgain(services_.readsAllowed());
    // Still away: the lines go on saying so.
    if (outcome.step == ReconnectStep::NotYet && outcome.openError == link::OpenError::NotFound)
        return;
    handle(outcome);
}

void ReconnectWatch::handle(const ReconnectOutcome& outcome)
{
    switch (outcome.step) {
    case ReconnectStep::Nothing: return;
    case ReconnectStep::Lost: showLost(outcome); return;
    case ReconnectStep::Back: showBack(outcome); return;
    case ReconnectStep::OtherController: showOther(outcome); return;
    case ReconnectStep::NotYet:
        if (retriesLeft_-- > 0) {
            retryTimer_->start();
            return;
        }
        // Given up until the name comes again; the fitter may use the menu.
        const QString port = QString::fromStdString(outcome.portName);
        const int key = outcome.openError != link::OpenError::None ? lang::slot::adapterBackUnopened
                        : outcome.answeredUnclearly                ? lang::slot::adapterBackUnclear
                                                                   : lang::slot::adapterBackSilent;
        showBothLines(StatusText([key, port] { return slotText(key).arg(port); }));
        return;
    }
}

void ReconnectWatch::showBothLines(const StatusText& text)
{
    services_.showStatus(1, text);
    services_.showStatus(2, text);
}

void ReconnectWatch::showLost(const ReconnectOutcome& outcome)
{
    retryTimer_->stop();
    if (reconnection_.watching() && reconnection_.descriptor() < 0)
        lookTimer_->start();
    const QString port = QString::fromStdString(outcome.portName);
    showBothLines(StatusText([port] { return slotText(lang::slot::adapterUnplugged).arg(port); }));
    titleSaysLost_ = true;
    redrawTitle();
}

void ReconnectWatch::redrawTitle()
{
    if (titleSaysLost_)
        window_->setWindowTitle(texts::titlePrefix + slotText(lang::slot::adapterUnpluggedTitle));
}

void ReconnectWatch::showBack(const ReconnectOutcome& outcome)
{
    retryTimer_->stop();
    lookTimer_->stop();
    services_.applyOutcome(outcome.connection);
    if (outcome.pagesRead)
        services_.showParameters();
    const QString port = QString::fromStdString(outcome.portName);
    const int key = outcome.pagesRead ? lang::slot::adapterBackRead : lang::slot::adapterBack;
    titleSaysLost_ = false;
    // A read that left values unread has said which on the lines already.
    if (!outcome.pagesRead || outcome.readComplete)
        showBothLines(StatusText([key, port] { return slotText(key).arg(port); }));
}

void ReconnectWatch::showOther(const ReconnectOutcome& outcome)
{
    retryTimer_->stop();
    lookTimer_->stop();
    titleSaysLost_ = false;
    link::ConnectionOutcome none;
    none.title.kind = link::TitleUpdate::Kind::NoController;
    services_.applyOutcome(none);
    const QString port = QString::fromStdString(outcome.portName);
    const link::ControllerIdentity found = outcome.foundIdentity;
    const link::ControllerIdentity expected = outcome.expectedIdentity;
    showBothLines(StatusText([port, found, expected] {
        return slotText(lang::slot::otherControllerBack).arg(port, identityText(found), identityText(expected));
    }));
}

}  // namespace dravinor::ui
