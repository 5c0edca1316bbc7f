// Start-up to a filled window, one run per process: does what the program's
// main() does (application, optional demo controller, session, window,
// startUp()) and prints, in ms from the moment the process was started, when
// each stage was reached and when the first paint after startUp() happened.
// bench/startup.sh runs it many times and takes the medians.
//
//   DRAVINOR_T0=$EPOCHREALTIME dravinor_startup_bench [--demo]
//
// DRAVINOR_T0 is the wall time (seconds, '.' decimal point) taken by the
// shell just before it forked us; without it the kernel's start time of the
// process is used (10 ms resolution).
#include "DravinorApp.h"
#include "params/ControllerSession.h"
#include "ui/window/MainWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>

using namespace dravinor;

namespace {

double realtimeSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The process's start as wall time: from the shell's stamp if given, else
// from /proc (boot-relative start time in clock ticks).
double processStartSeconds()
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

// Counts paint events of the window's widgets once armed.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget* window) : window_(window) {}
    bool armed = false;
    int paintsAfterArming = 0;

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

}  // namespace

int main(int argc, char** argv)
{
    const double t0 = processStartSeconds();
    auto sinceStart = [t0] { return (realtimeSeconds() - t0) * 1000.0; };
    const double mainMs = sinceStart();

    bool demo = false;
    for (int i = 1; i < argc; ++i)
        demo = demo || std::strcmp(argv[i], "--demo") == 0;

    QApplication app(argc, argv);
    QApplication::setApplicationName("dravinor");
    const double appMs = sinceStart();

    app::DravinorApp parts;
    const auto built = parts.build(demo ? app::DravinorApp::Mode::Demo : app::DravinorApp::Mode::Controllers, {});
    if (!built.ok) {
        std::fprintf(stderr, "%s\n", built.error.c_str());
        return built.exitCode;
    }
    ui::MainWindow& window = parts.window();
    params::ControllerSession& session = parts.session();
    const double windowMs = sinceStart();

    PaintWatch watch(&window);
    app.installEventFilter(&watch);
    window.startUp();
    const double startUpMs = sinceStart();

    // The first paint after startUp(): the pages as filled. On xcb the
    // window may still wait for its expose; give it up to 3 s.
    watch.armed = true;
    QTimer wake;  // keeps the wait below from sleeping past a paint
    wake.start(1);
    QElapsedTimer waited;
    waited.start();
    QApplication::processEvents();
    while (watch.paintsAfterArming == 0 && waited.elapsed() < 3000)
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    const double filledMs = sinceStart();
    wake.stop();

    const bool connected = session.port().controllerConnected();
    double readAllMs = 0;
    if (demo && connected) {
        QElapsedTimer read;
        read.start();
        session.transfer().readAllParameters();
        readAllMs = static_cast<double>(read.nsecsElapsed()) / 1e6;
    }
    std::printf("platform=%s demo=%d connected=%d main=%.1f app=%.1f window=%.1f startup=%.1f filled=%.1f "
                "paints=%d readall=%.1f size=%dx%d\n",
                qPrintable(QGuiApplication::platformName()), demo ? 1 : 0, connected ? 1 : 0, mainMs, appMs, windowMs,
                startUpMs, filledMs, watch.paintsAfterArming, readAllMs, window.width(), window.height());
    std::fflush(stdout);
    // The teardown is no part of the start-up.
    _exit(watch.paintsAfterArming > 0 ? 0 : 3);
}
