#pragma once

#include "params/Reconnection.h"

#include <atomic>

namespace dravinor::cli {

class CliSession;

// `live --reconnect`: after the adapter went away, waits (on the device
// watcher, without polling) until the same controller answers again on the
// same port name, telling each step on stderr. False when interrupted, or
// when nothing can be watched.
bool waitForController(params::Reconnection& reconnection, const std::atomic<bool>& interrupted);

}  // namespace dravinor::cli
