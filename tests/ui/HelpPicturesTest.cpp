// The pictures of the F1 help: the real widgets, offscreen, against the
// simulated controller, each grabbed to a PNG in both languages. Disabled:
// run them after a layout change to draw the pictures again, from the
// source folder:
//   DRAVINOR_HELP_PICTURES=help build/tests/ui/dravinor_ui_tests
//     --gtest_also_run_disabled_tests --gtest_filter='DISABLED_HelpPictures*'
// and look at each before committing it.
#include "TestLocations.h"
#include "WindowOnLine.h"

#include "PluggedSimulator.h"
#include "live/OscilloscopeGroup.h"
#include "live/ProbeHealthPanel.h"
#include "live/TScope.h"
#include "ui/connection/ReconnectWatch.h"
#include "ui/report/ReportDialog.h"
#include "ui/window/FileMemory.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QStatusBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

using namespace dravinor;

namespace {

// Where the pictures go, taken before a test makes another folder the
// current one; the tests skip themselves without it.
const QString pictureFolderGiven = [] {
    const QString folder = qEnvironmentVariable("DRAVINOR_HELP_PICTURES");
    return folder.isEmpty() ? folder : QDir(folder).absolutePath();
}();

QString pictureFolder()
{
    return pictureFolderGiven;
}

void savePicture(const QPixmap& picture, const QString& name)
{
    const QString path = QDir(pictureFolder()).filePath(name);
    EXPECT_TRUE(picture.save(path, "PNG")) << path.toStdString();
}

// A menu as it opens, grabbed whole.
QPixmap openedMenu(QMenu& menu, QPoint at = {0, 0})
{
    menu.popup(at);
    QCoreApplication::processEvents();
    QPixmap picture = menu.grab();
    menu.hide();
    return picture;
}

// A window's title as a window manager draws it above the window: the
// offscreen windows have no frame of their own.
QPixmap withTitleBar(const QString& title, const QPixmap& below)
{
    const int barHeight = 26;
    QPixmap picture(below.width(), below.height() + barHeight);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.fillRect(0, 0, picture.width(), barHeight, QColor(0x3C, 0x4B, 0x64));
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(8, 0, picture.width() - 16, barHeight), Qt::AlignLeft | Qt::AlignVCenter, title);
    painter.drawPixmap(0, barHeight, below);
    return picture;
}

// The shipped language files in a folder of the test's own, made the
// current one so that the window finds them there.
struct ShippedLanguages {
    QTemporaryDir folder;
    QString before = QDir::currentPath();

    ShippedLanguages()
    {
        QDir(folder.path()).mkpath("lang");
        for (const char* file : {"lang/polski.txt", "lang/russian.txt"})
            QFile::copy(QString::fromStdString(dravinor::testing::sourceDir() + "/") + file,
                        QDir(folder.path()).filePath(file));
        QDir::setCurrent(folder.path());
    }
    ~ShippedLanguages() { QDir::setCurrent(before); }
};

struct HelpPictures : dravinor::testing::WindowOnLine, ::testing::WithParamInterface<const char*> {
    ShippedLanguages languages;

    void SetUp() override
    {
        if (pictureFolder().isEmpty())
            GTEST_SKIP() << "DRAVINOR_HELP_PICTURES names no folder";
        startWith();
        item("N800")->trigger();
        if (russian())
            item("rosyjski")->trigger();
    }
    QString language() const { return QString::fromLatin1(GetParam()); }
    QString name(const char* picture) const { return QStringLiteral("%1-%2.png").arg(picture, language()); }
    bool russian() const { return language() == QStringLiteral("ru"); }
    // The live page polling a car at about 2,500 RPM long enough to judge
    // its probe, the trace stepping every 100 ms as its timer would.
    void runLivePage()
    {
        window->switchToPage(ui::MainWindow::TabViz);
        controller.setThrottle(0.4);
        live::TScope* scope = window->livePage().oscilloscope().scope();
        for (int step = 0; step < 120; ++step) {
            liveFor(100);
            scope->step();
        }
    }
};

}  // namespace

TEST_P(HelpPictures, ProbeCheckPanel)
{
    runLivePage();
    QCoreApplication::processEvents();
    savePicture(window->livePage().probeHealth().grab(), name("sonda"));
}

TEST_P(HelpPictures, TraceMenu)
{
    runLivePage();
    live::OscilloscopeGroup& oscilloscope = window->livePage().oscilloscope();
    oscilloscope.setFrozen(true);
    QCoreApplication::processEvents();
    // The context menu over the trace, where a right click opens it.
    live::TScope* scope = oscilloscope.scope();
    QMenu menu;
    menu.addActions(scope->actions());
    const QPixmap menuPicture = openedMenu(menu);
    QPixmap picture = oscilloscope.grab();
    QPainter painter(&picture);
    const QPoint click = scope->geometry().topLeft() + QPoint(scope->width() / 3, scope->height() / 4);
    painter.drawPixmap(click, menuPicture);
    painter.end();
    savePicture(picture, name("oscyloskop-menu"));
}

