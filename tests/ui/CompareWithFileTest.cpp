#include "FakeSystemTree.h"
#include "WindowOnLine.h"
#include "lang/TextSlots.h"
#include "link/Connection.h"
#include "params/ParameterFile.h"
#include "params/ParameterState.h"
#include "ui/connection/PortProblemNotice.h"
#include "ui/connection/PortToolTip.h"
#include "ui/dialogs/ParameterDiffDialog.h"
#include "ui/window/MainWindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace dravinor;
using dravinor::testing::FakeSystemTree;

namespace {

// The window without a controller, on the default set, and a folder for files.
struct CompareFixture : dravinor::testing::WindowOnLine {
    QTemporaryDir files;

    void SetUp() override { startWith(false); }
    // The default set with a lambda threshold of 0,50 V.
    QString writeChangedSet()
    {
        params::ParameterState state;
        state.loadDefaults();
        state.block().setParameter(params::Address(1), 25);
        const QString path = files.filePath("car.PAR");
        EXPECT_TRUE(params::saveParameterFile(path.toStdString(), state.block()).ok());
        return path;
    }
    ui::ParameterDiffDialog* compare(const QString& path)
    {
        dialogs.openFile = path;
        window->findChild<QAction*>("PorownajZPlikiem")->trigger();
        return window->findChild<ui::ParameterDiffDialog*>("PorownanieParametrow");
    }
    void click(ui::ParameterDiffDialog* dialog, const char* button)
    {
        QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
        QApplication::processEvents();
    }
};

gid_t groupOf(const std::string& path)
{
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_gid;
}

constexpr auto groupMayUse = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                             std::filesystem::perms::group_read | std::filesystem::perms::group_write;

}  // namespace

// The item joins the menu after the items the fitter's manuals name, so none
// of those moves.
TEST_F(CompareFixture, TheItemFollowsTheMainMenusOwnItems)
{
    const auto items = window->findChild<QMenu*>("menu")->actions();
    const auto indexOf = [&items](const char* name) {
        for (qsizetype i = 0; i < items.size(); ++i)
            if (items[i]->objectName() == name)
                return i;
        return qsizetype{-1};
    };
    const qsizetype compare = indexOf("PorownajZPlikiem");
    ASSERT_GE(compare, 0);
    EXPECT_GT(compare, indexOf("AutoAdaptacjaF5"));
    EXPECT_EQ(items[compare]->text(), QString::fromUtf8("Porównaj z plikiem…"));
}

TEST_F(CompareFixture, TheTableShowsTheDifferenceAndCloseLoadsNothing)
{
    auto* dialog = compare(writeChangedSet());
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->windowTitle().isEmpty() == false);
    QTableWidget* table = dialog->table();
    ASSERT_EQ(table->rowCount(), 1);
    EXPECT_EQ(table->item(0, 0)->text(), window->findChild<QLabel*>("PRLambdaL")->text());
    EXPECT_EQ(table->item(0, 1)->text(), "0,38 V");
    EXPECT_EQ(table->item(0, 2)->text(), "0,50 V");
    EXPECT_EQ(table->horizontalHeaderItem(2)->text(), "W pliku");

    click(dialog, "ZamknijPorownanie");
    EXPECT_EQ(session->state().block().get(1), 19);
    EXPECT_EQ(window->findChild<QLineEdit*>("PRLambda")->text(), "0,38");
}

