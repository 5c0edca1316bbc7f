// Start-up to a filled window, one run per process: does what the program's
// main() does (application, optional demo controller, session, window,
// startUp()) and prints, in ms from the moment the process was started, when
// each stage was reached and when the first paint after startUp() happened.
// bench/startup.sh runs it many times and takes the medians.
//
//   DRAVINOR_T0=$EPOCHREALTIME dravinor_startup_bench [--demo]
//
// DRAVINOR_T0 is the wall time taken by the shell just before it forked us
// (StartupStamps.h).
#include "DravinorApp.h"
#include "StartupStamps.h"
#include "params/ControllerSession.h"
#include "ui/window/MainWindow.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <cstring>
#include <unistd.h>

using namespace dravinor;

int main(int argc, char** argv)
{
    const bench::SinceStart sinceStart;
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

    bench::PaintWatch watch(&window);
    window.startUp();
    const double startUpMs = sinceStart();

    // The first paint after startUp(): the pages as filled.
    watch.waitForFirstPaint();
    const double filledMs = sinceStart();

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
