// "Zapisz Parametry" and "Reset Parametrów" in the real window against the
// simulated controller: progress while the frames go out, and a status line
// that says what the controller confirmed.

#include "WindowOnLine.h"
#include "ui/status/TransferStatusTexts.h"
#include "ui/window/MainWindow.h"

#include <QAbstractButton>
#include <QProgressBar>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include <unistd.h>

using namespace dravinor;
namespace fs = std::filesystem;

namespace {

struct BulkWriteWindow : dravinor::testing::WindowOnLine {
    // What the progress bar on the page of the buttons went through.
    std::vector<int> progressValues;
    int progressMaximum = 0;
    bool statusLineHiddenMeanwhile = false;

    void SetUp() override
    {
        startWith(true);
        window->switchToPage(ui::MainWindow::TabPar2);
        auto* bar = window->findChild<QProgressBar*>("ProgressOpcje2");
        QObject::connect(bar, &QProgressBar::valueChanged, [this, bar](int value) {
            progressValues.push_back(value);
            progressMaximum = std::max(progressMaximum, bar->maximum());
            statusLineHiddenMeanwhile = statusLineHiddenMeanwhile || (!bar->isHidden() && statusBar(2)->isHidden());
        });
    }
    QStatusBar* statusBar(int line) const
    {
        return window->findChild<QStatusBar*>(line == 1 ? "StatusBar1" : "StatusBar2");
    }
};

}  // namespace

TEST_F(BulkWriteWindow, ZapiszParShowsProgressThenSaysAllThirtyFiveWereConfirmed)
{
    click("ZapiszPar");
    // The line ends with the backup of the set the write replaced.
    EXPECT_EQ(window->statusText(2), "Sterownik potwierdził zapis wszystkich 35 parametrów" + keptBackupNote());
    EXPECT_EQ(window->statusText(1), window->statusText(2));
    EXPECT_EQ(progressMaximum, 67);
    ASSERT_FALSE(progressValues.empty());
    EXPECT_EQ(progressValues.front(), 0);
    EXPECT_EQ(*std::max_element(progressValues.begin(), progressValues.end()), 67);
    EXPECT_TRUE(statusLineHiddenMeanwhile);
    // Afterwards the status lines are back in place of the bars, and the
    // bars hold what the start-up read left in them.
    auto* bar = window->findChild<QProgressBar*>("ProgressOpcje2");
    EXPECT_TRUE(bar->isHidden());
    EXPECT_FALSE(statusBar(2)->isHidden());
    EXPECT_EQ(bar->maximum(), 35);
    EXPECT_EQ(bar->value(), 35);
}

TEST_F(BulkWriteWindow, ResetCountsFramesLostInOnePassAsConfirmedByTheOther)
{
    sim::FaultOptions faults;
    faults.ignoreFirstWrites = 3;  // 's' 1, 2 and 3 of the first pass
    controller.setFaults(faults);
    click("ResButt");
    EXPECT_EQ(window->statusText(2), "Sterownik potwierdził zapis wszystkich 35 parametrów" + keptBackupNote());
    EXPECT_EQ(progressMaximum, 134);  // both passes, nothing written again
}

TEST_F(BulkWriteWindow, ZapiszParSaysHowManyWereWrittenAgainWhenTheFirstFramesWereLost)
{
    sim::FaultOptions faults;
    faults.ignoreFirstWrites = 3;
    controller.setFaults(faults);
    click("ZapiszPar");
    EXPECT_EQ(window->statusText(2),
              "Sterownik potwierdził zapis wszystkich 35 parametrów (4 zapisano ponownie pojedynczo)" +
                  keptBackupNote());
    EXPECT_EQ(progressMaximum, 71);
    EXPECT_EQ(*std::max_element(progressValues.begin(), progressValues.end()), 71);
}

TEST_F(BulkWriteWindow, ZapiszParNamesTheFieldTheControllerDidNotConfirm)
{
    sim::FaultOptions faults;
    faults.ignoreFirstWrites = 67 + 10;  // the bulk frames and every try of address 1
    controller.setFaults(faults);
    click("ZapiszPar");
    EXPECT_EQ(window->statusText(2), "Sterownik nie potwierdził zapisu 1 z 35 parametrów: Próg sondy lambda - "
                                     "może mieć teraz mieszany zestaw parametrów" +
                                         keptBackupNote());
    EXPECT_EQ(progressMaximum, 67 + 35);
}

TEST(BulkWriteResultText, NamesEachUnconfirmedFieldOnceAndFlagBytesByTheirByte)
{
    params::BulkWriteOutcome outcome;
    outcome.confirmed.set();
    for (int address : {14, 15, 11, 32})
        outcome.confirmed.reset(static_cast<std::size_t>(address));
    EXPECT_EQ(ui::texts::bulkWriteResult(outcome, nullptr),
              "Sterownik nie potwierdził zapisu 4 z 35 parametrów: Silnik ponizej TPS: Prędkość attuatora, "
              "Obroty dla przejscia b-g, bajt flag A (adres 32) - może mieć teraz mieszany zestaw parametrów");

    params::BulkWriteOutcome none;
    EXPECT_EQ(ui::texts::bulkWriteResult(none, nullptr), "Sterownik nie potwierdził zapisu żadnego z 35 parametrów");

    none.portLost = true;
    EXPECT_TRUE(ui::texts::bulkWriteResult(none, nullptr).startsWith("Port zniknął"));
}
