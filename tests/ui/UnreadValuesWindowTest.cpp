// The window after a read that left values unread, against the simulated
// controller answering one read late (and queueing what it hears meanwhile):
// such a field shows no value, the status line names it, edits write only
// what the fitter chose, and saving or comparing asks first.
#include "TestLocations.h"
#include "WindowOnLine.h"
#include "lang/TextSlots.h"
#include "params/FieldDisplay.h"
#include "params/ParameterState.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/language/SlotText.h"
#include "ui/pages/UnreadFieldMarks.h"
#include "ui/window/MainWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <array>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace dravinor;
namespace fs = std::filesystem;

namespace {

const QString unreadReason = ui::slotText(51000);

sim::FaultOptions lateWithQueue(int address)
{
    sim::FaultOptions faults;
    faults.lateAnswerAddress = address;
    faults.lateAnswerMs = 150;  // three and a half reply windows, at every read
    faults.lateAnswerQueues = true;
    return faults;
}

struct UnreadWindow : dravinor::testing::WindowOnLine {
    fs::path dir = folder.path();

    void startWith(const sim::FaultOptions& faults, bool silent = false)
    {
        controller.setFaults(faults);
        controller.setSilent(silent);
        startActive(true);
        controller.clearReceivedFrames();
    }
    std::string frameLetters() const
    {
        std::string letters;
        for (const auto& frame : controller.receivedFrames())
            letters += static_cast<char>(frame.bytes[0]);
        return letters;
    }
    // Leaves the focused field the way the fitter does, and lets the focus move.
    void pressInto(QWidget* field, Qt::Key key)
    {
        QTest::keyClick(field, key);
        QCoreApplication::processEvents();
    }
};

}  // namespace

// Before, a late answer was taken for the next address's, and an address
// with no answer showed the block's stale byte as if it were the car's.
TEST_F(UnreadWindow, LateAnswerLeavesItsFieldWithoutAValueAndTheStatusLineNamesIt)
{
    startWith(lateWithQueue(26));
    auto* heating = child<QLineEdit>("CLambda");
    EXPECT_TRUE(heating->text().isEmpty());
    EXPECT_EQ(heating->placeholderText(), "?");
    EXPECT_TRUE(ui::isMarkedUnread(heating));
    EXPECT_EQ(heating->toolTip(), unreadReason);
    auto* inertia = child<QLineEdit>("BTps");
    EXPECT_NE(heating->palette().color(QPalette::Base), inertia->palette().color(QPalette::Base));
    EXPECT_FALSE(ui::isMarkedUnread(inertia));

    // Every other field holds the controller's own value, none shifted.
    const auto image = controller.eeprom();
    EXPECT_EQ(inertia->text().toStdString(), params::shownTpsInertia(image[12]));
    EXPECT_EQ(child<QLineEdit>("PSAttuatoraPow")->text(), QString::number(image[4]));
    EXPECT_EQ(child<QLineEdit>("IKDCutOff")->text(), QString::number(image[24]));
    EXPECT_EQ(child<QLineEdit>("AVoltage")->text().toStdString(), params::shownExtraOpeningThreshold(image[25]));
    EXPECT_EQ(child<QLineEdit>("DOAttuatora")->text(), QString::number(image[31]));

    const QString status = window->statusText(1);
    EXPECT_EQ(status, QStringLiteral("Nie odczytano 1 z 35 parametrów: Czas grzania sondy lambda"));
    EXPECT_EQ(window->statusText(2), status);
    EXPECT_EQ(child("StatusBar1")->toolTip(), status) << "the whole list, however long";
    EXPECT_TRUE(session->state().isUnread(26));
}

