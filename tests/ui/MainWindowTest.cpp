#include "WindowOnLine.h"
#include "live/LivePage.h"
#include "live/TScope.h"
#include "ui/window/WindowFit.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace dravinor;
namespace fs = std::filesystem;

namespace {

const QString titlePrefix = QStringLiteral("Dravinor Zuv Telvar ver 1.03 - ");

// The window against the simulated controller on COM1, or against no
// controller at all.
struct WindowFixture : dravinor::testing::WindowOnLine {
    QTimer* timer(const char* name) const { return window->findChild<QTimer*>(name); }
    bool anyTimerRuns() const
    {
        for (QTimer* t : window->findChildren<QTimer*>())
            if (t->isActive())
                return true;
        return window->livePage().oscilloscope().scope()->timerRunning();  // the trace's own timer
    }
    void clickTab(int index)
    {
        QTabBar* bar = window->pageControl()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }
    void pressKey(Qt::Key key) { QTest::keyClick(window.get(), key); }
};

}  // namespace

TEST_F(WindowFixture, StartsWithoutControllerOnTheDefaultSet)
{
    startWith(false);
    EXPECT_EQ(window->windowTitle(), titlePrefix);
    // The scan's last text, and that the pages are not the car's.
    EXPECT_EQ(window->statusText(1),
              QStringLiteral("Nie moge otworzyc portu - strony pokazują zestaw domyślny, nie parametry samochodu"));
    EXPECT_EQ(fieldText("PRLambda"), "0,38");
    EXPECT_EQ(fieldText("ODPBenzynaGas"), "2200");
    for (const char* group : {"GroupBox1", "GroupBox4", "GroupBox7", "GroupBox8"})
        EXPECT_FALSE(child(group)->isHidden()) << group;
    EXPECT_TRUE(child<QAction>("polski")->isChecked());
    EXPECT_FALSE(child<QAction>("rosyjski")->isChecked());
    // 933 x 677 where the screen has the room (the test screen is smaller).
    EXPECT_EQ(window->frameGeometry().size(), QSize(933, 677).boundedTo(window->screen()->availableGeometry().size()));
    EXPECT_FALSE(anyTimerRuns());
}

TEST_F(WindowFixture, StartsWithControllerReadAndNamed)
{
    auto image = controller.eeprom();
    image[2] = 25;  // 1,25 V
    controller.setEeprom(image);
    startWith(true);
    EXPECT_EQ(window->windowTitle(), titlePrefix + "[  wersja sterownika 3 ]");
    EXPECT_EQ(window->statusText(1), "Port otwarty - COM1");
    EXPECT_TRUE(child<QAction>("COM1_cl")->isChecked());
    EXPECT_FALSE(child<QAction>("COM2_cl")->isChecked());
    EXPECT_EQ(fieldText("PCTps"), "1,25");
    EXPECT_EQ(controller.receivedFrames().size(), 37u);  // identify, 35 reads, identify
    EXPECT_FALSE(child("ProgressOpcje1")->isVisible());
    EXPECT_TRUE(child("StatusBar1")->isVisible());
}

TEST_F(WindowFixture, PortMenuFailureClearsTheChecks)
{
    startWith(true);
    child<QAction>("COM2_cl")->trigger();
    EXPECT_EQ(window->statusText(1), "Nie moge otworzyc portu");
    EXPECT_EQ(window->windowTitle(), titlePrefix + "brak sterownika");
    EXPECT_FALSE(child<QAction>("COM1_cl")->isChecked());
    child<QAction>("autodetekcja1")->trigger();
    EXPECT_TRUE(child<QAction>("COM1_cl")->isChecked());
    EXPECT_EQ(window->statusText(1), "Port otwarty - COM1");
}

TEST_F(WindowFixture, TheLivePageAndTheWizardAreBuiltAtTheirFirstShowingWhateverShowsIt)
{
    startWith(false);
    EXPECT_EQ(window->findChild<QWidget*>("Manometr_RPM"), nullptr);
    EXPECT_EQ(window->findChild<QWidget*>("AAP1_Dalej"), nullptr);

    window->switchToPage(ui::MainWindow::TabViz);
    QWidget* meter = window->findChild<QWidget*>("Manometr_RPM");
    ASSERT_NE(meter, nullptr);
    EXPECT_TRUE(meter->isVisible());
    EXPECT_GT(meter->width(), 0);
    // What the page hides at its building stays hidden.
    EXPECT_FALSE(window->livePage().showsStaleReadings());

    // Shown with the window not told of the change: built all the same.
    {
        const QSignalBlocker quiet(window->pageControl());
        window->pageControl()->setCurrentIndex(ui::MainWindow::TabAuto);
    }
    QWidget* next = window->findChild<QWidget*>("AAP1_Dalej");
    ASSERT_NE(next, nullptr);
    EXPECT_TRUE(next->isVisible());
    EXPECT_FALSE(child("AAP2_Dalej")->isVisible());
}

