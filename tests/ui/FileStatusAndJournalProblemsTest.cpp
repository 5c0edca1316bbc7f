// The window after "Zapis do pliku" and "Odczyt z pliku", with a journal
// that is not what it should be, with an undo on another car's set, and
// with a port name that leads to no serial port.
#include "JournalledWrite.h"
#include "WindowOnLine.h"
#include "params/WriteJournal.h"
#include "ui/journal/JournalTableModel.h"
#include "ui/journal/JournalWindow.h"
#include "ui/window/MainWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

using namespace dravinor;
using dravinor::testing::journalledWrite;
using Column = ui::JournalTableModel::Column;
namespace fs = std::filesystem;

namespace {

// The window with its own journal folder, against the unpaced simulated
// controller on COM1 or against a port map of our choosing.
struct HardenedWindow : dravinor::testing::WindowOnLine {
    fs::path stateDir = folder.path();
    QTemporaryDir files;

    HardenedWindow() : WindowOnLine(unpaced()) {}
    static sim::SimulatorOptions unpaced()
    {
        sim::SimulatorOptions options;
        options.pacing = false;
        return options;
    }
    void startWith(const std::string& com1Device = "")
    {
        startOn(com1Device.empty() ? controller.slavePath() : com1Device);
    }
    QString path(const char* name) const { return files.filePath(name); }
    ui::JournalWindow* openJournal()
    {
        window->findChild<QAction*>("DziennikZmian")->trigger();
        return window->journalWindow();
    }
    void writeJournal(const fs::path& file, const std::vector<params::JournalEntry>& entries)
    {
        std::ofstream out(file, std::ios::binary | std::ios::app);
        for (const auto& e : entries)
            out << params::formatJournalLine(e) << '\n';
    }
};

}  // namespace

TEST_F(HardenedWindow, SaveAndLoadSayInTheStatusLineWhatHappenedToWhichFile)
{
    startWith();
    dialogs.saveFile = path("car.PAR");
    click("ZapPlik");
    EXPECT_EQ(window->statusText(2), "Zapisano plik car.PAR");
    EXPECT_EQ(window->statusText(1), "Zapisano plik car.PAR");
    click("ZapPlik");
    EXPECT_EQ(window->statusText(2), "Zapisano plik car.PAR; poprzednia wersja: car.BAK");
    click("ZapPlik");
    EXPECT_EQ(window->statusText(2),
              QString::fromUtf8("Zapisano plik car.PAR; starsza kopia car.BAK pozostała bez zmian"));
    EXPECT_TRUE(dialogs.errors.isEmpty());

    dialogs.saveFile = path("no-such-folder/x.PAR");
    click("ZapPlik");
    EXPECT_TRUE(window->statusText(2).startsWith(
        QString::fromUtf8("Nie zapisano pliku x.PAR: nie można utworzyć pliku w tym folderze (")))
        << window->statusText(2).toStdString();
    EXPECT_EQ(dialogs.errors.size(), 1);  // and the box, as before

    dialogs.openFile = path("car.PAR");
    click("OdczPlik");
    // The set the load replaced is kept, and the line names its file.
    EXPECT_EQ(window->statusText(2), "Wczytano plik car.PAR; parametry zapisano w sterowniku" + keptBackupNote());

    ASSERT_EQ(::mkfifo(path("fifo.PAR").toLocal8Bit().constData(), 0600), 0);
    dialogs.openFile = path("fifo.PAR");
    click("OdczPlik");
    EXPECT_EQ(window->statusText(2), QString::fromUtf8("Nie wczytano pliku fifo.PAR: to nie jest zwykły plik"));
    fs::create_directory(path("folder.PAR").toStdString());
    dialogs.openFile = path("folder.PAR");
    click("OdczPlik");
    EXPECT_TRUE(window->statusText(2).startsWith("Nie wczytano pliku folder.PAR: "))
        << window->statusText(2).toStdString();

    // A silent controller: the load says the writes went unconfirmed.
    controller.setSilent(true);
    dialogs.openFile = path("car.PAR");
    click("OdczPlik");
    EXPECT_TRUE(window->statusText(2).startsWith(
        QString::fromUtf8("Wczytano plik car.PAR; Sterownik nie potwierdził zapisu żadnego z 35 parametrów")))
        << window->statusText(2).toStdString();
}

TEST_F(HardenedWindow, AJournalFolderIsNamedAndTheOlderFileIsStillListed)
{
    writeJournal(stateDir / "journal.log.1", {journalledWrite(1), journalledWrite(2, 19, 25, "2026-99-99T99:99:99")});
    fs::create_directory(stateDir / "journal.log");
    startWith("/dev/dravinor-no-such-tty");
    ui::JournalWindow* journal = openJournal();
    ASSERT_NE(journal, nullptr);
    EXPECT_TRUE(journal->problemLine()->isVisible());
    const QString problem = journal->problemLine()->text();
    EXPECT_TRUE(problem.contains("journal.log")) << problem.toStdString();
    EXPECT_TRUE(problem.contains(QStringLiteral("to folder, a nie plik"))) << problem.toStdString();
    ASSERT_EQ(journal->model().rowCount(), 2);
    const auto& model = journal->model();
    EXPECT_EQ(model.cellText(model.entries()[0], Column::Time), QString::fromUtf8("błędny czas: 2026-99-99T99:99:99"));
    EXPECT_EQ(model.cellText(model.entries()[1], Column::Field), QString::fromUtf8("Próg sondy lambda (1)"));

    // Mended: the line goes once the journal is read again.
    fs::remove(stateDir / "journal.log");
    journal->refresh();
    EXPECT_FALSE(journal->problemLine()->isVisible());
}