TEST_F(UnreadWindow, ReasonOfAFieldWithoutAValueFollowsTheLanguage)
{
    // The language files shipped with the program.
    const QString previousFolder = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dravinor::testing::sourceDir()));
    startWith(lateWithQueue(26));
    window->chooseRussian();
    QDir::setCurrent(previousFolder);
    const QString tip = child("CLambda")->toolTip();
    EXPECT_NE(tip, unreadReason);
    EXPECT_TRUE(tip.contains(QStringLiteral("контроллера"))) << tip.toStdString();
    EXPECT_TRUE(child<QLineEdit>("CLambda")->text().isEmpty()) << "a new language shows no value either";
    const QString status = window->statusText(1);
    EXPECT_TRUE(status.startsWith(QStringLiteral("Не прочитано 1 из 35"))) << status.toStdString();
    EXPECT_TRUE(status.endsWith(child<QLabel>("CLambdaL")->text())) << "the caption as the page now shows it";
    lang::textSlots().restoreBuiltIn();
    window->choosePolish();
    EXPECT_EQ(child("CLambda")->toolTip(), unreadReason);
}

TEST_F(UnreadWindow, UnreadFieldLeftUntouchedWritesNothingAndATypedValueIsWrittenAndKnown)
{
    startWith(lateWithQueue(26));
    window->switchToPage(ui::MainWindow::TabPar2);
    auto* heating = child<QLineEdit>("CLambda");
    heating->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_TRUE(child("Komentarz2L")->property("text").toString().endsWith(unreadReason));
    pressInto(heating, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), heating);
    EXPECT_EQ(frameLetters(), "") << "a default must not overwrite the controller's own value";
    EXPECT_TRUE(heating->text().isEmpty());
    EXPECT_TRUE(ui::isMarkedUnread(heating));

    heating->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(heating, "8");
    pressInto(heating, Qt::Key_Return);
    EXPECT_EQ(controller.eeprom()[26], 4);
    EXPECT_EQ(heating->text(), "8");
    EXPECT_FALSE(ui::isMarkedUnread(heating));
    EXPECT_TRUE(heating->toolTip().isEmpty());
    EXPECT_FALSE(session->state().anyUnread());
    EXPECT_EQ(window->statusText(2), QString()) << "nothing is missing any more";
}

TEST_F(UnreadWindow, SavingComparingAndWritingAllAskFirstAndNoDoesNothing)
{
    startWith(lateWithQueue(26));
    const fs::path file = dir / "car.PAR";
    dialogs.saveFile = QString::fromStdString(file.string());
    dialogs.openFile = dialogs.saveFile;

    dialogs.answers = {false};
    child<QAbstractButton>("ZapPlik")->click();
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_TRUE(dialogs.questions[0].contains(QStringLiteral("Czas grzania sondy lambda")));
    EXPECT_TRUE(dialogs.questions[0].contains(QStringLiteral("w pliku")));
    EXPECT_FALSE(fs::exists(file));

    dialogs.answers = {false};
    child<QAction>("PorownajZPlikiem")->trigger();
    ASSERT_EQ(dialogs.questions.size(), 2);
    EXPECT_TRUE(dialogs.questions[1].contains(QStringLiteral("porównanie")));
    EXPECT_EQ(window->findChild<QDialog*>("PorownanieParametrow"), nullptr);

    dialogs.answers = {false};
    child<QAbstractButton>("ZapiszPar")->click();
    ASSERT_EQ(dialogs.questions.size(), 3);
    EXPECT_TRUE(dialogs.questions[2].contains(QStringLiteral("do sterownika")));
    EXPECT_EQ(frameLetters(), "");

    dialogs.answers = {true};
    child<QAbstractButton>("ZapPlik")->click();
    EXPECT_TRUE(fs::exists(file)) << "Yes saves as before";
}

// Before, an address the first read could not get held a zero, which a save
// or "Zapisz Parametry" then carried into the file or the car.
TEST_F(UnreadWindow, AValueTheFirstReadCouldNotGetIsTheDefaultSetsNeverAZero)
{
    startWith(lateWithQueue(14));  // the high byte of "Obroty dla przejscia b-g"
    params::ParameterState defaults;
    defaults.loadDefaults();
    const fs::path file = dir / "car.PAR";
    dialogs.saveFile = QString::fromStdString(file.string());
    dialogs.answers = {true};
    child<QAbstractButton>("ZapPlik")->click();
    std::ifstream in(file, std::ios::binary);
    std::array<char, 64> saved{};
    ASSERT_TRUE(in.read(saved.data(), saved.size()));
    EXPECT_EQ(static_cast<std::uint8_t>(saved[14]), defaults.block().get(14));
    EXPECT_NE(saved[14], 0);
}

