#include "SteppedTime.h"
#include "WindowOnLine.h"
#include "live/LivePage.h"
#include "live/LiveReplay.h"
#include "params/LiveCsv.h"
#include "ui/recording/LiveRecordingControl.h"
#include "ui/recording/LiveReplayControl.h"
#include "ui/window/FileMemory.h"
#include "ui/window/MainWindow.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace dravinor;

namespace {

// The window on the live page of the simulated engine, recording.
struct RecordingFixture : dravinor::testing::WindowOnLine {
    QTemporaryDir dir;

    void SetUp() override
    {
        startWith(true);
        window->switchToPage(ui::MainWindow::TabViz);
    }
    QAction* recordItem() const { return window->recording().item(); }
    const live::LiveRecorder& recorder() const { return window->recording().recorder(); }
    QString stateLine() const { return window->livePage().stateLine()->text(); }
    // A poll a row, 50 ms apart.
    bool waitForRows(long rows)
    {
        liveFor(static_cast<std::uint32_t>(rows) * 50);
        return recorder().rows() >= rows;
    }
};

bool sameFrame(const params::LiveFrame& a, const params::LiveFrame& b)
{
    return a.lambda == b.lambda && a.tps == b.tps && a.temperature == b.temperature &&
           a.stepperPosition == b.stepperPosition && a.status == b.status && a.rpmPeriod == b.rpmPeriod;
}

}  // namespace

TEST_F(RecordingFixture, RecordingReadsBackAsTheFramesThePageShowed)
{
    dialogs.saveFile = dir.filePath("drive.csv");
    std::vector<live::LiveDisplay> shown;
    QObject::connect(&window->livePage(), &live::LivePage::polled, [&](const live::LiveDisplay& display) {
        if (recorder().recording())
            shown.push_back(display);
    });
    recordItem()->trigger();
    EXPECT_TRUE(recordItem()->isChecked());
    EXPECT_TRUE(dialogs.lastDirectory.endsWith(".csv")) << dialogs.lastDirectory.toStdString();
    EXPECT_TRUE(stateLine().startsWith("Nagrywanie do pliku:"));
    ASSERT_TRUE(waitForRows(8));
    recordItem()->trigger();
    EXPECT_FALSE(recordItem()->isChecked());
    EXPECT_FALSE(recorder().recording());
    EXPECT_EQ(stateLine(), "Nagrywanie zakończone, zapisano wierszy: " + QString::number(shown.size()));

    std::vector<params::LiveSample> read;
    params::LiveCsvError error;
    ASSERT_TRUE(params::loadLiveCsv(dialogs.saveFile.toStdString(), read, error)) << "line " << error.line;
    ASSERT_EQ(read.size(), shown.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
        EXPECT_TRUE(sameFrame(read[i].frame, shown[i].frame)) << i;
        EXPECT_EQ(read[i].settings.ignitionConstant, session->state().ignitionConstant());
        // Replayed, the row shows what the page showed.
        EXPECT_EQ(params::engineRpm(read[i].frame, read[i].settings.ignitionConstant), shown[i].rpm) << i;
    }
    EXPECT_EQ(read.front().timeMs, 0);
    EXPECT_GT(read.back().timeMs, 0);
}

TEST_F(RecordingFixture, RecordingEndsWithThePageOrTheController)
{
    dialogs.saveFile = dir.filePath("left.csv");
    recordItem()->trigger();
    ASSERT_TRUE(waitForRows(1));
    window->switchToPage(ui::MainWindow::TabPar1);
    EXPECT_FALSE(recorder().recording());
    EXPECT_FALSE(recordItem()->isChecked());
    EXPECT_FALSE(recordItem()->isEnabled());

    window->switchToPage(ui::MainWindow::TabViz);
    dialogs.saveFile = dir.filePath("lost.csv");
    recordItem()->trigger();
    ASSERT_TRUE(waitForRows(1));
    controller.hangUp();
    liveFor(50);
    EXPECT_FALSE(recorder().recording());
    EXPECT_FALSE(recordItem()->isChecked());
    EXPECT_EQ(stateLine(), "Nagrywanie zatrzymane: brak połączenia ze sterownikiem");
}

TEST_F(RecordingFixture, AFileThatCannotBeCreatedIsToldAndNothingRecords)
{
    dialogs.saveFile = dir.filePath("no-such-folder/drive.csv");
    recordItem()->trigger();
    EXPECT_FALSE(recordItem()->isChecked());
    EXPECT_FALSE(recorder().recording());
    EXPECT_TRUE(stateLine().startsWith("Nie mogę utworzyć pliku nagrania:")) << stateLine().toStdString();

    // A cancelled dialog leaves the item unticked without a word.
    dialogs.saveFile.clear();
    recordItem()->trigger();
    EXPECT_FALSE(recordItem()->isChecked());
}

// The recordings' dialog starts at home, then where the last recording went;
// the parameter files keep a folder of their own.
TEST_F(RecordingFixture, TheRecordingDialogOpensWhereTheLastRecordingWent)
{
    QSettings(QSettings::IniFormat, QSettings::UserScope, "dravinor", "dravinor").clear();
    dialogs.saveFile = dir.filePath("drives/first.csv");
    QDir(dir.path()).mkpath("drives");
    recordItem()->trigger();
    EXPECT_EQ(QFileInfo(dialogs.lastDirectory).path(), QDir::homePath());
    EXPECT_TRUE(QFileInfo(dialogs.lastDirectory).fileName().startsWith("dravinor-live-"));
    recordItem()->trigger();
    recordItem()->trigger();
    EXPECT_EQ(QFileInfo(dialogs.lastDirectory).path(), dir.filePath("drives"));
    recordItem()->trigger();
    EXPECT_EQ(window->fileMemory().folder(ui::FileMemory::Kind::ParameterFiles), QDir::homePath());
    QSettings(QSettings::IniFormat, QSettings::UserScope, "dravinor", "dravinor").clear();
}

