#include "ui/connection/PortNotices.h"

#include <QAbstractNativeEventFilter>

namespace dravinor::ui {

// Linux tells of devices through the watcher's inotify descriptor instead.
PortNotices::PortNotices(std::function<void()>, QObject* parent) : QObject(parent) {}

PortNotices::~PortNotices() = default;

}  // namespace dravinor::ui
