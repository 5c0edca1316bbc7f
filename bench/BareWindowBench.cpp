// The baseline for the start-up benchmark: the smallest Qt Widgets program of
// the same kind, a main window with 60 labels, shown, and its first
// event-loop turn. Prints the same stamps as dravinor_startup_bench, so that
// bench/startup.sh can divide the one by the other.
//
//   DRAVINOR_T0=$EPOCHREALTIME dravinor_bare_window_bench
#include "StartupStamps.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMainWindow>

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    const dravinor::bench::SinceStart sinceStart;
    const double mainMs = sinceStart();

    QApplication app(argc, argv);
    const double appMs = sinceStart();

    QMainWindow window;
    auto* central = new QWidget(&window);
    auto* grid = new QGridLayout(central);
    for (int i = 0; i < 60; ++i)
        grid->addWidget(new QLabel(QStringLiteral("Label %1").arg(i + 1), central), i / 4, i % 4);
    window.setCentralWidget(central);
    window.resize(933, 677);
    const double windowMs = sinceStart();

    dravinor::bench::PaintWatch watch(&window);
    window.show();
    const double shownMs = sinceStart();
    watch.waitForFirstPaint();
    const double filledMs = sinceStart();

    std::printf("platform=%s demo=0 connected=0 main=%.1f app=%.1f window=%.1f startup=%.1f filled=%.1f "
                "paints=%d readall=0.0 size=%dx%d\n",
                qPrintable(QGuiApplication::platformName()), mainMs, appMs, windowMs, shownMs, filledMs,
                watch.paintsAfterArming, window.width(), window.height());
    std::fflush(stdout);
    _exit(watch.paintsAfterArming > 0 ? 0 : 3);
}
