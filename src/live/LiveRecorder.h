#pragma once

#include "link/Clock.h"
#include "params/LiveCsv.h"
#include "params/SaveTarget.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

namespace dravinor::live {

// Writes live polls to a CSV file, one row per poll, each row flushed so
// that a full disk or a lost drive shows at once and a crash keeps what
// was recorded.
class LiveRecorder {
public:
    // Poll times come from clock, the link's (so that a recording in
    // simulated time has its times too); from the steady clock without one.
    explicit LiveRecorder(link::Clock* clock = nullptr) : clock_(clock) {}
    LiveRecorder(const LiveRecorder&) = delete;
    LiveRecorder& operator=(const LiveRecorder&) = delete;
    ~LiveRecorder();

    // Creates (or empties) the file and writes the header. On failure
    // error says why and nothing is recording; a name that is no regular
    // file is refused untouched, and target() says what holds it. The name
    // is UTF-8 text.
    bool start(const std::string& path, std::string& error);
    const params::SaveTarget& target() const { return target_; }
    // One poll; its time counts from the first. On a write error the file
    // is closed, error says why and false comes back.
    bool append(bool answered, const params::LiveFrame& frame, const params::LiveSettings& settings,
                std::string& error);
    // Closes the file; false (with error) if its last bytes could not be
    // written.
    bool stop(std::string& error);

    bool recording() const { return file_ != nullptr; }
    long rows() const { return rows_; }
    const std::string& path() const { return path_; }

private:
    bool fail(std::string& error);

    std::FILE* file_ = nullptr;
    params::SaveTarget target_;
    std::string path_;
    long rows_ = 0;
    // Milliseconds since the first poll; the first poll starts the count.
    std::int64_t sinceFirstPollMs(bool first);

    link::Clock* clock_;
    std::uint32_t firstTickMs_ = 0;
    std::chrono::steady_clock::time_point firstPoll_;
};

}  // namespace dravinor::live