TEST_F(CompareFixture, LoadingFromTheDialogTakesTheFileAsOdczytZPlikuDoes)
{
    auto* dialog = compare(writeChangedSet());
    ASSERT_NE(dialog, nullptr);
    click(dialog, "WczytajPlik");
    EXPECT_EQ(session->state().block().get(1), 25);
    EXPECT_EQ(window->findChild<QLineEdit*>("PRLambda")->text(), "0,50");

    // Now the pages and the file agree.
    dialog = compare(files.filePath("car.PAR"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->differenceCount(), 0);
    EXPECT_EQ(dialog->findChild<QLabel*>("PorownanieWynik")->text(),
              QString::fromUtf8("Parametry na stronach i w pliku są takie same."));
}

TEST_F(CompareFixture, AnUnreadableFileIsRefusedAsTheLoadRefusesIt)
{
    EXPECT_EQ(compare(files.filePath("missing.PAR")), nullptr);
    EXPECT_EQ(dialogs.errors, QStringList{"blad|Nie moge odczytac"});
    dialogs.errors.clear();
    EXPECT_EQ(compare(QString()), nullptr) << "a cancelled dialog does nothing";
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(CompareFixture, TheDialogSpeaksTheLanguageOfTheTextSlotsAndLabels)
{
    lang::textSlots().set(50304, "В файле");
    window->findChild<QLabel*>("PRLambdaL")->setText("Порог лямбда-зонда");
    auto* dialog = compare(writeChangedSet());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->table()->horizontalHeaderItem(2)->text(), QString::fromUtf8("В файле"));
    EXPECT_EQ(dialog->table()->item(0, 0)->text(), QString::fromUtf8("Порог лямбда-зонда"));
}

TEST(PortProblemNotice, NamesTheCauseAndTheCommandOnlyForWhatTheUserCanFix)
{
    FakeSystemTree tree;
    const std::string refused = tree.addDevice("ttyUSB0", groupMayUse);
    const std::string held = tree.addDevice("ttyACM0", groupMayUse);
    tree.addHolder(812, "ModemManager", held);
    link::PortMap map;
    map.assign(0, refused);
    map.assign(1, held);
    map.assign(2, tree.roots.dev + "/ttyUSB7");
    const link::UserIdentity outsider{54242, {}};

    link::ConnectionOutcome outcome;
    outcome.attempts = {{"COM1", link::OpenResult(link::OpenError::PermissionDenied)},
                        {"COM2", link::OpenResult(link::OpenError::Busy)},
                        {"COM3", link::OpenResult(link::OpenError::NotFound)}};
    const QString notice = ui::portProblemNotice(outcome, map, tree.roots, outsider);
    const QString group = QString::fromStdString(link::diagnosePort(refused, tree.roots, outsider).group);
    EXPECT_TRUE(notice.contains("COM1")) << notice.toStdString();
    EXPECT_TRUE(notice.contains("sudo usermod -aG " + group + " $USER")) << notice.toStdString();
    EXPECT_TRUE(notice.contains("sudo systemctl stop ModemManager")) << notice.toStdString();
    EXPECT_TRUE(notice.contains(QString::fromUtf8("wyloguj"))) << notice.toStdString();
    EXPECT_FALSE(notice.contains("COM3"));

    // A member of the group has nothing to fix there; a found controller never hears of it.
    const link::UserIdentity member{54242, {groupOf(refused)}};
    outcome.attempts.erase(outcome.attempts.begin() + 1);
    EXPECT_TRUE(ui::portProblemNotice(outcome, map, tree.roots, member).isEmpty());
    outcome.connected = true;
    EXPECT_TRUE(ui::portProblemNotice(outcome, map, tree.roots, outsider).isEmpty());
}

TEST(PortToolTip, ShowsTheStableNameAndTheProduct)
{
    FakeSystemTree tree;
    const std::string device = tree.addDevice("ttyUSB0", groupMayUse);
    tree.addUsbAdapter("ttyUSB0", "1a86", "7523", "QinHeng", "USB Serial", "ch341-uart");
    tree.addStableName("usb-1a86_USB_Serial-if00-port0", "ttyUSB0");
    const QStringList lines = ui::portToolTip(device, tree.roots).split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].toStdString(), device);
    EXPECT_TRUE(lines[1].endsWith("/serial/by-id/usb-1a86_USB_Serial-if00-port0"));
    EXPECT_EQ(lines[2], "1a86:7523 QinHeng USB Serial");
    EXPECT_EQ(ui::portToolTip(""), "-");
}
