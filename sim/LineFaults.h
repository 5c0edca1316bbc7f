#pragma once

#include <cstdint>
#include <random>
#include <vector>

namespace dravinor::sim {

struct FaultOptions {
    int ignoreFirstWrites = 0;      // no answer to the first N 's'/'R'/'r' frames
    bool wrongChecksum = false;     // 'l' replies carry a checksum off by one
    int lateTailMs = 0;             // the last byte of each reply comes this many ms late (0 = off)
    int longReplyExtra = 0;         // every reply is followed by this many extra bytes (0x00, 0x01, ...)
    int noisePercent = 0;           // chance (0..100) per reply of a random garbage byte injected before it
    int hangUpAfterFrames = -1;     // after this many frames, the adapter is "unplugged" (-1 = never)
    int lateAnswerAddress = 0;      // the answer to 'l' for this address (1..35) comes late (0 = off)
    int lateAnswerMs = 0;           // ... by this many ms, the whole answer
    bool lateAnswerQueues = false;  // ... and the frames heard meanwhile are answered after it, in order
                                    // (otherwise the controller is deaf while it waits and talks)
    bool lateAnswerOnce = false;    // only the first read of that address is late
    int lateIdentifyMs = 0;         // the answer to 'I' comes this many ms late (0 = off)
    int lateIdentifyNth = 0;        // ... only to the Nth identify answered (1 = the first; 0 = every one)
    int identifyPrefix = -1;        // this byte (0..255) goes ahead of the identity byte (-1 = off)
    int identifyPrefixNth = 0;      // ... only in the Nth identify answer (0 = every one)
    int pauseAddress = 0;           // on the first read of this address (1..35; 0 = off) the controller
    int pauseMs = 0;                // ... falls silent this long: that read and all it hears meanwhile go unanswered
    int stallMinMs = 0;             // random stalls (a loaded PC, a USB adapter's latency timer): a reply
    int stallMaxMs = 0;             // ... reaches the tool MIN..MAX ms late, nothing overtaking it (0 = off)
    int stallPercent = 100;         // ... the chance (0..100) per reply
};

// One byte of a reply and when it is due, counted from the moment the
// frame that asked for it arrived.
struct TimedByte {
    std::uint8_t value;
    std::int64_t atNs;
};

// One line byte at 9600 baud, 8N1: ten bits.
constexpr std::int64_t kByteNs = 1'041'667;

// Applies the faults the tool must survive, frame by frame. Counters start
// when the faults are set.
class LineFaults {
public:
    explicit LineFaults(FaultOptions options = {}, std::uint32_t seed = std::random_device{}());

    const FaultOptions& options() const { return options_; }

    // Before a frame is served: true when the adapter goes away now.
    bool hangUpDue() const;
    // True when this frame is lost: it is neither carried out nor answered.
    bool dropsFrame(std::uint8_t letter);
    // Counts a frame as seen; true when the adapter goes away after it
    // (its reply still goes out and should be read before the hang-up).
    bool countFrame();
    // While it answers, the controller hears nothing: frames that arrive
    // meanwhile are lost. A queueing controller hears them and answers them
    // afterwards.
    bool queuesFrames() const { return options_.lateAnswerQueues; }
    // A frame the controller hears: true when it falls silent now, for pauseNs().
    bool pausesAt(std::uint8_t letter, std::uint8_t address);
    std::int64_t pauseNs() const { return static_cast<std::int64_t>(options_.pauseMs) * 1'000'000; }
    bool stalls() const { return options_.stallMaxMs > 0; }
    // How late the next reply reaches the tool: 0, or a random stall.
    std::int64_t drawStallNs();

    // The bytes to put on the line for a reply, with their times. With
    // pacing, the frame itself takes six byte times and each reply byte one
    // more; without, everything is due at once except a late tail.
    std::vector<TimedByte> plan(std::uint8_t letter, std::vector<std::uint8_t> reply, bool pacing,
                                std::uint8_t address = 0);

private:
    FaultOptions options_;
    int writesIgnored_ = 0;
    int framesSeen_ = 0;
    bool lateAnswerGiven_ = false;
    bool pauseTaken_ = false;
    int identifiesAnswered_ = 0;
    std::mt19937 random_;
};

}  // namespace dravinor::sim
