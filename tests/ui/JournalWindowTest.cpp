#include "ui/journal/JournalWindow.h"
#include "JournalledWrite.h"
#include "WindowOnLine.h"
#include "params/WriteJournal.h"
#include "ui/journal/JournalTableModel.h"
#include "ui/window/MainWindow.h"

#include <QAction>
#include <QFont>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include <unistd.h>

using namespace dravinor;
using Column = ui::JournalTableModel::Column;
namespace fs = std::filesystem;

namespace {

// The window with its journal in a folder of its own.
struct JournalWindowFixture : dravinor::testing::WindowOnLine {
    JournalWindowFixture() : WindowOnLine(unpaced()) {}
    static sim::SimulatorOptions unpaced()
    {
        sim::SimulatorOptions options;
        options.pacing = false;
        return options;
    }
    void startWith(bool controllerAttached)
    {
        WindowOnLine::startWith(controllerAttached);
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
    EXPECT_EQ(cell(0, Column::Version), "1/3");
    EXPECT_EQ(cell(0, Column::Field), "Próg sondy lambda (PRLambda, 1)");
    EXPECT_EQ(cell(0, Column::OldValue), "0,38 V [19]");
    EXPECT_EQ(cell(0, Column::NewValue), "0,50 V [25]");
    EXPECT_EQ(cell(0, Column::Result), "potwierdzony");

    dialogs.answers = {false};
    clickUndo();
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_EQ(dialogs.questions[0], "Zapisać w sterowniku poprzednią wartość pola Próg sondy lambda (PRLambda, 1): "
                                    "0,38 V [19] (teraz 0,50 V [25]) ?");
    EXPECT_EQ(controller.eeprom()[1], 25);
    EXPECT_EQ(journal->model().rowCount(), 1);

    dialogs.answers = {true};
    clickUndo();
    EXPECT_EQ(controller.eeprom()[1], 19);
    EXPECT_EQ(window->findChild<QLineEdit*>("PRLambda")->text(), "0,38");  // shown in the field
    ASSERT_EQ(journal->model().rowCount(), 2);                             // the undo is journalled, newest first
    EXPECT_EQ(cell(0, Column::OldValue), "0,50 V [25]");
    EXPECT_EQ(cell(0, Column::NewValue), "0,38 V [19]");
    EXPECT_EQ(journal->model().entries()[0].source, params::WriteSource::Undo);
    EXPECT_TRUE(dialogs.messages.isEmpty());

    // Everything taken back: nothing more to undo.
    clickUndo();
    EXPECT_EQ(dialogs.messages.value(0), "W dzienniku nie ma zapisu, który można cofnąć.");
}

TEST_F(JournalWindowFixture, UndoWithoutAControllerIsRefusedAndAsksNothing)
{
    params::JournalEntry earlier = dravinor::testing::journalledWrite(2, 28, 30);
    earlier.field = "PCTps";
    ASSERT_TRUE(params::WriteJournal(folder.journal()).append(earlier));
    startWith(false);
    openJournal();
    ASSERT_EQ(window->journalWindow()->model().rowCount(), 1);
    clickUndo();
    EXPECT_TRUE(dialogs.questions.isEmpty());
    EXPECT_EQ(dialogs.messages.value(0), "Brak połączenia ze sterownikiem - nie można cofnąć zapisu.");
    EXPECT_EQ(window->journalWindow()->model().rowCount(), 1);
}

TEST_F(JournalWindowFixture, UndoAfterASessionOfFieldVisitsOffersTheOneRealChange)
{
    startWith(true);
    // The fitter tabs through fields, each rewriting what it holds, and
    // changes one of them on the way.
    const auto leave = [this](const char* name, const char* typed) {
        auto* field = window->findChild<QLineEdit*>(name);
        field->setFocus();
        if (typed) {
            field->selectAll();
            QTest::keyClicks(field, typed);
        }
        QTest::keyClick(field, Qt::Key_Tab);
    };
    const int before = controller.eeprom()[11];
    ASSERT_NE(before, 2);
    for (const char* name : {"PRLambda", "PCTps", "PSAttuatoraPow", "PAttuatoraPow"})
        leave(name, nullptr);
    leave("PAttuatoraPon", "2");  // below 4 the speed warning asks; the fake dialogs say Yes
    ASSERT_EQ(controller.eeprom()[11], 2);
    for (const char* name : {"PSAttuatoraPon", "PRLambda", "PCTps"})
        leave(name, nullptr);

    ui::JournalWindow* journal = openJournal();
    const auto& model = journal->model();
    int unchanged = 0, next = -1;
    for (int row = 0; row < model.rowCount(); ++row) {
        if (model.mark(row) == params::UndoMark::Unchanged) {
            ++unchanged;
            // Dimmed, and the result says why.
            EXPECT_TRUE(model.data(model.index(row, Column::Field), Qt::ForegroundRole).isValid());
            EXPECT_TRUE(model.cellText(row, Column::Result).endsWith("bez zmiany wartości - pomijany przy cofaniu"));
        }
        if (model.mark(row) == params::UndoMark::Next)
            next = row;
    }
    EXPECT_GE(unchanged, 7);
    ASSERT_GE(next, 0);
    EXPECT_EQ(cell(next, Column::Field), "Silnik ponizej TPS: Prędkość attuatora (PAttuatoraPon, 11)");
    EXPECT_TRUE(model.data(model.index(next, Column::Field), Qt::FontRole).value<QFont>().bold());

    dialogs.answers = {true};
    clickUndo();
    // The speed warning came first; the undo asks once, for the real change.
    ASSERT_FALSE(dialogs.questions.isEmpty());
    EXPECT_EQ(dialogs.questions.filter("Zapisać w sterowniku").size(), 1);
    EXPECT_TRUE(dialogs.questions.back().contains(QString("(PAttuatoraPon, 11): %1 [%1] (teraz 2 [2])").arg(before)))
        << dialogs.questions.back().toStdString();
    EXPECT_EQ(controller.eeprom()[11], before);

    // The undo's own row is marked, and the change it took back.
    EXPECT_EQ(model.mark(0), params::UndoMark::UndoWrite);
    EXPECT_TRUE(model.cellText(0, Column::Result).endsWith("cofnięcie zapisu"));
    EXPECT_TRUE(model.data(model.index(0, Column::Time), Qt::FontRole).value<QFont>().italic());
    EXPECT_EQ(model.mark(next + 1), params::UndoMark::TakenBack);
    EXPECT_TRUE(model.cellText(next + 1, Column::Result).endsWith("cofnięty"));
}

// However wide it would like to be, the journal opens whole on the screen
// of the window (800 x 600 here), its bottom and its button on it.
TEST_F(JournalWindowFixture, TheJournalOpensWholeOnASmallScreen)
{
    startWith(false);
    ui::JournalWindow* journal = openJournal();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(journal));
    const QRect screen = journal->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(journal->frameGeometry()))
        << journal->frameGeometry().width() << "x" << journal->frameGeometry().height() << " at "
        << journal->frameGeometry().y();
    EXPECT_GE(journal->width(), 480);
}

