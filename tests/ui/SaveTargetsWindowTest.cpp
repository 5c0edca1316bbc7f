// Every save of the window writes only onto a regular file or a new name:
// "Zapis do pliku", the customer's report, a live recording, the trace's
// exports and the window's own settings. A FIFO, a device node or a folder
// chosen in the dialog is refused with the reason and left as it was.
#include "TestLocations.h"
#include "WindowOnLine.h"

#include "SpecialFiles.h"
#include "ui/recording/LiveRecordingControl.h"
#include "ui/report/ReportDialog.h"
#include "ui/window/FileMemory.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

using namespace dravinor;
namespace fs = std::filesystem;
using dravinor::testing::isCharacterDevice;
using dravinor::testing::isFifo;

namespace {

struct SaveTargetsWindow : dravinor::testing::WindowOnLine {
    QTemporaryDir files;
    fs::path dir = files.path().toStdString();
    fs::path device;

    void SetUp() override
    {
        ASSERT_EQ(::mkfifo((dir / "fifo.PAR").c_str(), 0600), 0);
        device = dravinor::testing::privateCharacterDevice(dir);
        // Never let a save near a device node the look would not refuse.
        ASSERT_FALSE(params::examineSaveTarget(device).savable());
    }
    static QString name(const fs::path& path) { return QString::fromStdString(path.string()); }
    std::set<std::string> entries() const
    {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir))
            names.insert(entry.path().filename().string());
        return names;
    }
};

}  // namespace

TEST_F(SaveTargetsWindow, SavingTheParameterFileOntoAFifoOrADeviceNodeReplacesNothing)
{
    startWith();
    fs::create_directory(dir / "folder.PAR");
    fs::create_symlink("fifo.PAR", dir / "link.PAR");
    const auto before = entries();
    const QString fifo = QString::fromUtf8("to jest potok nazwany (FIFO), nie zwykły plik");
    const struct {
        fs::path path;
        QString status;
    } cases[] = {
        {dir / "fifo.PAR", "Nie zapisano pliku fifo.PAR: " + fifo},
        {device, QString::fromUtf8("Nie zapisano pliku %1: to jest urządzenie znakowe, nie zwykły plik")
                     .arg(name(device.filename()))},
        {dir / "folder.PAR", "Nie zapisano pliku folder.PAR: to jest folder, nie plik"},
        {dir / "link.PAR",
         QString::fromUtf8("Nie zapisano pliku link.PAR: dowiązanie do %1: ").arg(name(dir / "fifo.PAR")) + fifo},
    };
    for (const auto& c : cases) {
        dialogs.saveFile = name(c.path);
        click("ZapPlik");
        EXPECT_EQ(status(2), c.status);
    }
    EXPECT_EQ(dialogs.errors.size(), 4) << "and the box, as for every failed save";
    EXPECT_TRUE(isFifo(dir / "fifo.PAR"));
    EXPECT_TRUE(isCharacterDevice(device));
    EXPECT_EQ(entries(), before) << "no temporary file, no .BAK";
    EXPECT_TRUE(window->fileMemory().recentParameterFiles().isEmpty()) << "nothing saved, nothing to remember";

    // A link to nothing is a new name: the file is made where it leads.
    fs::create_symlink("made.PAR", dir / "dangling.PAR");
    dialogs.saveFile = name(dir / "dangling.PAR");
    click("ZapPlik");
    EXPECT_EQ(status(2), "Zapisano plik dangling.PAR");
    EXPECT_EQ(fs::file_size(dir / "made.PAR"), 64u);

    // In Russian, from the shipped language file.
    const QString here = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(dravinor::testing::sourceDir())));
    window->chooseRussian();
    dialogs.saveFile = name(dir / "fifo.PAR");
    click("ZapPlik");
    const QString russian = status(2);
    window->choosePolish();
    QDir::setCurrent(here);
    EXPECT_EQ(russian, QString::fromUtf8("Файл fifo.PAR не сохранён: это именованный канал (FIFO), а не обычный файл"));
    EXPECT_TRUE(isFifo(dir / "fifo.PAR"));
}

