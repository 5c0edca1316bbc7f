// What the window remembers between runs: the folder its file dialogs used
// last (the home folder the first time) and the last five parameter files,
// under "Ostatnie pliki" in `menu`. Kept in this run's own settings folder.
#include "ui/window/FileMemory.h"
#include "FakeDialogs.h"
#include "SimulatedController.h"
#include "StateFolder.h"
#include "params/ControllerSession.h"
#include "params/ParameterFile.h"
#include "ui/window/MainWindow.h"
#include "ui/window/RecentFilesMenu.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace dravinor;
using dravinor::testing::FakeDialogs;
using Kind = ui::FileMemory::Kind;

namespace {

QSettings programSettings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, "dravinor", "dravinor");
}

struct RememberingWindow : ::testing::Test {
    dravinor::testing::SimulatedController controller;
    dravinor::testing::StateFolder state;
    std::unique_ptr<params::ControllerSession> session;
    FakeDialogs dialogs;
    std::unique_ptr<ui::MainWindow> window;
    QTemporaryDir folder;

    void SetUp() override
    {
        programSettings().clear();
        start();
    }
    void TearDown() override
    {
        window.reset();
        programSettings().clear();
    }
    // A run of the program: a new window on the same settings.
    void start()
    {
        window.reset();
        session.reset();
        link::PortMap map;
        map.assign(0, controller.slavePath());
        session = std::make_unique<params::ControllerSession>(map, controller.wiring(state.journal()));
        window = std::make_unique<ui::MainWindow>(*session, &dialogs);
        window->startUp();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void click(const char* button) { window->findChild<QAbstractButton*>(button)->click(); }
    QString path(const QString& name) const
    {
        QDir(folder.path()).mkpath(QFileInfo(folder.filePath(name)).path());
        return folder.filePath(name);
    }
    void save(const QString& name)
    {
        dialogs.saveFile = path(name);
        click("ZapPlik");
    }
    QMenu* recentMenu() const { return window->findChild<QMenu*>("OstatniePliki"); }
    QStringList recentItems() const
    {
        window->findChild<QMenu*>("menu")->aboutToShow();  // as opening `menu` does
        QStringList tips;
        for (QAction* item : recentMenu()->actions())
            tips << item->toolTip();
        return tips;
    }
};

}  // namespace

TEST_F(RememberingWindow, DialogsOpenAtHomeFirstThenWhereTheLastFileWas)
{
    // Never the user's own settings.
    EXPECT_TRUE(programSettings().fileName().startsWith(
        QDir::fromNativeSeparators(QString::fromStdString(::testing::TempDir())), Qt::CaseInsensitive))
        << programSettings().fileName().toStdString();

    save("cars/audi/A4.PAR");
    EXPECT_EQ(dialogs.lastDirectory, QDir::homePath());
    dialogs.openFile = path("cars/audi/A4.PAR");
    click("OdczPlik");
    EXPECT_EQ(dialogs.lastDirectory, folder.filePath("cars/audi"));

    // The comparison's dialog shares the folder, and moves it.
    dialogs.openFile = path("cars/fiat/Punto.PAR");
    QFile::copy(path("cars/audi/A4.PAR"), dialogs.openFile);
    window->findChild<QAction*>("PorownajZPlikiem")->trigger();
    EXPECT_EQ(dialogs.lastDirectory, folder.filePath("cars/audi"));
    save("other.PAR");
    EXPECT_EQ(dialogs.lastDirectory, folder.filePath("cars/fiat"));

    // A cancelled dialog moves nothing; the next run starts where this one ended.
    dialogs.saveFile.clear();
    click("ZapPlik");
    start();
    click("ZapPlik");
    EXPECT_EQ(dialogs.lastDirectory, folder.path());

    // A folder that is gone sends the dialog home again.
    save("gone/x.PAR");
    QDir(folder.filePath("gone")).removeRecursively();
    click("ZapPlik");
    EXPECT_EQ(dialogs.lastDirectory, QDir::homePath());
}

