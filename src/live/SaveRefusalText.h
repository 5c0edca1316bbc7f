#pragma once

#include "params/SaveTarget.h"

#include <QString>

namespace dravinor::live {

// Why a save was refused, in the window's language: what holds the name
// ("to jest potok nazwany (FIFO), nie zwykły plik"), and where a symbolic
// link led to it. Only for targets that are not savable().
QString saveRefusalText(const params::SaveTarget& target);

}  // namespace dravinor::live