TEST_F(WindowFixture, WizardEntryAsksAndDeclineReturnsToTheFirstPage)
{
    startWith(true);
    dialogs.answers = {false};
    clickTab(ui::MainWindow::TabAuto);
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_EQ(dialogs.questions[0], "uwaga, przejście na autoadaptację powoduje reset parametrów, kontynuować ?");
    EXPECT_EQ(window->pageControl()->currentIndex(), ui::MainWindow::TabPar1);
    EXPECT_EQ(QApplication::focusWidget(), child("PRLambda"));
    EXPECT_FALSE(anyTimerRuns());
}

TEST_F(WindowFixture, WizardEntryResetsAndLeavingItNeedsAYes)
{
    startWith(true);
    controller.clearReceivedFrames();
    dialogs.answers = {true};
    pressKey(Qt::Key_F5);
    EXPECT_EQ(window->pageControl()->currentIndex(), ui::MainWindow::TabAuto);
    // The default set, twice, then one live poll for the fuel state.
    EXPECT_EQ(controller.receivedFrames().size(), 2u * 67u + 1u);
    EXPECT_TRUE(timer("TimerAAP1")->isActive());

    dialogs.answers = {false};
    pressKey(Qt::Key_F2);
    EXPECT_EQ(dialogs.questions.back(), "Czy napewno wyjść z autoadaptacji ?");
    EXPECT_EQ(window->pageControl()->currentIndex(), ui::MainWindow::TabAuto);
    EXPECT_TRUE(timer("TimerAAP1")->isActive());

    dialogs.answers = {false};
    clickTab(ui::MainWindow::TabViz);
    EXPECT_EQ(window->pageControl()->currentIndex(), ui::MainWindow::TabAuto);

    dialogs.answers = {true};
    pressKey(Qt::Key_F3);
    EXPECT_EQ(window->pageControl()->currentIndex(), ui::MainWindow::TabPar2);
    EXPECT_FALSE(anyTimerRuns());
}

TEST_F(WindowFixture, ResolutionItemsAndTheMinimumSize)
{
    startWith(false);
    child<QAction>("N800")->trigger();
    // Done as soon as the window has its new size: no fixed wait.
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->frameGeometry().size() == QSize(800, 600); }));
    EXPECT_EQ(window->frameGeometry().size(), QSize(800, 600));
    EXPECT_TRUE(child<QAction>("N800")->isChecked());
    EXPECT_FALSE(child<QAction>("N640")->isChecked());

    window->resize(500, 400);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !child<QAction>("N800")->isChecked(); }));
    EXPECT_GE(window->width(), 640 - (window->frameGeometry().width() - window->width()));
    EXPECT_GE(window->frameGeometry().height(), 480);
    for (const char* item : {"N640", "N800", "N1024", "N1280"})
        EXPECT_FALSE(child<QAction>(item)->isChecked()) << item;
}

// A window manager that ignores the minimum size hint (or none at all) may
// still make the window smaller: it goes back to 640 x 480 at once, pages
// included, instead of piling them up.
TEST_F(WindowFixture, PagesPileUpWhenTheWindowManagerIgnoresTheMinimumSize)
{
    startWith(false);
    window->windowHandle()->resize(300, 200);  // past the hint, as such a manager does
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_GE(window->frameGeometry().width(), 640);
    EXPECT_GE(window->frameGeometry().height(), 480);
    EXPECT_GE(window->pageControl()->widget(ui::MainWindow::TabPar1)->width(), 600);
}

// The start size and the resolution items never open the window larger than
// the screen's available area, nor partly off it, so its menu stays in reach.
TEST_F(WindowFixture, ResolutionLargerThanTheScreenOpensPartlyOffScreen)
{
    startWith(false);
    const QRect area = window->screen()->availableGeometry();
    EXPECT_TRUE(area.contains(window->frameGeometry())) << "start";
    window->move(area.right() - 100, area.bottom() - 100);
    child<QAction>("N1280")->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(area.contains(window->frameGeometry()));
    EXPECT_TRUE(child<QAction>("N1280")->isChecked());
    EXPECT_GE(window->frameGeometry().width(), std::min(area.width(), 1280));

    child<QAction>("N640")->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(window->frameGeometry().size(), QSize(640, 480));
    EXPECT_TRUE(area.contains(window->frameGeometry()));
}