TEST_F(UnreadWindow, EnterOnTheQuestionAnswersNo)
{
    QWidget parent;
    ui::MessageBoxDialogs boxes(&parent);
    bool noIsDefault = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll.stop();
        noIsDefault = box->defaultButton() == box->button(QMessageBox::No);
        QTest::keyClick(box, Qt::Key_Return);
    });
    poll.start();
    EXPECT_FALSE(boxes.askYesNoDefaultNo(QStringLiteral("Zapisać mimo to ?")));
    EXPECT_TRUE(noIsDefault);
}

// A flag byte unread: every list and box of its bits shows nothing (a box
// neither ticked nor clear) until the fitter sets one, which writes the byte
// and makes them all known.
TEST_F(UnreadWindow, UnreadFlagByteShowsNoBitUntilTheFitterSetsOne)
{
    startWith(lateWithQueue(32));
    auto* cutOff = child<QCheckBox>("WCutOff");
    EXPECT_EQ(cutOff->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(child<QComboBox>("TCTps")->currentIndex(), -1);
    EXPECT_EQ(child<QComboBox>("TPSterownika")->currentIndex(), -1);
    EXPECT_EQ(child<QComboBox>("RSLambda")->currentIndex(), controller.eeprom()[34]) << "its own byte was read";
    EXPECT_TRUE(window->statusText(1).contains(QStringLiteral("Włącz Cut off")));

    cutOff->setFocus(Qt::TabFocusReason);
    QTest::keyClick(cutOff, Qt::Key_Space);
    QCoreApplication::processEvents();
    EXPECT_EQ(cutOff->checkState(), Qt::Checked);
    EXPECT_FALSE(cutOff->isTristate());
    EXPECT_NE(controller.eeprom()[32] & params::flagA::cutOff, 0);
    EXPECT_GE(child<QComboBox>("TCTps")->currentIndex(), 0);
    EXPECT_FALSE(ui::isMarkedUnread(child("TPSterownika")));
}

TEST_F(UnreadWindow, LoadedFileGivesTheMissingValuesAndTheCountGoes)
{
    startWith(lateWithQueue(26));
    auto image = controller.eeprom();
    image[26] = 5;
    const fs::path file = dir / "car.PAR";
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(image.data()), 64);
    dialogs.openFile = QString::fromStdString(file.string());
    child<QAbstractButton>("OdczPlik")->click();
    EXPECT_FALSE(ui::isMarkedUnread(child("CLambda")));
    EXPECT_EQ(child<QLineEdit>("CLambda")->text(), "10");
    EXPECT_FALSE(window->statusText(2).startsWith(QStringLiteral("Nie odczytano")));
    EXPECT_FALSE(session->state().anyUnread());
}

TEST_F(UnreadWindow, FullReadLaterTakesTheMarksAndTheirStatusBack)
{
    startWith(lateWithQueue(26));
    controller.setFaults({});
    window->switchToPage(ui::MainWindow::TabPar2);
    child<QAbstractButton>("OdczytPar")->click();
    EXPECT_FALSE(ui::isMarkedUnread(child("CLambda")));
    EXPECT_EQ(child<QLineEdit>("CLambda")->text(), QString::number(2 * controller.eeprom()[26]));
    EXPECT_EQ(window->statusText(2), QStringLiteral("Port otwarty - COM1"));
    EXPECT_EQ(window->statusText(1), QString()) << "the old count is gone";
}

TEST_F(UnreadWindow, StartUpWithASilentControllerSaysThePagesShowTheDefaultSet)
{
    startWith({}, true);
    EXPECT_EQ(
        window->statusText(1),
        QStringLiteral("Sterownik nie odpowiada (COM1) - strony pokazują zestaw domyślny, nie parametry samochodu"));
    EXPECT_EQ(child<QLineEdit>("PRLambda")->text(), "0,38") << "the default set, shown as values";
    EXPECT_FALSE(session->state().anyUnread());
}