TEST_F(HardenedWindow, ALongJournalHoldsOnlyTheRowsShown)
{
    std::vector<params::JournalEntry> many;
    for (int i = 0; i < 1000; ++i)
        many.push_back(journalledWrite(1 + i % 13));
    writeJournal(stateDir / "journal.log", many);
    startWith("/dev/dravinor-no-such-tty");
    ui::JournalWindow* journal = openJournal();
    ASSERT_NE(journal, nullptr);
    auto& model = journal->model();
    EXPECT_LT(static_cast<std::size_t>(model.rowCount()), many.size());
    EXPECT_GE(static_cast<std::size_t>(model.rowCount()), ui::JournalTableModel::batchRows);
    EXPECT_TRUE(model.canFetchMore({}));
    const int shown = model.rowCount();
    model.fetchMore({});
    EXPECT_EQ(static_cast<std::size_t>(model.rowCount()), shown + ui::JournalTableModel::batchRows);
    while (model.canFetchMore({}))
        model.fetchMore({});
    EXPECT_EQ(static_cast<std::size_t>(model.rowCount()), many.size());
}

TEST_F(HardenedWindow, RowsFetchedLaterAreMarkedByTheUndosAboveThem)
{
    // Oldest first: a change of 7, unchanged rewrites beyond one batch, then
    // the undo that took the change back. The change arrives with a later batch.
    std::vector<params::JournalEntry> entries{journalledWrite(7)};
    for (std::size_t i = 0; i < ui::JournalTableModel::batchRows + 10; ++i) {
        params::JournalEntry same = journalledWrite(1 + static_cast<int>(i % 5));
        same.newRaw = *same.oldRaw;
        entries.push_back(same);
    }
    params::JournalEntry undo = journalledWrite(7);
    undo.source = params::WriteSource::Undo;
    undo.oldRaw = 25;
    undo.newRaw = 19;
    entries.push_back(undo);
    writeJournal(stateDir / "journal.log", entries);
    startWith("/dev/dravinor-no-such-tty");
    ui::JournalWindow* journal = openJournal();
    ASSERT_NE(journal, nullptr);
    auto& model = journal->model();
    EXPECT_EQ(model.mark(0), params::UndoMark::UndoWrite);
    while (model.canFetchMore({}))
        model.fetchMore({});
    ASSERT_EQ(static_cast<std::size_t>(model.rowCount()), entries.size());
    EXPECT_EQ(model.mark(model.rowCount() - 1), params::UndoMark::TakenBack);
}

TEST_F(HardenedWindow, UndoOnTheSamePortAndTypeButAnotherSetSaysSoInTheQuestion)
{
    params::JournalEntry other = journalledWrite(1);
    other.controllerSet = "00000000";  // written to a car whose set this is not
    writeJournal(stateDir / "journal.log", {other});
    startWith();
    openJournal();
    dialogs.answers = {false};
    QTest::mouseClick(window->findChild<QPushButton*>("CofnijOstatniZapis"), Qt::LeftButton);
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_TRUE(dialogs.questions[0].startsWith(QString::fromUtf8("Uwaga: sterownik ma teraz inny zestaw parametrów")))
        << dialogs.questions[0].toStdString();
    EXPECT_TRUE(dialogs.questions[0].contains(
        QString::fromUtf8("Zapisać w sterowniku poprzednią wartość pola Próg sondy lambda")));
    EXPECT_EQ(controller.eeprom()[1], 19);  // nothing written on No
}

TEST_F(HardenedWindow, APortNameThatLeadsToNoSerialPortIsToldAtStartUp)
{
    startOn("/dev/null");
    bool told = false;
    for (const QString& message : dialogs.messages)
        told = told || message.contains("COM1 (/dev/null) nie jest portem szeregowym");
    EXPECT_TRUE(told) << dialogs.messages.join(" | ").toStdString();
}

// Without a controlling terminal /dev/tty does not even open, and was told
// as an adapter that is not plugged in; it is the program's own terminal.
TEST_F(HardenedWindow, DevTtyAsAPortIsToldAsNoSerialPort)
{
    startOn("/dev/tty");
    bool told = false;
    for (const QString& message : dialogs.messages)
        told = told || message.contains("COM1 (/dev/tty) nie jest portem szeregowym");
    EXPECT_TRUE(told) << dialogs.messages.join(" | ").toStdString();
}
