// The frames the pages and the window put on the wire for a read, an edit of
// every field, a file load, the bulk writes and the wizard's reset, held
// against a recording (tests/frames/). Code that moves the writes around must
// leave these alone; DRAVINOR_RECORD_FRAMES=1 records a change that means to
// change them.

#include "FakeDialogs.h"
#include "FrameLog.h"
#include "PageTestSupport.h"
#include "TestLocations.h"
#include "WindowOnLine.h"
#include "params/ControllerSession.h"
#include "ui/window/MainWindow.h"

#include <QAbstractButton>
#include <QTabBar>
#include <QTabWidget>

#include <filesystem>
#include <fstream>

using namespace dravinor;
using dravinor::testing::FrameLog;
using dravinor::testing::PagesOnLine;

namespace {

std::string recording(const char* name)
{
    return dravinor::testing::sourceDir() + "/tests/frames/" + name;
}

struct PageFrames : PagesOnLine {
    FrameLog log;

    // What the controller heard since the last step, under the step's name.
    void step(const std::string& title)
    {
        log.heading(title);
        log.addAll(frames());
        clearFrames();
    }
    void edit(const char* name, const QString& text)
    {
        typeAndLeave(name, text);
        step(std::string(name) + " = " + text.toStdString());
    }
    void pick(const char* name, int item)
    {
        choose(name, item);
        step(std::string(name) + " item " + std::to_string(item));
    }
    void tick(const char* name)
    {
        click(name);
        step(std::string(name) + " clicked");
    }
};

}  // namespace

TEST_F(PageFrames, EveryFieldWritesTheFramesItWroteBefore)
{
    dialogs.defaultAnswer = true;
    edit("PRLambda", "0,45");
    edit("ESLambda_1", "0,5");
    edit("ESLambda_2", "0,6");
    edit("PCTps", "1,25");
    edit("ODPBenzynaGas", "2500");
    edit("DObrotow", "200");
    edit("MONGaz", "6500");
    edit("TPWStopniach", "40");
    edit("ZPAttuatoraPow_1", "80");
    edit("ZPAttuatoraPow_2", "120");
    edit("PSAttuatoraPow", "105");
    edit("PAttuatoraPow", "20");
    edit("ZPAttuatoraPon_1", "60");
    edit("ZPAttuatoraPon_2", "110");
    edit("PSAttuatoraPon", "90");
    edit("PAttuatoraPon", "70");
    edit("IKDCutOff", "60");
    edit("OSDCutOff", "2000");
    edit("BTps", "0,2");
    edit("CLambda", "20");
    edit("AVoltage", "2,5");
    edit("DOAttuatora", "5");
    edit("RPMSignal", "3");
    // A half of a range that reaches the other takes its value; an empty
    // field takes its default.
    edit("ZPAttuatoraPow_1", "130");
    edit("PSAttuatoraPon", "");

    pick("RSLambda", 4);
    pick("RSYLambda", 2);
    pick("RSLambda", 2);
    pick("TCTps", 0);
    pick("RObrotow", 1);
    pick("CNPaliw", 5);
    pick("RUZaplonowego", 3);
    pick("TPSterownika", 2);
    pick("TPSterownika", 1);
    pick("TSRezerwy", 1);
    pick("TJazdy", 1);
    pick("DOAttuatoraCheck", 0);
    tick("WMObroty");
    tick("WCTemperatury");
    tick("WCutOff");
    dravinor::testing::expectRecordedFrames(log.text(), recording("page-edits.txt"));
}

TEST_F(PageFrames, WritesTheControllerRefusesSendWhatTheySentBefore)
{
    dialogs.defaultAnswer = true;
    controller.setSilent(true);
    edit("MONGaz", "7000");
    edit("DObrotow", "300");
    edit("PCTps", "2");
    pick("RSLambda", 1);
    pick("RSYLambda", 1);
    pick("TPSterownika", 2);
    pick("RUZaplonowego", 1);
    pick("CNPaliw", 2);
    tick("WCutOff");
    dravinor::testing::expectRecordedFrames(log.text(), recording("page-refused-edits.txt"));
}

TEST_F(PageFrames, EditsBesideUnreadFieldsWriteWhatTheyWroteBefore)
{
    dialogs.defaultAnswer = true;
    for (int address : {14, 15, 35})
        state.setUnread(address, true);
    pages->showParameters();
    clearFrames();
    edit("DObrotow", "300");
    pick("RSLambda", 1);
    pick("RUZaplonowego", 4);
    edit("ODPBenzynaGas", "");
    edit("ODPBenzynaGas", "2400");
    dravinor::testing::expectRecordedFrames(log.text(), recording("page-unread-edits.txt"));
}

namespace {

// The window on the simulated controller in simulated time: whether a
// bulk write's letters come back in time follows the fake clock, never the
// machine's load.
struct WindowFrames : dravinor::testing::WindowOnLine {
    FrameLog log;

    void SetUp() override
    {
        auto image = controller.eeprom();
        image[2] = 25;
        image[13] = 3;
        controller.setEeprom(image);
        startWith();
    }
    // livePolls false: the live requests of a running timer are left out,
    // their number follows the clock.
    void step(const std::string& title, bool livePolls = true)
    {
        log.heading(title);
        for (const auto& frame : controller.receivedFrames())
            if (livePolls || frame.bytes[0] != 'V')
                log.add(frame.bytes);
        controller.clearReceivedFrames();
    }
};

}  // namespace

TEST_F(WindowFrames, ReadFileLoadBulkWritesAndTheWizardResetSendWhatTheySentBefore)
{
    step("start-up: identify and read");

    std::array<char, 64> set{};
    for (std::size_t i = 0; i < set.size(); ++i)
        set[i] = static_cast<char>(i * 7 + 3);
    const auto file = folder / "SET.PAR";
    std::ofstream(file, std::ios::binary).write(set.data(), static_cast<std::streamsize>(set.size()));
    dialogs.openFile = QString::fromStdString(file.string());
    click("OdczPlik");
    step("file load");

    click("ZapiszPar");
    step("write all");
    click("ResButt");
    step("reset");
    click("OdczytPar");
    step("read again");

    dialogs.answers = {true};
    QTabBar* bar = window->pageControl()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(ui::MainWindow::TabAuto).center());
    window->stopAllTimers();
    step("wizard entry, without its live requests", false);
    dravinor::testing::expectRecordedFrames(log.text(), recording("window-transfers.txt"));
}