TEST(WindowFit, ClampsToTheScreenAndKeepsTheMinimum)
{
    // A 960 x 540 screen (1920 x 1080 at scale factor 2): the start size is
    // cut to its height and pulled back onto it.
    const QRect screen(0, 0, 960, 540);
    EXPECT_EQ(ui::fitOnScreen(QRect(14, -68, 933, 677), screen), QRect(14, 0, 933, 540));
    EXPECT_EQ(ui::fitOnScreen(QRect(500, 300, 640, 480), screen), QRect(320, 60, 640, 480));
    // A screen below the minimum: the minimum wins, the top-left corner stays on it.
    EXPECT_EQ(ui::fitOnScreen(QRect(50, 50, 800, 600), QRect(0, 0, 600, 400)), QRect(0, 0, 640, 480));
    // A second screen to the right; no screen known leaves the window alone.
    EXPECT_EQ(ui::fitOnScreen(QRect(1900, 0, 800, 600), QRect(1920, 0, 1280, 1024)), QRect(1920, 0, 800, 600));
    EXPECT_EQ(ui::fitOnScreen(QRect(5, 5, 300, 200), QRect()), QRect(5, 5, 300, 200));
    EXPECT_EQ(ui::atLeast(QSize(300, 900), QSize(640, 480)), QSize(640, 900));
}

TEST_F(WindowFixture, ParameterFilesSaveLoadAndFailLoudly)
{
    startWith(true);
    const fs::path dir = folder.path();

    dialogs.saveFile = QString::fromStdString((dir / "car.PAR").string());
    child<QAbstractButton>("ZapPlik")->click();
    EXPECT_EQ(fs::file_size(dir / "car.PAR"), 64u);
    EXPECT_EQ(dialogs.lastFilter, "Plik Parametrów KORVANT Lambda *.PAR (*.PAR *.par)");
    EXPECT_TRUE(dialogs.errors.isEmpty());

    dialogs.saveFile = QString::fromStdString((dir / "missing-folder" / "x.PAR").string());
    child<QAbstractButton>("ZapPlik")->click();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith("blad|Nie moge zapisac")) << dialogs.errors[0].toStdString();

    dialogs.openFile = QString::fromStdString((dir / "nothing.PAR").string());
    child<QAbstractButton>("OdczPlik")->click();
    ASSERT_EQ(dialogs.errors.size(), 2);
    EXPECT_EQ(dialogs.errors[1], "blad|Nie moge odczytac");

    // A short file changes its first bytes only, then goes to the controller.
    std::ofstream(dir / "short.PAR", std::ios::binary).write("\0\x20", 2);
    controller.clearReceivedFrames();
    dialogs.openFile = QString::fromStdString((dir / "short.PAR").string());
    child<QAbstractButton>("OdczPlik")->click();
    EXPECT_EQ(fieldText("PRLambda"), "0,64");
    EXPECT_EQ(controller.receivedFrames().size(), 67u);
    EXPECT_EQ(controller.eeprom()[1], 0x20);
}

TEST_F(WindowFixture, OddFileSizeAndAnAdapterPulledDuringAWriteAreToldInTheStatusLine)
{
    startWith(true);
    const fs::path dir = folder.path();
    std::ofstream(dir / "big.PAR", std::ios::binary) << std::string(100, '\x01');
    dialogs.openFile = QString::fromStdString((dir / "big.PAR").string());
    child<QAbstractButton>("OdczPlik")->click();
    EXPECT_TRUE(window->statusText(1).contains("100 B")) << window->statusText(1).toStdString();

    sim::FaultOptions faults;
    faults.hangUpAfterFrames = 5;
    controller.setFaults(faults);
    child<QAbstractButton>("ZapiszPar")->click();
    const QString status = window->statusText(1);
    EXPECT_TRUE(status.startsWith(QStringLiteral("Port zniknął"))) << status.toStdString();
    EXPECT_TRUE(status.contains(QStringLiteral("z 35"))) << status.toStdString();
    EXPECT_TRUE(status.contains(QStringLiteral("mieszany"))) << status.toStdString();
}

TEST_F(WindowFixture, CloseReleasesThePort)
{
    startWith(true);
    window->close();
    EXPECT_FALSE(session->port().portOpen());
    EXPECT_FALSE(anyTimerRuns());
}
