#include "ControllerSession.h"
#include "ControllerSimulator.h"
#include "FakeDialogs.h"
#include "JournalTableModel.h"
#include "JournalWindow.h"
#include "MainWindow.h"
#include "WriteJournal.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include <unistd.h>

using namespace dravinor;
using dravinor::testing::FakeDialogs;
using Column = ui::JournalTableModel::Column;
namespace fs = std::filesystem;

namespace {

// The window with its journal in a folder of its own.
struct JournalWindowFixture : ::testing::Test {
    fs::path stateDir = fs::path(::testing::TempDir()) / ("dravinor-journal-ui-" + std::to_string(::getpid()));
    sim::ControllerSimulator controller{unpaced()};
    std::unique_ptr<params::ControllerSession> session;
    FakeDialogs dialogs;
    std::unique_ptr<ui::MainWindow> window;

    static sim::SimulatorOptions unpaced()
    {
        sim::SimulatorOptions options;
        options.pacing = false;
        return options;
    }
    void SetUp() override
    {
        fs::remove_all(stateDir);
        ::setenv("DRAVINOR_STATE_DIR", stateDir.c_str(), 1);
    }
    void TearDown() override
    {
        window.reset();
        fs::remove_all(stateDir);
    }
    void startWith(bool controllerAttached)
    {
        link::PortMap map;
        if (controllerAttached) {
            ASSERT_TRUE(controller.start());
            map.assign(0, controller.slavePath());
        } else {
            map.assign(0, "/dev/dravinor-no-such-tty");
        }
        session = std::make_unique<params::ControllerSession>(map);
        window = std::make_unique<ui::MainWindow>(*session, &dialogs);
        window->startUp();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        dialogs.messages.clear();  // start-up's own (a language file not found here)
    }
    ui::JournalWindow* openJournal()
    {
        window->findChild<QAction*>("DziennikZmian")->trigger();
        return window->journalWindow();
    }
    QString cell(int row, Column column) const
    {
        const auto& model = window->journalWindow()->model();
        return model.cellText(model.entries().at(static_cast<std::size_t>(row)), column);
    }
    void clickUndo() { QTest::mouseClick(window->findChild<QPushButton*>("CofnijOstatniZapis"), Qt::LeftButton); }
};

}  // namespace

TEST_F(JournalWindowFixture, AFieldEditIsListedAndTakenBackAfterAskingOnly)
{
    startWith(true);
    auto* field = window->findChild<QLineEdit*>("PRLambda");
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, "0,5");
    QTest::keyClick(field, Qt::Key_Tab);
    ASSERT_EQ(controller.eeprom()[1], 25);

    ui::JournalWindow* journal = openJournal();
    ASSERT_NE(journal, nullptr);
    EXPECT_TRUE(journal->isVisible());
    EXPECT_EQ(journal->windowTitle(), "Dziennik zmian");
    ASSERT_EQ(journal->model().rowCount(), 1);
    EXPECT_EQ(cell(0, Column::Port), "COM1");
    EXPECT_EQ(cell(0, Column::Version), "3/1");
    EXPECT_EQ(cell(0, Column::Field), "PRLambda (1)");
    EXPECT_EQ(cell(0, Column::OldValue), "0,38 V [19]");
    EXPECT_EQ(cell(0, Column::NewValue), "0,50 V [25]");
    EXPECT_EQ(cell(0, Column::Result), "potwierdzony");

    dialogs.answers = {false};
    clickUndo();
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_EQ(dialogs.questions[0], "Zapisać w sterowniku poprzednią wartość pola PRLambda: 0,38 V [19] (teraz 0,50 V [25]) ?");
    EXPECT_EQ(controller.eeprom()[1], 25);
    EXPECT_EQ(journal->model().rowCount(), 1);

    dialogs.answers = {true};
    clickUndo();
    EXPECT_EQ(controller.eeprom()[1], 19);
    EXPECT_EQ(window->findChild<QLineEdit*>("PRLambda")->text(), "0,38");  // shown in the field
    ASSERT_EQ(journal->model().rowCount(), 2);  // the undo is journalled, newest first
    EXPECT_EQ(cell(0, Column::OldValue), "0,50 V [25]");
    EXPECT_EQ(cell(0, Column::NewValue), "0,38 V [19]");
    EXPECT_EQ(journal->model().entries()[0].source, "undo");
    EXPECT_TRUE(dialogs.messages.isEmpty());

    // Everything taken back: nothing more to undo.
    clickUndo();
    EXPECT_EQ(dialogs.messages.value(0), "W dzienniku nie ma zapisu, który można cofnąć.");
}

TEST_F(JournalWindowFixture, UndoWithoutAControllerIsRefusedAndAsksNothing)
{
    params::JournalEntry earlier;
    earlier.time = "2026-12-08T07:00:00.000Z";
    earlier.port = "COM1";
    earlier.controller = "3/1";
    earlier.kind = "write";
    earlier.source = "field";
    earlier.address = earlier.lastAddress = 2;
    earlier.field = "PCTps";
    earlier.oldRaw = 28;
    earlier.newRaw = 30;
    earlier.acknowledged = true;
    ASSERT_TRUE(params::WriteJournal(params::WriteJournal::defaultPath()).append(earlier));
    startWith(false);
    openJournal();
    ASSERT_EQ(window->journalWindow()->model().rowCount(), 1);
    clickUndo();
    EXPECT_TRUE(dialogs.questions.isEmpty());
    EXPECT_EQ(dialogs.messages.value(0), "Brak połączenia ze sterownikiem - nie można cofnąć zapisu.");
    EXPECT_EQ(window->journalWindow()->model().rowCount(), 1);
}