TEST_F(JournalWindowFixture, EscapeClosesTheJournalWindow)
{
    startWith(true);
    ui::JournalWindow* journal = openJournal();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(journal));
    // From the table, where the focus sits, and from the undo button.
    QTest::keyClick(journal->table(), Qt::Key_Escape);
    EXPECT_FALSE(journal->isVisible());
    openJournal();
    ASSERT_TRUE(journal->isVisible());
    QTest::keyClick(window->journalWindow()->findChild<QPushButton*>("CofnijOstatniZapis"), Qt::Key_Escape);
    EXPECT_FALSE(journal->isVisible());
    // It opens again as it was.
    EXPECT_EQ(openJournal(), journal);
    EXPECT_TRUE(journal->isVisible());
}

TEST_F(JournalWindowFixture, BulkLinesAndValuesNoFieldShowsAreNamedByWhatTheyHold)
{
    startWith(true);
    auto& block = session->state().block();
    block.setParameter(params::Address(27), static_cast<std::uint8_t>(block.get(27) ^ 1));
    block.setParameter(params::Address(30), static_cast<std::uint8_t>(block.get(30) ^ 1));
    ASSERT_TRUE(session->transfer().writeAll().allConfirmed());
    openJournal();
    const auto& model = window->journalWindow()->model();
    QStringList fields;
    for (int row = 0; row < model.rowCount(); ++row)
        fields << cell(row, Column::Field);
    EXPECT_TRUE(fields.contains("Kod wyjścia emulacji (27)")) << fields.join(" | ").toStdString();
    EXPECT_TRUE(fields.contains("Tryb jazdy sportowej (TJazdy, 30)")) << fields.join(" | ").toStdString();
}