namespace {

// The window started for a replay: no controller anywhere.
struct ReplayFixture : dravinor::testing::WindowOnLine {
    dravinor::testing::SteppedTime time;  // the replay's timer and clock

    void SetUp() override
    {
        link::PortMap map;
        map.assign(0, controller.slavePath());  // there, but a replay must not open it
        session = std::make_unique<params::ControllerSession>(map, controller.wiring(folder.journal()));
        window = std::make_unique<ui::MainWindow>(*session, &dialogs);
        std::vector<params::LiveSample> samples;
        // Three polls 50 ms apart, then one a minute later: idle on petrol,
        // revving on gas, the sensor switched on in the last.
        for (const auto& [ms, status, period, sensor] : {std::tuple{0, 0x00, 2400, false},
                                                         {50, 0x02, 1200, false},
                                                         {100, 0x03, 800, false},
                                                         {60'000, 0x01, 2400, true}}) {
            params::LiveSample s;
            s.timeMs = ms;
            s.answered = true;
            s.frame = {255, 23, 153, 0, static_cast<std::uint8_t>(status), static_cast<std::uint16_t>(period)};
            s.frame.stepperPosition = static_cast<std::uint8_t>(ms / 1000 + 7);
            s.settings = {4800, sensor, 46};
            samples.push_back(s);
        }
        window->startReplay("drive.csv", std::move(samples));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    live::LiveReplay& replay() const { return window->replay()->replay(); }
    QString text(const char* name) const { return window->findChild<QLabel*>(name)->text(); }
};

}  // namespace

TEST_F(ReplayFixture, TheLivePageShowsTheRecordingWithoutAnyPort)
{
    EXPECT_EQ(window->pageControl()->currentIndex(), ui::MainWindow::TabViz);
    EXPECT_FALSE(session->port().portOpen());
    EXPECT_TRUE(session->port().portName().empty());
    EXPECT_TRUE(controller.receivedFrames().empty());
    EXPECT_FALSE(window->findChild<QMenu*>("ports")->isEnabled());
    EXPECT_FALSE(window->findChild<QToolButton*>("SwitchVIZ")->isEnabled());
    EXPECT_FALSE(window->recording().item()->isEnabled());

    replay().setPaused(true);  // the test drives the time
    replay().presentUntil(100);
    EXPECT_EQ(replay().shownSamples(), 3u);
    EXPECT_EQ(text("BenzGazLed"), "Gaz");
    EXPECT_TRUE(text("Lambda_BarED").startsWith("5"));
    EXPECT_EQ(text("Silnik_BarED"), "7");
    // 800 x K / period with the recorded ignition constant 4800.
    EXPECT_EQ(text("Manometr_RPMED"), "4800");
    EXPECT_FALSE(window->findChild<QLabel*>("TermVizED")->isVisible());

    replay().presentUntil(60'000);
    EXPECT_TRUE(replay().finished());
    EXPECT_EQ(text("Silnik_BarED"), "67");
    EXPECT_EQ(text("BenzGazLed"), "Benzyna/Automat");
    EXPECT_EQ(text("TermVizED"), "95");
    EXPECT_TRUE(window->findChild<QLabel*>("TermVizED")->isVisible());
    EXPECT_TRUE(window->livePage().stateLine()->text().endsWith("01:00 / 01:00  koniec nagrania"))
        << window->livePage().stateLine()->text().toStdString();
    EXPECT_FALSE(session->port().portOpen());
    EXPECT_TRUE(session->port().portName().empty());
    EXPECT_TRUE(controller.receivedFrames().empty());
}

TEST_F(ReplayFixture, SpaceOnTheLivePagePausesAndResumes)
{
    QAction* pause = window->replay()->pauseItem();
    EXPECT_EQ(pause->shortcut(), QKeySequence(Qt::Key_Space));
    ASSERT_TRUE(pause->isEnabled());
    EXPECT_TRUE(replay().playing());
    window->activateWindow();
    QTest::keyClick(window->focusWidget() ? window->focusWidget() : window.get(), Qt::Key_Space);
    EXPECT_TRUE(replay().paused());
    EXPECT_FALSE(replay().playing());
    EXPECT_TRUE(window->livePage().stateLine()->text().endsWith("wstrzymane (Spacja wznawia)"));
    const auto position = replay().positionMs();
    time.advance(120);
    EXPECT_EQ(replay().positionMs(), position);
    pause->trigger();
    EXPECT_TRUE(replay().playing());
    time.advance(120);
    EXPECT_EQ(replay().positionMs(), position + 120);
    EXPECT_EQ(replay().shownSamples(), 3u);

    // Another page holds the replay and frees Space.
    window->switchToPage(ui::MainWindow::TabPar1);
    EXPECT_FALSE(replay().playing());
    EXPECT_FALSE(pause->isEnabled());
    window->switchToPage(ui::MainWindow::TabViz);
    EXPECT_TRUE(replay().playing());
}
