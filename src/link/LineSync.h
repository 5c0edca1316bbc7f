#pragma once

#include <cstdint>
#include <optional>

namespace dravinor::link {

class SerialPort;

enum class SyncOutcome {
    Synchronised,  // an identify was answered by the identity byte alone, then silence
    Silent,        // nothing came back, through every spaced try
    Garbled,       // bytes came, but never the identity byte alone
    NoPort,        // no port is open, or the adapter has gone
};

// How long a line heard by nobody is given before it counts as silent.
enum class Patience {
    Brief,   // one identify, a dozen windows: before a single write, whose own retries follow
    Spaced,  // a few spaced identifies, about two seconds: a read, an identification
};

struct SyncResult {
    SyncOutcome outcome = SyncOutcome::Silent;
    // With Synchronised: the byte that answered the last identify alone.
    std::optional<std::uint8_t> identity;
};

// Brings the line back in step after a missing, short, refused or overlong
// answer. A controller that answered late may still owe that answer and the
// answers to what it heard meanwhile, and an 'l' answer carries no address
// to tell them apart. The identify command's one-byte answer cannot be
// mistaken for a read's four bytes, and a controller that answers in order
// sends it after everything it still owed. So: identify, take whatever
// comes until a whole reply window passes in silence, and again until the
// identity byte comes alone: then nothing older is on its way.
//
// identity is the controller's byte when it is known. Unknown, one lone
// byte proves nothing (a late acknowledgement is one byte too): two lone
// answers, one after the other, must be the same byte, which is then the
// identity. hint, with an unknown identity, counts as the first of the two
// (the lone answer of an identify just before).
//
// A line that answered before is not dead after one pause: with spaced
// patience an identify heard by nobody is sent again for about two seconds
// before the line is called silent. Bounded: a few attempts, each at most a
// dozen reply windows long. Sends nothing but identify frames.
SyncResult synchronise(SerialPort& port, std::optional<std::uint8_t> identity, Patience patience = Patience::Spaced,
                       std::optional<std::uint8_t> hint = std::nullopt);

inline SyncOutcome resynchronise(SerialPort& port, std::optional<std::uint8_t> identity,
                                 Patience patience = Patience::Spaced)
{
    return synchronise(port, identity, patience).outcome;
}

namespace sync {
// The first usually takes in what was owed, the second finds the line
// quiet; the rest are for a noisy or pausing line, where a stray byte ahead
// of the identity byte spoils an attempt, or nobody listens for a while.
inline constexpr int attempts = 6;
// The first byte may take this many reply windows: a controller that is ten
// windows late with one answer is still caught up.
inline constexpr int firstByteWindows = 12;
// A line that never falls quiet gives up after this many windows.
inline constexpr int longestWindows = 16;
// Identifies heard by nobody before the line counts as silent: each waits a
// dozen windows, so about two seconds in all.
inline constexpr int silentTries = 4;
}  // namespace sync

}  // namespace dravinor::link
