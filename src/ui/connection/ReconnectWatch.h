#pragma once

#include "params/Reconnection.h"
#include "ui/status/StatusText.h"

#include <QObject>

#include <functional>

class QSocketNotifier;
class QTimer;
class QWidget;

namespace dravinor::params {
class ControllerSession;
}

namespace dravinor::ui {

// What the watch needs of the window.
struct ReconnectServices {
    std::function<void(const link::ConnectionOutcome&)> applyOutcome;
    std::function<void(int line, const StatusText&)> showStatus;
    // False where something else owns the exchanges (the wizard's page):
    // the controller is then identified, not read.
    std::function<bool()> readsAllowed;
    // The block was read again: the pages show it.
    std::function<void()> showParameters;
};

// The window's side of following the controller through an unplugged
// adapter: tells the loss at once on both status lines and in the title,
// wakes on the watcher's descriptor (no polling), and tells what came
// back. Where the watcher has no descriptor (Windows, which tells a program
// of ports only through device notifications), it looks for the adapter
// every lookEveryMs while it is away: the port's name, and the port tried;
// and a port's arrival or removal that the system announces (PortNotices)
// is looked at at once.
// The window stays on its page; the live view polls again by itself once
// the controller is connected.
class ReconnectWatch : public QObject {
    Q_OBJECT
public:
    // How often, and how far apart, a device that is back but does not
    // open or answer yet is tried again (udev may still be setting its
    // permissions, ModemManager may be probing it).
    static constexpr int defaultRetries = 10;
    static constexpr int defaultRetryAfterMs = 500;
    static constexpr int lookEveryMs = 600;

    ReconnectWatch(params::ControllerSession& session, QWidget* window, ReconnectServices services);
    ~ReconnectWatch() override;

    // After every connection outcome: follows what the session holds now.
    void follow();
    // After an exchange that may have met a dead port.
    void checkLine();
    // Tests shorten the retries.
    void setRetryPlan(int retries, int afterMs);
    // The title while the adapter is away, in the current language.
    void redrawTitle();
    bool waiting() const { return reconnection_.waiting(); }
    bool titleSaysLost() const { return titleSaysLost_; }
    params::Reconnection& reconnection() { return reconnection_; }

private:
    void watchDescriptor();
    void onEvent();
    void retry();
    void look();
    void onPortNotice();
    void handle(const params::ReconnectOutcome& outcome);
    void showLost(const params::ReconnectOutcome& outcome);
    void showBack(const params::ReconnectOutcome& outcome);
    void showOther(const params::ReconnectOutcome& outcome);
    void showBothLines(const StatusText& text);

    params::Reconnection reconnection_;
    QWidget* window_;
    ReconnectServices services_;
    QSocketNotifier* notifier_ = nullptr;
    QTimer* retryTimer_ = nullptr;
    QTimer* lookTimer_ = nullptr;
    int retries_ = defaultRetries;
    int retriesLeft_ = 0;
    bool titleSaysLost_ = false;
};

}  // namespace dravinor::ui
