#pragma once

// What the start-up benchmarks share: the time since the process was
// started, and the wait for the window's first paint. The program's bench
// and the bare Qt window both print the same stamps, so that their runs can
// be set side by side.

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace dravinor::bench {

inline double realtimeSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The process's start as wall time: from the shell's stamp DRAVINOR_T0
// ($EPOCHREALTIME, '.' decimal point) if given, else from /proc (boot-relative
// start time in clock ticks, 10 ms resolution).
inline double processStartSeconds()
{
    if (const char* stamp = std::getenv("DRAVINOR_T0"); stamp && *stamp)
        return std::strtod(stamp, nullptr);
    std::ifstream file("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    // Field 22, counted after the command name, which ends with the last ')'.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {}
    const double startAfterBoot = std::strtod(field.c_str(), nullptr) / static_cast<double>(sysconf(_SC_CLK_TCK));
    timespec boot{};
    clock_gettime(CLOCK_BOOTTIME, &boot);
    const double nowAfterBoot = static_cast<double>(boot.tv_sec) + static_cast<double>(boot.tv_nsec) * 1e-9;
    return realtimeSeconds() - (nowAfterBoot - startAfterBoot);
}

// Milliseconds since the process was started.
class SinceStart {
public:
    double operator()() const { return (realtimeSeconds() - start_) * 1000.0; }

private:
    double start_ = processStartSeconds();
};

// Counts paint events of one window's widgets once armed.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget* window) : window_(window) { QApplication::instance()->installEventFilter(this); }
    bool armed = false;
    int paintsAfterArming = 0;

    // Turns the event loop until the window's first paint from now on; on
    // xcb the window may still wait for its expose, so up to 3 s.
    void waitForFirstPaint()
    {
        armed = true;
        QTimer wake;  // keeps the wait below from sleeping past a paint
        wake.start(1);
        QElapsedTimer waited;
        waited.start();
        QApplication::processEvents();
        while (paintsAfterArming == 0 && waited.elapsed() < 3000)
            QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (armed && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == window_)
            ++paintsAfterArming;
        return false;
    }

private:
    QWidget* window_;
};

}  // namespace dravinor::bench