TEST_P(HelpPictures, ReportDialog)
{
    // With the trace frozen, so that its picture is offered.
    runLivePage();
    window->livePage().oscilloscope().setFrozen(true);
    item("Raport")->trigger();
    auto* dialog = window->findChild<ui::ReportDialog*>("RaportDialog");
    ASSERT_NE(dialog, nullptr);
    dialog->registration()->setText(russian() ? QString::fromUtf8("А123ВС 77") : QStringLiteral("WX 1234A"));
    dialog->makeAndModel()->setText(QString::fromUtf8(russian() ? "ВАЗ-2107" : "Škoda Felicia 1.3"));
    dialog->odometer()->setText(QString::fromUtf8(russian() ? "182 400 км" : "182 400 km"));
    dialog->workshop()->setText(QString::fromUtf8(russian() ? "Автогаз" : "Auto-Gaz"));
    QCoreApplication::processEvents();
    savePicture(withTitleBar(dialog->windowTitle(), dialog->grab()), name("raport"));
    dialog->reject();
}

TEST_P(HelpPictures, RecentFilesMenu)
{
    // Files saved, loaded or compared before, in a fitter's own folder.
    const char* folderName = russian() ? "/home/master/avto/" : "/home/mechanik/samochody/";
    for (const char* file : {"Felicia-WX1234A.PAR", "Punto-KR5Z123.PAR", "Corsa-PO7TT21.PAR"})
        window->fileMemory().noteParameterFile(QString::fromLatin1(folderName) + file);
    // `menu` opened, and its "Ostatnie pliki" beside the item that opens it.
    auto* main = child<QMenu>("menu");
    auto* recent = child<QMenu>("OstatniePliki");
    const QPixmap mainPicture = openedMenu(*main);
    const QPixmap recentPicture = openedMenu(*recent);
    const QRect opener = main->actionGeometry(recent->menuAction());
    const QPoint recentAt(mainPicture.width() - 4, opener.top());
    QPixmap picture(recentAt.x() + recentPicture.width(),
                    std::max(mainPicture.height(), recentAt.y() + recentPicture.height()));
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.drawPixmap(0, 0, mainPicture);
    painter.drawPixmap(recentAt, recentPicture);
    painter.end();
    savePicture(picture, name("ostatnie-pliki"));
}

INSTANTIATE_TEST_SUITE_P(DISABLED_HelpPictures, HelpPictures, ::testing::Values("pl", "ru"),
                         [](const auto& test) { return std::string(test.param); });

namespace {

// The window over a real pty whose adapter is pulled out.
struct UnpluggedHelpPicture : ::testing::TestWithParam<const char*> {
    dravinor::testing::PluggedSimulator plugged;
    dravinor::testing::StateFolder folder;
    dravinor::testing::FakeDialogs dialogs;
    std::unique_ptr<params::ControllerSession> session;
    std::unique_ptr<ui::MainWindow> window;

    void TearDown() override
    {
        window.reset();
        session.reset();
        lang::textSlots().restoreBuiltIn();
    }
    static bool waitFor(const std::function<bool()>& condition)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (!condition()) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            QTest::qWait(5);
        }
        return true;
    }
};

}  // namespace

TEST_P(UnpluggedHelpPicture, TitleAndStatusLine)
{
    if (pictureFolder().isEmpty())
        GTEST_SKIP() << "DRAVINOR_HELP_PICTURES names no folder";
    ShippedLanguages languages;
    std::string error;
    ASSERT_TRUE(plugged.sim.start(&error)) << error;
    session = plugged.session(folder.journal());
    window = std::make_unique<ui::MainWindow>(*session, &dialogs);
    window->startUp();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->findChild<QAction*>("N800")->trigger();
    const bool russian = QString::fromLatin1(GetParam()) == QStringLiteral("ru");
    if (russian)
        window->chooseRussian();
    plugged.sim.hangUp();
    auto* status = window->findChild<QStatusBar*>("StatusBar1");
    ASSERT_TRUE(waitFor([&] { return window->reconnectWatch().waiting() && !status->currentMessage().isEmpty(); }));
    QCoreApplication::processEvents();
    const QPixmap picture = withTitleBar(window->windowTitle(), status->grab());
    savePicture(picture, QStringLiteral("adapter-odlaczony-%1.png").arg(QString::fromLatin1(GetParam())));
}

INSTANTIATE_TEST_SUITE_P(DISABLED_HelpPictures, UnpluggedHelpPicture, ::testing::Values("pl", "ru"),
                         [](const auto& test) { return std::string(test.param); });
