// Every bulk write in the window keeps the controller's set first, and none
// happens unasked: a recent file is written only after a Yes, and a Reset
// pressed by mistake is taken back from the journal in two clicks, byte for
// byte. The frames are held against tests/frames/window-recent-file.txt and
// window-bulk-undo.txt.

#include "FrameLog.h"
#include "TestLocations.h"
#include "WindowOnLine.h"
#include "params/ParameterFile.h"
#include "ui/journal/JournalTableModel.h"
#include "ui/journal/JournalWindow.h"
#include "ui/window/FileMemory.h"

#include <QMenu>
#include <QPushButton>
#include <QSettings>

#include <gtest/gtest.h>

using namespace dravinor;
using Column = ui::JournalTableModel::Column;
namespace fs = std::filesystem;

namespace {

using Image = std::array<std::uint8_t, 64>;

QSettings programSettings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, "dravinor", "dravinor");
}

sim::SimulatorOptions unpaced()
{
    sim::SimulatorOptions options;
    options.pacing = false;
    return options;
}

// The window on a car whose controller holds its own calibration, not the
// default set.
struct BackupWindow : dravinor::testing::WindowOnLine {
    Image car{};
    dravinor::testing::FrameLog log;

    BackupWindow() : WindowOnLine(unpaced()) {}

    void SetUp() override { programSettings().clear(); }
    void TearDown() override
    {
        WindowOnLine::TearDown();
        programSettings().clear();
    }
    void startOnCar()
    {
        car = controller.eeprom();
        car[1] = 25;   // lambda threshold 0,50 V
        car[2] = 30;   // TPS threshold
        car[4] = 120;  // actuator maximum above the TPS threshold
        controller.setEeprom(car);
        startWith();
        dialogs.messages.clear();  // start-up's own (no language file here)
        controller.clearReceivedFrames();
    }
    void step(const std::string& title)
    {
        log.heading(title);
        for (const auto& frame : controller.receivedFrames())
            log.add(frame.bytes);
        controller.clearReceivedFrames();
    }
    fs::path carFile(const char* name, std::initializer_list<std::pair<int, std::uint8_t>> changes)
    {
        params::ParameterBlock block;
        block.bytes() = car;
        for (const auto& [address, value] : changes)
            block.setParameter(params::Address(address), value);
        const fs::path path = folder / name;
        EXPECT_TRUE(params::saveParameterFile(path, block).ok());
        return path;
    }
    void chooseRecent(const fs::path& path)
    {
        window->fileMemory().noteParameterFile(QString::fromStdString(path.string()));
        window->findChild<QMenu*>("menu")->aboutToShow();  // as opening `menu` does
        item("OstatniPlik1")->trigger();
    }
    // Parameters 1..35 of a set.
    static std::vector<std::uint8_t> parameters(const Image& image) { return {image.begin() + 1, image.begin() + 36}; }
    static Image fileImage(const fs::path& path)
    {
        params::ParameterBlock block;
        EXPECT_TRUE(params::loadParameterFile(path, block).ok());
        return block.bytes();
    }
    ui::JournalWindow* openJournal()
    {
        item("DziennikZmian")->trigger();
        return window->journalWindow();
    }
    void clickUndo() { QTest::mouseClick(window->findChild<QPushButton*>("CofnijOstatniZapis"), Qt::LeftButton); }
    QString newestCell(Column column) const
    {
        const auto& model = window->journalWindow()->model();
        return model.cellText(0, column);
    }
    static std::string recording(const char* name) { return dravinor::testing::sourceDir() + "/tests/frames/" + name; }
};

}  // namespace

TEST_F(BackupWindow, RecentFileWritesTheWholeSetWithoutAsking)
{
    startOnCar();
    const fs::path golf = carFile("golf.PAR", {{4, 100}, {5, 60}, {9, 75}});

    dialogs.answers = {false};
    chooseRecent(golf);
    ASSERT_EQ(dialogs.questions.size(), 1) << "a recent file is written only after a question";
    EXPECT_EQ(dialogs.questions[0].toStdString(),
              "Wczytać plik golf.PAR i zapisać go w sterowniku?\nLiczba zmienianych wartości: 3");
    EXPECT_EQ(dialogs.defaultNoQuestions, dialogs.questions) << "No is the default";
    step("recent file golf.PAR, declined");
    EXPECT_TRUE(controller.receivedFrames().empty());
    EXPECT_EQ(controller.eeprom(), car);
    EXPECT_EQ(session->state().block().get(4), 120) << "the pages keep the car's set";
    EXPECT_TRUE(backups().empty());

    dialogs.answers = {true};
    chooseRecent(golf);
    step("recent file golf.PAR, confirmed");
    EXPECT_EQ(parameters(controller.eeprom()), parameters(fileImage(golf)));
    EXPECT_EQ(window->statusText(2), "Wczytano plik golf.PAR; parametry zapisano w sterowniku" + keptBackupNote());
    ASSERT_EQ(backups().size(), 1u);
    EXPECT_EQ(parameters(fileImage(backups().back())), parameters(car)) << "the car's own set is kept";

    // "Odczyt z pliku" is the fitter's own choice in the file dialog: it asks nothing.
    dialogs.questions.clear();
    dialogs.openFile = QString::fromStdString(carFile("polo.PAR", {{4, 90}}).string());
    click("OdczPlik");
    step("file dialog polo.PAR");
    EXPECT_TRUE(dialogs.questions.isEmpty());
    EXPECT_EQ(controller.eeprom()[4], 90);
    EXPECT_EQ(backups().size(), 2u);
    dravinor::testing::expectRecordedFrames(log.text(), recording("window-recent-file.txt"));
}

