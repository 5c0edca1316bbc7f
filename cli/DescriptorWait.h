#pragma once

namespace dravinor::cli {

// Waits at most timeoutMs for the descriptor (a device watcher's) to have
// something to read; false when the time ran out first.
bool waitReadable(int descriptor, int timeoutMs);

}  // namespace dravinor::cli
