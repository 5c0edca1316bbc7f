#pragma once

#include "live/WidgetTime.h"
#include "params/LiveCsv.h"

#include <QObject>

#include <cstdint>
#include <vector>

namespace dravinor::live {

class LivePage;

// Plays a recording into the live page at the speed it was recorded: each
// poll is shown when its time stamp comes due, one timer shot per poll.
// It plays while the page is shown (run) and the user has not paused it.
class LiveReplay : public QObject {
    Q_OBJECT
public:
    LiveReplay(LivePage& page, std::vector<params::LiveSample> samples, QObject* parent = nullptr);

    // The page shown or left; the position is held in between.
    void run();
    void hold();
    void setPaused(bool paused);
    bool paused() const { return paused_; }
    bool finished() const { return next_ >= samples_.size(); }
    bool playing() const { return running_ && !paused_ && !finished(); }

    // Recording time shown so far, and the whole length, from the first poll.
    std::int64_t positionMs() const;
    std::int64_t durationMs() const;
    std::size_t shownSamples() const { return next_; }

    // Shows every poll due up to the given recording time at once (the
    // timer's work; tests call it to play without waiting).
    void presentUntil(std::int64_t ms);

signals:
    // Pause, resume, the end, and each new whole second of the position.
    void stateChanged();

private:
    void onTimer();
    void schedule();
    void updateTrace();
    std::int64_t sampleMs(std::size_t index) const { return samples_[index].timeMs - samples_.front().timeMs; }

    LivePage& page_;
    std::vector<params::LiveSample> samples_;
    std::size_t next_ = 0;
    bool running_ = false;
    bool paused_ = false;
    std::int64_t baseMs_ = 0;  // the position when the clock last started
    Stopwatch clock_;
    Ticker timer_;
    std::int64_t shownSecond_ = -1;
};

}  // namespace dravinor::live
