#pragma once

#include "link/PortReport.h"

#include <QString>

namespace dravinor::ui {

// The ports menu's tip for a device: its path, its stable name under
// /dev/serial/by-id and the USB adapter's product; "-" for no device.
QString portToolTip(const std::string& device, const link::SystemRoots& roots = {});

}  // namespace dravinor::ui
