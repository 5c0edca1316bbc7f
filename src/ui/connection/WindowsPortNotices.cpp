#include "ui/connection/PortNotices.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QMetaObject>

#include <windows.h>

#include <dbt.h>

namespace dravinor::ui {

namespace {

// Looks at the messages Qt's windows receive and lets every one go on.
class PortArrivalFilter : public QAbstractNativeEventFilter {
public:
    PortArrivalFilter(QObject* receiver, std::function<void()> portsChanged)
        : receiver_(receiver), portsChanged_(std::move(portsChanged))
    {
    }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override
    {
        if (eventType != "windows_generic_MSG")
            return false;
        const MSG* msg = static_cast<const MSG*>(message);
        if (msg->message != WM_DEVICECHANGE ||
            (msg->wParam != DBT_DEVICEARRIVAL && msg->wParam != DBT_DEVICEREMOVECOMPLETE))
            return false;
        const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(msg->lParam);
        if (header == nullptr || header->dbch_devicetype != DBT_DEVTYP_PORT)
            return false;
        // Opening and reading the port inside the system's message would
        // hold its broadcast up: the call waits for the event loop.
        QMetaObject::invokeMethod(receiver_, portsChanged_, Qt::QueuedConnection);
        return false;
    }

private:
    QObject* receiver_;
    std::function<void()> portsChanged_;
};

}  // namespace

PortNotices::PortNotices(std::function<void()> portsChanged, QObject* parent)
    : QObject(parent), filter_(std::make_unique<PortArrivalFilter>(this, std::move(portsChanged)))
{
    QCoreApplication::instance()->installNativeEventFilter(filter_.get());
}

PortNotices::~PortNotices()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(filter_.get());
}

}  // namespace dravinor::ui
