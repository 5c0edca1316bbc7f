#include "live/LiveReplay.h"

#include "live/LivePage.h"

#include <algorithm>

namespace dravinor::live {

LiveReplay::LiveReplay(LivePage& page, std::vector<params::LiveSample> samples, QObject* parent)
    : QObject(parent), page_(page), samples_(std::move(samples))
{
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &Ticker::timeout, this, &LiveReplay::onTimer);
}

std::int64_t LiveReplay::positionMs() const
{
    if (clock_.isValid())
        return baseMs_ + clock_.elapsed();
    return baseMs_;
}

std::int64_t LiveReplay::durationMs() const
{
    return samples_.empty() ? 0 : sampleMs(samples_.size() - 1);
}

void LiveReplay::run()
{
    running_ = true;
    if (playing() && !clock_.isValid())
        clock_.start();
    updateTrace();
    schedule();
    emit stateChanged();
}

void LiveReplay::hold()
{
    if (clock_.isValid())
        baseMs_ = positionMs();
    clock_.invalidate();
    running_ = false;
    timer_.stop();
    updateTrace();
}

void LiveReplay::setPaused(bool paused)
{
    if (paused == paused_)
        return;
    if (paused && clock_.isValid()) {
        baseMs_ = positionMs();
        clock_.invalidate();
    }
    paused_ = paused;
    if (playing() && !clock_.isValid())
        clock_.start();
    if (!playing())
        timer_.stop();
    updateTrace();
    schedule();
    emit stateChanged();
}

void LiveReplay::presentUntil(std::int64_t ms)
{
    const bool wasFinished = finished();
    while (next_ < samples_.size() && sampleMs(next_) <= ms)
        page_.presentRecorded(samples_[next_++]);
    // Without a running clock (tests), the position is the last poll shown.
    if (!clock_.isValid() && next_ > 0)
        baseMs_ = std::max(baseMs_, sampleMs(next_ - 1));
    const std::int64_t second = std::min(ms, durationMs()) / 1000;
    if (finished() != wasFinished || second != shownSecond_) {
        shownSecond_ = second;
        if (finished()) {
            baseMs_ = durationMs();
            clock_.invalidate();
            updateTrace();
        }
        emit stateChanged();
    }
}

void LiveReplay::onTimer()
{
    if (!playing())
        return;
    presentUntil(positionMs());
    schedule();
}

void LiveReplay::schedule()
{
    if (!playing())
        return;
    const std::int64_t wait = std::max<std::int64_t>(0, sampleMs(next_) - positionMs());
    timer_.start(static_cast<int>(std::min<std::int64_t>(wait, 1000)));
}

void LiveReplay::updateTrace()
{
    page_.setTraceRunning(playing());
}

}  // namespace dravinor::live
