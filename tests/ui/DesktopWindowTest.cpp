// What makes the window a desktop program beyond the controller's pages:
// Qt's own texts in the chosen language, captions that name their fields for
// screen readers, menus opened from the keyboard, and the About box.

#include "DravinorVersion.h"
#include "TestLocations.h"
#include "WindowOnLine.h"
#include "lang/TextSlots.h"
#include "ui/dialogs/AboutBox.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/language/QtTranslations.h"
#include "ui/window/MainWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

using namespace dravinor;

namespace {

bool qtTranslationsInstalled()
{
    const QDir folder(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return folder.exists("qtbase_pl.qm") && folder.exists("qtbase_ru.qm");
}

// The window started beside the shipped language files.
struct DesktopWindow : dravinor::testing::WindowOnLine {
    QTemporaryDir files;
    QString previousFolder = QDir::currentPath();

    void start(bool controllerAttached = false)
    {
        ASSERT_TRUE(QDir(files.path()).mkpath("lang"));
        for (const char* name : {"lang/polski.txt", "lang/russian.txt"})
            ASSERT_TRUE(
                QFile::copy(QString::fromStdString(dravinor::testing::sourceDir() + "/") + name, files.filePath(name)));
        ASSERT_TRUE(QDir::setCurrent(files.path()));
        startWith(controllerAttached);
        ASSERT_TRUE(dialogs.messages.isEmpty());
    }
    void TearDown() override
    {
        WindowOnLine::TearDown();
        QDir::setCurrent(previousFolder);
        ui::useQtTranslation(QStringLiteral("none"));
    }
    QString accessibleName(const char* field) const { return child(field)->accessibleName(); }
    QString caption(const char* label) const { return child<QLabel>(label)->text(); }
    // The menu that Alt + key opens while the focus is in a parameter field.
    QMenu* menuOpenedBy(int key)
    {
        window->activateWindow();
        QWidget* field = child("PRLambda");
        field->setFocus(Qt::OtherFocusReason);
        // A Cyrillic key has no ASCII text for QTest::keyClick: give its own.
        const QString text = QString(QChar(key)).toLower();
        QTest::sendKeyEvent(QTest::Press, field, static_cast<Qt::Key>(key), text, Qt::AltModifier);
        QTest::sendKeyEvent(QTest::Release, field, static_cast<Qt::Key>(key), text, Qt::AltModifier);
        QApplication::processEvents();
        QMenu* open = nullptr;
        for (QMenu* menu : window->menuBar()->findChildren<QMenu*>())
            if (menu->isVisible())
                open = menu;
        if (open)
            open->close();
        window->menuBar()->setActiveAction(nullptr);
        return open;
    }
};

// The Yes button's text of a real question box, and what its title bar reads.
struct AskedBox {
    QString yesText;
    QString windowTitle;
    QString titleBar;
};

AskedBox askAndDecline(QWidget* parent)
{
    AskedBox seen;
    ui::MessageBoxDialogs dialogs(parent);
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen.yesText = box->button(QMessageBox::Yes)->text();
        seen.windowTitle = box->windowTitle();
        seen.titleBar = box->windowHandle() ? box->windowHandle()->title() : QString();
        box->button(QMessageBox::No)->click();
    });
    EXPECT_FALSE(dialogs.askYesNo(QStringLiteral("kontynuować ?")));
    return seen;
}

}  // namespace

TEST_F(DesktopWindow, FieldsCarryTheirCaptionsAsAccessibleNamesInEveryLanguage)
{
    start();
    EXPECT_EQ(child<QLabel>("PRLambdaL")->buddy(), child("PRLambda"));
    EXPECT_EQ(child<QLabel>("RSLambdaL")->buddy(), child("RSLambda"));
    EXPECT_EQ(accessibleName("PRLambda"), QString::fromUtf8("Próg sondy lambda"));
    EXPECT_EQ(accessibleName("RSLambda"), QString::fromUtf8("Rodzaj sondy lambda"));
    // The halves of a pair share one caption, told apart by their order.
    EXPECT_EQ(accessibleName("ESLambda_1"), QString::fromUtf8("Emulacja sondy lambda (1)"));
    EXPECT_EQ(accessibleName("ESLambda_2"), QString::fromUtf8("Emulacja sondy lambda (2)"));
    EXPECT_EQ(accessibleName("BTps"), caption("BTpsL"));  // the advanced page too

    window->chooseRussian();
    const QString russianCaption = caption("PRLambdaL");
    EXPECT_NE(russianCaption, QString::fromUtf8("Próg sondy lambda"));
    EXPECT_EQ(accessibleName("PRLambda"), russianCaption);
    EXPECT_EQ(accessibleName("TPSterownika"), caption("TPSterownikaL"));
    EXPECT_EQ(accessibleName("ZPAttuatoraPon_2"), caption("ZPAttuatoraPonL") + " (2)");

    window->choosePolish();
    EXPECT_EQ(accessibleName("PRLambda"), QString::fromUtf8("Próg sondy lambda"));
}