TEST_F(RememberingWindow, RecentFilesHoldTheLastFiveNewestFirstWithoutRepeats)
{
    EXPECT_FALSE(recentMenu()->menuAction()->isEnabled()) << "nothing to list yet";
    // After the existing items of `menu`.
    EXPECT_EQ(window->findChild<QMenu*>("menu")->actions().last(), recentMenu()->menuAction());
    EXPECT_EQ(recentMenu()->title(), "Ostatnie pliki");

    for (const char* name : {"1.PAR", "2.PAR", "3.PAR", "4.PAR", "5.PAR", "6.PAR"})
        save(name);
    dialogs.openFile = path("3.PAR");
    click("OdczPlik");
    const QStringList expected{QDir::toNativeSeparators(path("3.PAR")), QDir::toNativeSeparators(path("6.PAR")),
                               QDir::toNativeSeparators(path("5.PAR")), QDir::toNativeSeparators(path("4.PAR")),
                               QDir::toNativeSeparators(path("2.PAR"))};
    EXPECT_EQ(recentItems(), expected);
    EXPECT_TRUE(recentMenu()->menuAction()->isEnabled());
    const QAction* first = window->findChild<QAction*>("OstatniPlik1");
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->text().startsWith("&1  ")) << first->text().toStdString();
    EXPECT_TRUE(first->text().endsWith("3.PAR")) << first->text().toStdString();

    // A file that could not be saved is no file used.
    dialogs.saveFile = folder.filePath("no-such-folder/x.PAR");
    click("ZapPlik");
    EXPECT_EQ(recentItems(), expected);

    // The next run lists them too.
    start();
    EXPECT_EQ(recentItems(), expected);
}

TEST_F(RememberingWindow, ChoosingARecentFileAsksThenLoadsItAndAVanishedOneLeavesTheList)
{
    save("car.PAR");
    const auto saved = session->state().block();
    // The file is loaded and sent as "Odczyt z pliku" does it.
    auto edited = saved;
    edited.setParameter(params::Address(4), static_cast<std::uint8_t>(saved.get(4) + 1));
    ASSERT_TRUE(params::saveParameterFile(path("car.PAR").toStdString(), edited).ok());
    // Asked first (the fake dialogs say Yes), then written as "Odczyt z pliku" writes it.
    window->findChild<QAction*>("OstatniPlik1")->trigger();
    EXPECT_EQ(dialogs.questions.size(), 1);
    EXPECT_TRUE(window->statusText(2).startsWith("Wczytano plik car.PAR; parametry zapisano w sterowniku; kopia "))
        << window->statusText(2).toStdString();
    EXPECT_EQ(session->state().block().get(4), edited.get(4));
    EXPECT_EQ(controller.eeprom()[4], edited.get(4));

    QFile::remove(path("car.PAR"));
    window->findChild<QAction*>("OstatniPlik1")->trigger();
    EXPECT_EQ(dialogs.errors, QStringList{"blad|Nie moge odczytac"});
    EXPECT_TRUE(recentItems().isEmpty());
    EXPECT_FALSE(recentMenu()->menuAction()->isEnabled());
}

TEST(FileMemory, AnAmpersandInAFileNameShowsAsItselfAndALongPathIsShortened)
{
    QSettings(QSettings::IniFormat, QSettings::UserScope, "dravinor", "dravinor").clear();
    QMenu parent;
    ui::FileMemory memory;
    ui::RecentFilesMenu recent(&parent, memory);
    const QString longPath = "/srv/" + QString(300, u'x') + "/Fiat & Lancia.PAR";
    memory.noteParameterFile(longPath);
    ASSERT_EQ(recent.menu()->actions().size(), 1);
    const QString text = recent.menu()->actions().front()->text();
    EXPECT_TRUE(text.endsWith("Fiat && Lancia.PAR")) << text.toStdString();
    EXPECT_LT(text.size(), 200);
    // The whole path, as the system writes it.
    EXPECT_EQ(recent.menu()->actions().front()->toolTip(),
              QDir::toNativeSeparators(QFileInfo(longPath).absoluteFilePath()));
    QSettings(QSettings::IniFormat, QSettings::UserScope, "dravinor", "dravinor").clear();
}
