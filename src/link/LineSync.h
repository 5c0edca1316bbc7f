#pragma once

#include <cstdint>
#include <optional>

namespace dravinor::link {

class SerialPort;

enum class SyncOutcome {
    Synchronised,  // an identify was answered by the identity byte alone, then silence
    Silent,        // nothing came back at all
    Garbled,       // bytes came, but never the identity byte alone
    NoPort,        // no port is open, or the adapter has gone
};

// Brings the line back in step after a missing, short, refused or overlong
// answer. A controller that answered late may still owe that answer and the
// answers to what it heard meanwhile, and an 'l' answer carries no address
// to tell them apart. The identify command's one-byte answer cannot be
// mistaken for a read's four bytes, and a controller that answers in order
// sends it after everything it still owed. So: identify, take whatever
// comes until a whole reply window passes in silence, and again until the
// identity byte comes alone: then nothing older is on its way. identity is
// the byte the controller gave when it was found (unknown: any one byte).
// Bounded: a few attempts, each at most a dozen reply windows long. Sends
// nothing but identify frames.
SyncOutcome resynchronise(SerialPort& port, std::optional<std::uint8_t> identity);

namespace sync {
// The first usually takes in what was owed, the second finds the line
// quiet; the rest are for a noisy line, where a stray byte ahead of the
// identity byte spoils an attempt.
inline constexpr int attempts = 6;
// The first byte may take this many reply windows: a controller that is ten
// windows late with one answer is still caught up.
inline constexpr int firstByteWindows = 12;
// A line that never falls quiet gives up after this many windows.
inline constexpr int longestWindows = 16;
}  // namespace sync

}  // namespace dravinor::link