TEST_F(BackupWindow, ResetPressedByMistakeIsTakenBackByteForByteInTwoClicks)
{
    startOnCar();
    click("ResButt");
    step("Reset Parametrow");
    ASSERT_NE(parameters(controller.eeprom()), parameters(car));
    ASSERT_EQ(backups().size(), 1u);
    const fs::path backup = backups().back();
    EXPECT_EQ(fileImage(backup), car) << "the set as read, byte for byte";
    EXPECT_EQ(window->statusText(2), "Sterownik potwierdził zapis wszystkich 35 parametrów" + keptBackupNote());

    ui::JournalWindow* journal = openJournal();
    ASSERT_NE(journal, nullptr);
    EXPECT_EQ(newestCell(Column::Field), "Reset Parametrów");
    EXPECT_TRUE(newestCell(Column::Result).contains(", backup " + QString::fromStdString(backup.filename().string())))
        << newestCell(Column::Result).toStdString();
    EXPECT_EQ(journal->model().mark(0), params::UndoMark::Next);

    const Image afterReset = controller.eeprom();
    dialogs.answers = {true};
    clickUndo();
    step("Cofnij ostatni zapis");
    ASSERT_EQ(dialogs.defaultNoQuestions.size(), 1);
    const QString question = dialogs.defaultNoQuestions[0];
    EXPECT_TRUE(question.startsWith("Zapisać w sterowniku kopię parametrów sprzed zapisu „Reset Parametrów” z "))
        << question.toStdString();
    EXPECT_TRUE(question.endsWith(" (" + QString::fromStdString(backup.filename().string()) +
                                  ")?\nLiczba zmienianych wartości: 3"))
        << question.toStdString();

    // The car's calibration is back, in EEPROM and in the RAM copy.
    EXPECT_EQ(parameters(controller.eeprom()), parameters(car));
    for (int address = 1; address <= 32; ++address)
        EXPECT_EQ(controller.ram()[static_cast<std::size_t>(address + 36)], car[static_cast<std::size_t>(address)])
            << address;
    EXPECT_EQ(fieldText("PRLambda"), "0,50");
    EXPECT_TRUE(window->statusText(2).startsWith("Sterownik potwierdził zapis wszystkich 35 parametrów; kopia "))
        << window->statusText(2).toStdString();
    EXPECT_TRUE(dialogs.messages.isEmpty());

    // The undo is journalled with a backup of its own: the reset set.
    ASSERT_EQ(backups().size(), 2u);
    EXPECT_EQ(newestCell(Column::Field), "Przywrócenie kopii parametrów");
    EXPECT_EQ(journal->model().mark(0), params::UndoMark::UndoWrite);
    EXPECT_EQ(parameters(fileImage(backups().back())), parameters(afterReset));

    // Taken back once: the next press goes further back, and there is nothing there.
    clickUndo();
    EXPECT_EQ(dialogs.messages.value(0), "W dzienniku nie ma zapisu, który można cofnąć.");
    dravinor::testing::expectRecordedFrames(log.text(), recording("window-bulk-undo.txt"));
}

TEST_F(BackupWindow, WithoutAWholeReadNoBackupIsKeptAndTheQuestionAndStatusSaySo)
{
    sim::FaultOptions faults;
    faults.wrongChecksum = true;  // no read is accepted
    controller.setFaults(faults);
    startOnCar();
    controller.setFaults({});

    dialogs.answers = {false};
    chooseRecent(carFile("golf.PAR", {{4, 100}}));
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_TRUE(dialogs.questions[0].endsWith(
        "\nParametry sterownika nie zostały odczytane w całości - nie powstanie kopia poprzednich parametrów."))
        << dialogs.questions[0].toStdString();

    dialogs.answers = {true};  // "write the values the controller did not give?"
    click("ZapiszPar");
    EXPECT_TRUE(window->statusText(2).endsWith("; bez kopii poprzednich parametrów - nie zostały odczytane w całości"))
        << window->statusText(2).toStdString();
    EXPECT_TRUE(backups().empty());
    openJournal();
    EXPECT_TRUE(newestCell(Column::Result).contains("no backup (the controller's set was not read whole)"));
    // Nothing to write back.
    dialogs.messages.clear();
    clickUndo();
    EXPECT_EQ(dialogs.messages.value(0), "W dzienniku nie ma zapisu, który można cofnąć.");
}

TEST_F(BackupWindow, UndoOfABulkWriteWhoseBackupIsGoneSaysSoAndWritesNothing)
{
    startOnCar();
    click("ZapiszPar");
    ASSERT_EQ(backups().size(), 1u);
    const std::string name = backups().back().filename().string();
    fs::remove(backups().back());
    openJournal();
    controller.clearReceivedFrames();
    dialogs.questions.clear();
    clickUndo();
    EXPECT_TRUE(dialogs.questions.isEmpty());
    EXPECT_EQ(dialogs.messages.value(0),
              QString::fromStdString("Nie można odczytać kopii parametrów " + name +
                                     " (No such file or directory) - nie można cofnąć zapisu."));
    EXPECT_TRUE(controller.receivedFrames().empty());
}

TEST_F(BackupWindow, WriteAllCutOffInTheRamPassClaimsTheWholeSetWasWritten)
{
    startOnCar();
    sim::FaultOptions faults;
    faults.hangUpAfterFrames = 35 + 10;  // every EEPROM write, then ten RAM words
    controller.setFaults(faults);
    click("ZapiszPar");
    const QString status = window->statusText(2);
    EXPECT_TRUE(status.startsWith("Port zniknął w trakcie zapisu: zapisano 35 z 35 parametrów, ale pamięć RAM "
                                  "odświeżono tylko dla "))
        << status.toStdString();
    EXPECT_TRUE(status.contains(" z 32 adresów - zapisz parametry ponownie")) << status.toStdString();
}
