#pragma once

#include <QString>

#include <optional>

namespace dravinor::params {
struct ReadAllResult;
}

namespace dravinor::ui {

// Why the auto-adaptation may not start now, in the current language;
// nothing when it may. Its reset keeps the controller's own temperature-sensor
// setting, so it needs a connected controller whose 35 parameters were all read.
std::optional<QString> adaptationRefusal(bool controllerConnected, const params::ReadAllResult& lastRead);

}  // namespace dravinor::ui
