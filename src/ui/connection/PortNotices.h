#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QAbstractNativeEventFilter;

namespace dravinor::ui {

// Tells when the system announces a serial port arriving or leaving.
// Windows announces it to every top-level window (WM_DEVICECHANGE with a
// port's header: a USB adapter plugged in or pulled out), so the window
// hears of it at once instead of at its next look. Elsewhere nothing is
// announced this way (Linux's watcher has inotify) and this stays silent.
// The call comes from the event loop, never from inside the system's message.
class PortNotices : public QObject {
public:
    PortNotices(std::function<void()> portsChanged, QObject* parent);
    ~PortNotices() override;

private:
    std::unique_ptr<QAbstractNativeEventFilter> filter_;
};

}  // namespace dravinor::ui
