#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <cstdint>

namespace dravinor::live {

class Ticker;

// Where the live widgets' timers take their time from. Without one installed
// they run on Qt's timers and monotonic clock; a test installs its own (see
// tests/support/SteppedTime.h) so that time passes only when it steps it.
// The widgets are built from forms by class name, so the time is looked up
// when a timer is made rather than handed to every constructor.
class WidgetTime {
public:
    virtual ~WidgetTime() = default;
    virtual std::int64_t nowMs() const = 0;
    // The ticker is due after ms; arming it again replaces the earlier date.
    virtual void arm(Ticker& ticker, int ms) = 0;
    virtual void disarm(Ticker& ticker) = 0;

protected:
    // The date came: a single shot ends, then the ticker's timeout is sent.
    static void fire(Ticker& ticker);
};

// The time timers made from now on use; nullptr gives Qt's again.
void installWidgetTime(WidgetTime* time);
WidgetTime* installedWidgetTime();

// A QTimer's face (interval, single shot, start, stop, timeout) on the
// installed widget time.
class Ticker : public QObject {
    Q_OBJECT
public:
    explicit Ticker(QObject* parent = nullptr);
    ~Ticker() override;

    void setInterval(int ms);
    int interval() const { return intervalMs_; }
    void setSingleShot(bool singleShot);
    bool isSingleShot() const { return singleShot_; }
    void setTimerType(Qt::TimerType type) { timer_.setTimerType(type); }
    void start();
    void start(int ms);
    void stop();
    bool isActive() const;

signals:
    void timeout();

private:
    friend class WidgetTime;
    WidgetTime* time_;
    QTimer timer_;  // used without an installed time
    int intervalMs_ = 0;
    bool singleShot_ = false;
    bool armed_ = false;
};

// QElapsedTimer's face on the installed widget time.
class Stopwatch {
public:
    Stopwatch() : time_(installedWidgetTime()) {}
    void start();
    void invalidate() { valid_ = false; }
    bool isValid() const { return valid_; }
    std::int64_t elapsed() const;

private:
    WidgetTime* time_;
    QElapsedTimer timer_;
    std::int64_t startedMs_ = 0;
    bool valid_ = false;
};

}  // namespace dravinor::live