TEST_F(SaveTargetsWindow, AReportARecordingOrATraceExportOntoAFifoOrADeviceNodeReplacesNothing)
{
    startWith();
    const auto before = entries();
    const QString fifo = QString::fromUtf8("to jest potok nazwany (FIFO), nie zwykły plik");
    const QString characterDevice = QString::fromUtf8("to jest urządzenie znakowe, nie zwykły plik");

    // The customer's report.
    item("Raport")->trigger();
    auto* report = window->findChild<ui::ReportDialog*>("RaportDialog");
    ASSERT_NE(report, nullptr);
    dialogs.messages.clear();
    EXPECT_FALSE(report->saveTo(name(device)));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0],
              QString::fromUtf8("Nie można zapisać raportu w pliku %1: ").arg(name(device)) + characterDevice);
    EXPECT_TRUE(report->result()->text().isEmpty()) << "not claimed as saved";
    report->reject();

    // A live recording: the page's state line says why.
    window->switchToPage(ui::MainWindow::TabViz);
    dialogs.saveFile = name(dir / "fifo.PAR");
    window->recording().item()->trigger();
    EXPECT_FALSE(window->recording().item()->isChecked());
    EXPECT_FALSE(window->recording().recorder().recording());
    EXPECT_EQ(window->livePage().stateLine()->text(),
              QString::fromUtf8("Nie mogę utworzyć pliku nagrania: %1 (").arg(name(dir / "fifo.PAR")) + fifo + ")");

    // The trace's exports ask and tell through the window's dialogs.
    for (const char* action : {"ZapiszObrazPNG", "ZapiszProbkiCSV"}) {
        dialogs.messages.clear();
        dialogs.saveFile = name(device);
        child<QAction>(action)->trigger();
        // A dated name with the type's own extension, where recordings are kept.
        const QString suffix = QString(action).endsWith("PNG") ? ".png" : ".csv";
        EXPECT_TRUE(QFileInfo(dialogs.lastDirectory).fileName().startsWith("dravinor-trace-20")) << action;
        EXPECT_TRUE(dialogs.lastDirectory.endsWith(suffix)) << dialogs.lastDirectory.toStdString();
        ASSERT_EQ(dialogs.messages.size(), 1) << action;
        EXPECT_EQ(dialogs.messages[0],
                  QString::fromUtf8("Nie można zapisać pliku %1: ").arg(name(device)) + characterDevice);
    }
    EXPECT_TRUE(isFifo(dir / "fifo.PAR"));
    EXPECT_TRUE(isCharacterDevice(device));
    EXPECT_EQ(entries(), before) << "no temporary file beside";
}

namespace {

struct SettingsFileWindow : SaveTargetsWindow {
    fs::path settings = ui::FileMemory::settingsFile().toStdString();

    void SetUp() override
    {
        SaveTargetsWindow::SetUp();
        fs::create_directories(settings.parent_path());
        fs::remove(settings);
    }
    void TearDown() override
    {
        SaveTargetsWindow::TearDown();
        // The next test's fresh start clears the settings file: it must be one again.
        fs::remove(settings);
    }
};

}  // namespace

TEST_F(SettingsFileWindow, ASettingsFileThatIsAFifoNeitherHangsTheWindowNorIsReplaced)
{
    // Read as before, the FIFO hung the window here until the test's time ran out.
    ASSERT_EQ(::mkfifo(settings.c_str(), 0600), 0);
    startWith();
    EXPECT_EQ(status(2),
              QString::fromUtf8("Ustawienia programu nie będą zapamiętane w %1: to jest potok nazwany (FIFO), "
                                "nie zwykły plik")
                  .arg(QDir::toNativeSeparators(name(settings))));
    const QString here = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(dravinor::testing::sourceDir())));
    window->chooseRussian();
    const QString russian = status(2);
    window->choosePolish();
    QDir::setCurrent(here);
    EXPECT_EQ(russian, QString::fromUtf8("Настройки программы не будут сохранены в %1: это именованный канал (FIFO), "
                                         "а не обычный файл")
                           .arg(QDir::toNativeSeparators(name(settings))));

    // The run remembers all the same, until the window closes.
    dialogs.saveFile = name(dir / "car.PAR");
    click("ZapPlik");
    EXPECT_EQ(status(2), "Zapisano plik car.PAR");
    EXPECT_EQ(window->fileMemory().recentParameterFiles(), QStringList{name(dir / "car.PAR")});
    EXPECT_EQ(window->fileMemory().folder(ui::FileMemory::Kind::ParameterFiles), name(dir));
    window.reset();
    EXPECT_TRUE(isFifo(settings));
    EXPECT_FALSE(fs::exists(settings.string() + ".lock"));

    // A link to a device node in its place: the same, and the node stays.
    fs::remove(settings);
    fs::create_symlink(device, settings);
    startWith();
    EXPECT_TRUE(status(2).endsWith(QString::fromUtf8("to jest urządzenie znakowe, nie zwykły plik")))
        << status(2).toStdString();
    click("ZapPlik");
    window.reset();
    EXPECT_TRUE(isCharacterDevice(device));
    EXPECT_TRUE(fs::is_symlink(settings));
}