TEST_F(DesktopWindow, AltAndTheFirstLetterOpenAMenuWhoseTitleStaysExact)
{
    start();
    auto* main = child<QMenu>("menu");
    auto* ports = child<QMenu>("ports");
    EXPECT_EQ(menuOpenedBy(Qt::Key_M), main);
    EXPECT_EQ(menuOpenedBy(Qt::Key_P), ports);
    EXPECT_EQ(menuOpenedBy(Qt::Key_R), child<QMenu>("rozdzielczosc"));
    EXPECT_EQ(menuOpenedBy(Qt::Key_J), child<QMenu>("jezyki"));
    EXPECT_EQ(menuOpenedBy(Qt::Key_X), nullptr);
    EXPECT_EQ(main->title(), "menu");
    EXPECT_EQ(ports->title(), "porty");

    // In Russian the Cyrillic first letters work, and the Latin ones still do.
    window->chooseRussian();
    EXPECT_EQ(main->title(), QString::fromUtf8("меню"));
    EXPECT_EQ(menuOpenedBy(0x041C), main);   // М
    EXPECT_EQ(menuOpenedBy(0x041F), ports);  // П
    EXPECT_EQ(menuOpenedBy(Qt::Key_M), main);
}

// Alt+P and Alt+R did nothing on the live page: "&PAUZA" and "&RPM" shared
// their letters with the menus "porty" and "rozdzielczosc", and Qt only moved
// the focus. The page's shown box wins there; the menu keeps its letter
// elsewhere. In Russian the boxes mark their own letters (П clashes too).
TEST_F(DesktopWindow, AltPAndAltRDidNothingOnTheLivePage)
{
    start(true);
    controller.clearReceivedFrames();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->livePage();  // its boxes are built with the page
    auto* pause = child<QCheckBox>("CheckOscyPauza");
    auto* rpm = child<QCheckBox>("CheckOscyRPM");
    const auto altOnLivePage = [&](int key) {
        window->switchToPage(ui::MainWindow::TabViz);
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
        const QString text = QString(QChar(key)).toLower();
        QTest::sendKeyEvent(QTest::Press, target, static_cast<Qt::Key>(key), text, Qt::AltModifier);
        QTest::sendKeyEvent(QTest::Release, target, static_cast<Qt::Key>(key), text, Qt::AltModifier);
        QTest::qWait(250);  // a mnemonic presses its box with a short animation
    };
    const auto noMenuOpen = [&] {
        for (QMenu* menu : window->menuBar()->findChildren<QMenu*>())
            if (menu->isVisible())
                return false;
        return true;
    };

    altOnLivePage(Qt::Key_P);
    EXPECT_TRUE(pause->isChecked());
    EXPECT_TRUE(noMenuOpen());
    altOnLivePage(Qt::Key_R);
    EXPECT_TRUE(rpm->isChecked());
    EXPECT_TRUE(noMenuOpen());
    altOnLivePage(Qt::Key_P);
    EXPECT_FALSE(pause->isChecked());
    window->stopAllTimers();
    // Pausing the trace and showing a channel put nothing but polls on the wire.
    for (const auto& frame : controller.receivedFrames())
        EXPECT_EQ(frame.bytes[0], 'V');

    // Away from the live page the menus keep P and R.
    window->switchToPage(ui::MainWindow::TabPar1);
    EXPECT_EQ(menuOpenedBy(Qt::Key_P), child<QMenu>("ports"));
    EXPECT_EQ(menuOpenedBy(Qt::Key_R), child<QMenu>("rozdzielczosc"));

    window->chooseRussian();
    ASSERT_EQ(pause->text(), QString::fromUtf8("&ПАУЗА"));
    altOnLivePage(0x041F);  // П
    EXPECT_TRUE(pause->isChecked());
    EXPECT_TRUE(noMenuOpen());
    altOnLivePage(0x041E);  // О, "&ОБОРОТЫ"
    EXPECT_FALSE(rpm->isChecked());
    window->stopAllTimers();
    window->switchToPage(ui::MainWindow::TabPar1);
    EXPECT_EQ(menuOpenedBy(0x041F), child<QMenu>("ports"));
}

