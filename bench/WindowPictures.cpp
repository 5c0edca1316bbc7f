// The window's pages as pictures, to show that a change leaves the window as
// it was: the window started without a controller, set to 800 x 600 by its
// resolution item, then the two parameter pages, the live page and the
// wizard's first page in turn, each saved as a PNG in the folder given.
// bench/window_pictures.sh takes them under Xvfb and a window manager, before
// and after, and compares them.
//
//   dravinor_window_pictures FOLDER
#include "SilentDialogs.h"
#include "link/PortMap.h"
#include "params/ControllerSession.h"
#include "ui/window/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

using namespace dravinor;

namespace {

// Lets the window manager's answers and the repaints arrive.
void settle()
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 300)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: dravinor_window_pictures FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir journalFolder;
    link::PortMap map;
    map.assign(0, "/dev/dravinor-none");
    params::SessionWiring wiring;
    wiring.journalPath = QFile::encodeName(journalFolder.filePath("journal")).toStdString();
    params::ControllerSession session(map, wiring);
    bench::SilentDialogs dialogs;
    ui::MainWindow window(session, &dialogs);
    window.startUp();
    // The resolution item sets the outer size: the frame must be known first.
    QElapsedTimer framed;
    framed.start();
    while (window.frameGeometry().size() == window.size() && framed.elapsed() < 3000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    settle();
    window.findChild<QAction*>("N800")->trigger();
    settle();

    using Page = ui::MainWindow::Page;
    const std::pair<const char*, std::function<void()>> pages[] = {
        {"parameters", [&] { window.switchToPage(Page::TabPar1); }},
        {"advanced", [&] { window.switchToPage(Page::TabPar2); }},
        {"live", [&] { window.switchToPage(Page::TabViz); }},
        // Without a controller the wizard's entry is refused: its first page is
        // shown without the entry's question and reset.
        {"wizard",
         [&] {
             const QSignalBlocker quiet(window.pageControl());
             window.pageControl()->setCurrentIndex(Page::TabAuto);
         }},
    };
    for (const auto& [name, show] : pages) {
        show();
        // The live page's polls would colour its needles by how many failed by now.
        window.stopAllTimers();
        settle();
        const QString file = folder.filePath(QString::fromLatin1(name) + ".png");
        if (!window.grab().save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    std::printf("%dx%d\n", window.frameGeometry().width(), window.frameGeometry().height());
    return 0;
}
