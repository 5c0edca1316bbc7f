#include "live/WidgetTime.h"

namespace dravinor::live {

namespace {
WidgetTime* installed = nullptr;
}

void installWidgetTime(WidgetTime* time)
{
    installed = time;
}

WidgetTime* installedWidgetTime()
{
    return installed;
}

void WidgetTime::fire(Ticker& ticker)
{
    if (ticker.singleShot_)
        ticker.armed_ = false;
    emit ticker.timeout();
}

Ticker::Ticker(QObject* parent) : QObject(parent), time_(installedWidgetTime())
{
    connect(&timer_, &QTimer::timeout, this, &Ticker::timeout);
}

Ticker::~Ticker()
{
    if (time_ && armed_)
        time_->disarm(*this);
}

void Ticker::setInterval(int ms)
{
    intervalMs_ = ms;
    timer_.setInterval(ms);
}

void Ticker::setSingleShot(bool singleShot)
{
    singleShot_ = singleShot;
    timer_.setSingleShot(singleShot);
}

void Ticker::start()
{
    if (!time_) {
        timer_.start();
        return;
    }
    armed_ = true;
    time_->arm(*this, intervalMs_);
}

void Ticker::start(int ms)
{
    setInterval(ms);
    start();
}

void Ticker::stop()
{
    if (!time_) {
        timer_.stop();
        return;
    }
    if (armed_)
        time_->disarm(*this);
    armed_ = false;
}

bool Ticker::isActive() const
{
    return time_ ? armed_ : timer_.isActive();
}

void Stopwatch::start()
{
    valid_ = true;
    if (time_)
        startedMs_ = time_->nowMs();
    else
        timer_.start();
}

std::int64_t Stopwatch::elapsed() const
{
    return time_ ? time_->nowMs() - startedMs_ : timer_.elapsed();
}

}  // namespace dravinor::live