TEST_F(DesktopWindow, QtsOwnButtonsFollowTheLanguageAndQuestionsKeepAnEmptyCaption)
{
    if (!qtTranslationsInstalled())
        GTEST_SKIP() << "Qt's translations (qt6-translations-l10n) are not installed";
    start();
    AskedBox polish = askAndDecline(window.get());
    EXPECT_EQ(polish.yesText, "&Tak");
    EXPECT_TRUE(polish.windowTitle.isEmpty());
    // Not the program's name, which Qt puts in an empty title bar.
    EXPECT_EQ(polish.titleBar.trimmed(), QString());

    window->chooseRussian();
    EXPECT_EQ(askAndDecline(window.get()).yesText, QString::fromUtf8("&Да"));
    window->choosePolish();
    EXPECT_EQ(askAndDecline(window.get()).yesText, "&Tak");
}

TEST(QtTranslation, AnUnknownLanguageLeavesQtInEnglish)
{
    EXPECT_FALSE(ui::useQtTranslation(QStringLiteral("xx")));
    QMessageBox box(QMessageBox::Question, QString(), QString(), QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), "&Yes");
}

TEST_F(DesktopWindow, AboutBoxNamesTheVersionLicenceAndMissingController)
{
    start();
    auto* item = child<QAction>("OProgramie");
    ASSERT_NE(item, nullptr);
    // After the wizard's items; only the customer's report and the files
    // used last come after it.
    const auto items = child<QMenu>("menu")->actions();
    EXPECT_EQ(items.back(), child<QMenu>("OstatniePliki")->menuAction());
    ASSERT_GE(items.size(), 4);
    EXPECT_TRUE(items[items.size() - 2]->isSeparator());
    EXPECT_EQ(items[items.size() - 3], child<QAction>("Raport"));
    EXPECT_EQ(items[items.size() - 4], item);
    EXPECT_LT(items.indexOf(child<QAction>("AutoAdaptacjaF5")), items.indexOf(item));
    EXPECT_EQ(item->text(), "O programie");

    item->trigger();
    auto* box = window->findChild<ui::AboutBox*>();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->windowTitle(), "O programie");
    const QString details = box->findChild<QLabel*>("AboutDetails")->text();
    EXPECT_TRUE(details.contains(QStringLiteral("Wersja programu: ") + programVersion)) << details.toStdString();
    EXPECT_TRUE(details.contains("Licencja: MIT"));
    // The title's "ver 1.03" is the version the controllers know, told apart from the program's.
    EXPECT_TRUE(window->windowTitle().startsWith("Dravinor Zuv Telvar ver 1.03 - "))
        << window->windowTitle().toStdString();
    EXPECT_TRUE(
        details.contains(QString::fromUtf8("tak jak wersja 1.03 programu serwisowego (stąd „ver 1.03” w tytule okna)")))
        << details.toStdString();
    EXPECT_TRUE(details.contains(QString::fromUtf8("Brak podłączonego sterownika")));

    // One box, its texts in the language of the moment.
    window->chooseRussian();
    item->trigger();
    EXPECT_EQ(window->findChildren<ui::AboutBox*>().size(), 1);
    EXPECT_EQ(box->windowTitle(), QString::fromUtf8("О программе"));
    const QString russian = box->findChild<QLabel*>("AboutDetails")->text();
    EXPECT_TRUE(russian.contains(QString::fromUtf8("Контроллер не подключён")));
    EXPECT_TRUE(russian.contains(QString::fromUtf8("как версия 1.03 сервисной программы"))) << russian.toStdString();
}

TEST_F(DesktopWindow, AboutBoxShowsTheConnectedControllersVersion)
{
    start(true);
    child<QAction>("OProgramie")->trigger();
    auto* box = window->findChild<ui::AboutBox*>();
    ASSERT_NE(box, nullptr);
    const QString details = box->findChild<QLabel*>("AboutDetails")->text();
    // The title says "[ wersja sterownika 3 ]" in every language; the box in the current one.
    const QString title = window->windowTitle();
    const QString version = title.mid(title.indexOf("sterownika ") + 11).remove(']').trimmed();
    ASSERT_FALSE(version.isEmpty());
    EXPECT_TRUE(details.contains(QString::fromUtf8("Podłączony sterownik: wersja ") + version))
        << details.toStdString();
}
