#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace dravinor::testing {

// The frames a controller heard, as text to hold against a recording: one
// line a frame ("s 02 1c 00": letter, address, data bytes; the checksum and
// ";" follow from them), a run of one frame counted ("V 00 00 00 x12"),
// under headings that name the step that sent them.
class FrameLog {
public:
    void heading(const std::string& title)
    {
        flushRun();
        lines_.push_back("# " + title);
    }
    void add(const std::array<std::uint8_t, 6>& frame)
    {
        char text[16];
        std::snprintf(text, sizeof text, "%c %02x %02x %02x", frame[0], frame[1], frame[2], frame[3]);
        if (runCount_ > 0 && runText_ == text) {
            ++runCount_;
            return;
        }
        flushRun();
        runText_ = text;
        runCount_ = 1;
    }
    template <typename Frames>
    void addAll(const Frames& frames)
    {
        for (const auto& frame : frames)
            add(frame);
    }
    std::string text()
    {
        flushRun();
        std::string all;
        for (const std::string& line : lines_)
            all += line + "\n";
        return all;
    }

private:
    void flushRun()
    {
        if (runCount_ == 0)
            return;
        lines_.push_back(runCount_ == 1 ? runText_ : runText_ + " x" + std::to_string(runCount_));
        runCount_ = 0;
    }

    std::vector<std::string> lines_;
    std::string runText_;
    int runCount_ = 0;
};

// Holds a log against the recording at path, naming the first line that
// differs. With DRAVINOR_RECORD_FRAMES set the log is recorded there instead:
// for a change that means to put other frames on the wire.
inline void expectRecordedFrames(const std::string& log, const std::string& path)
{
    if (std::getenv("DRAVINOR_RECORD_FRAMES")) {
        std::ofstream(path, std::ios::binary) << log;
        return;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << "no recording at " << path;
    std::ostringstream recorded;
    recorded << in.rdbuf();
    if (recorded.str() == log)
        return;
    std::istringstream expected(recorded.str());
    std::istringstream actual(log);
    std::string want;
    std::string got;
    std::string lastHeading;
    for (int line = 1;; ++line) {
        const bool more = static_cast<bool>(std::getline(expected, want));
        const bool moreGot = static_cast<bool>(std::getline(actual, got));
        if (!more && !moreGot)
            break;
        if (more && moreGot && want == got) {
            if (want.rfind("# ", 0) == 0)
                lastHeading = want;
            continue;
        }
        ADD_FAILURE() << path << " line " << line << " (under \"" << lastHeading << "\"): recorded \""
                      << (more ? want : "<end>") << "\", now \"" << (moreGot ? got : "<end>") << "\"";
        return;
    }
}

}  // namespace dravinor::testing
