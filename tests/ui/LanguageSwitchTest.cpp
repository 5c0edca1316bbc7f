// A change of language as the fitter sees it: what was on screen before the
// switch, captions the form gives without a key, the shipped Russian file on
// every page, and language files that are not what they should be.

#include "WindowInFolder.h"
#include "lang/LanguageFile.h"
#include "lang/TextSlots.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/language/TextKeyApplier.h"
#include "ui/window/MainWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <set>

using namespace dravinor;

namespace {

QByteArray windows1251(const char* utf8)
{
    // The few Russian texts these tests need, as the shipped file holds them.
    QByteArray out;
    for (const char32_t c : QString::fromUtf8(utf8).toUcs4()) {
        if (c < 0x80)
            out += static_cast<char>(c);
        else if (c >= 0x410 && c <= 0x44F)
            out += static_cast<char>(0xC0 + (c - 0x410));
        else
            ADD_FAILURE() << "no Windows-1251 byte for U+" << std::hex << static_cast<unsigned>(c);
    }
    return out;
}

struct LanguageSwitch : dravinor::testing::WindowInFolder {
    QString status(const char* bar) const { return child<QStatusBar>(bar)->currentMessage(); }
};

}  // namespace

TEST_F(LanguageSwitch, TheStartUpsNoteThatThePagesHoldTheDefaultSetIsSaidAgainInTheNewLanguage)
{
    write("lang/polski.txt", "10002 Pomoc\n");
    write("lang/russian.txt", "51005 " + windows1251("набор по умолчанию") + "\n");
    start();
    ASSERT_TRUE(status("StatusBar1").endsWith(" - strony pokazują zestaw domyślny, nie parametry samochodu"))
        << status("StatusBar1").toStdString();
    item("rosyjski")->trigger();
    EXPECT_TRUE(status("StatusBar1").endsWith(QString::fromUtf8(" - набор по умолчанию")))
        << status("StatusBar1").toStdString();
}

TEST_F(LanguageSwitch, StatusLineHintTitleAndFuelWordAreSaidAgainInTheNewLanguage)
{
    write("lang/polski.txt", "10002 Pomoc\n");
    write("lang/russian.txt", "40001 " + windows1251("Задайте порог") + "\n" + "40105 " +
                                  windows1251("нет контроллера") + "\n" + "40107 " +
                                  windows1251("Не могу открыть порт") + "\n" + "51253 " + windows1251("БЕНЗИН") + "\n");
    start();
    window->livePage();          // opened before the switch
    item("COM1_cl")->trigger();  // the port cannot be opened
    ASSERT_EQ(status("StatusBar1"), "Nie moge otworzyc portu");
    ASSERT_TRUE(window->windowTitle().endsWith("- brak sterownika"));
    child("PRLambda")->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    ASSERT_EQ(child<QLabel>("Komentarz1L")->text(),
              QString::fromUtf8("Ustaw wartość średnią pomiędzy sondą ubogą a bogatą"));
    ASSERT_EQ(child<QLabel>("BenzGazLed")->text(), "BENZYNA");
    // Something the window did not say through its status lines stays as it is.
    child<QStatusBar>("StatusBar2")->showMessage("obcy tekst");

    item("rosyjski")->trigger();
    EXPECT_EQ(status("StatusBar1"), QString::fromUtf8("Не могу открыть порт"));
    EXPECT_TRUE(window->windowTitle().endsWith(QString::fromUtf8("- нет контроллера")))
        << window->windowTitle().toStdString();
    EXPECT_EQ(child<QLabel>("Komentarz1L")->text(), QString::fromUtf8("Задайте порог"));
    EXPECT_EQ(child<QLabel>("BenzGazLed")->text(), QString::fromUtf8("БЕНЗИН"));
    EXPECT_EQ(status("StatusBar2"), "obcy tekst");

    // A hint shown after the switch is the new language's, and so is its redraw.
    child("ESLambda_1")->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(child<QLabel>("Komentarz1L")->text(),
              QString::fromUtf8("Zadaj dolny czas trwania emulacji sondy lambda"));
}

TEST_F(LanguageSwitch, APageFirstOpenedAfterAChoiceTakesItsWordsAndAMissingFileIsNotSaidAgain)
{
    write("lang/russian.txt",
          "34003 " + windows1251("Запустите двигатель") + "\n" + "51206 " + windows1251("ЛЯМБДА") + "\n");
    start();  // no Polish file
    ASSERT_EQ(dialogs.messages.size(), 1);
    window->livePage();
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(child<QLabel>("Lambda_L")->text(), "L\nA\nM\nB\nD\nA");

    item("rosyjski")->trigger();
    EXPECT_EQ(child<QLabel>("Lambda_L")->text(), QString::fromUtf8("Л\nЯ\nМ\nБ\nД\nА"));
    window->wizard();
    EXPECT_EQ(child<QLabel>("PPNALabel_AA_P4")->text(), QString::fromUtf8("Запустите двигатель"));
}

TEST_F(LanguageSwitch, CaptionsWithoutAKeyInTheFormGetTheirOwnAndOlderFilesKeepThem)
{
    write("lang/polski.txt", "10002 Pomoc\n");
    write("lang/russian.txt", "10002 " + windows1251("Справка") + "\n");
    start();
    window->livePage();  // both opened before the switch
    window->wizard();
    QTabWidget* pages = window->pageControl();
    item("rosyjski")->trigger();
    // A file without the new keys: today's texts, nothing lost.
    EXPECT_EQ(pages->tabText(ui::MainWindow::TabAuto), "Auto Adaptacja (F5)");
    EXPECT_EQ(child<QLabel>("Lambda_L")->text(), "L\nA\nM\nB\nD\nA");
    EXPECT_EQ(child<QLabel>("PPNALabel_AA_P4")->text(), QString::fromUtf8("Prosze uruchomić silnik i przejść na gaz"));
    EXPECT_EQ(child<QComboBox>("MOAttuatora")->itemText(1), QString::fromUtf8("Włączony"));

    write("lang/russian.txt", "34003 " + windows1251("Запустите двигатель") + "\n" + "51200 " +
                                  windows1251("Автоадаптация") + " (F5)\n" + "51201 " + windows1251("Макс. открытие") +
                                  "\n" + "51203 " + windows1251("Включено") + "\n" + "51204 " + windows1251("Выше") +
                                  "\n" + "51205 " + windows1251("Ниже") + "\n" + "51206 " + windows1251("ЛЯМБДА") +
                                  "\n");
    auto* unused = child<QComboBox>("MOAttuatora");
    unused->setCurrentIndex(1);
    item("rosyjski")->trigger();
    EXPECT_EQ(pages->tabText(ui::MainWindow::TabAuto), QString::fromUtf8("Автоадаптация (F5)"));
    EXPECT_EQ(child<QLabel>("Lambda_L")->text(), QString::fromUtf8("Л\nЯ\nМ\nБ\nД\nА"));
    EXPECT_EQ(child<QLabel>("PPNALabel_AA_P4")->text(), QString::fromUtf8("Запустите двигатель"));
    EXPECT_EQ(child<QLabel>("MOAttuatoraL")->text(), QString::fromUtf8("Макс. открытие"));
    EXPECT_EQ(unused->itemText(1), QString::fromUtf8("Включено"));
    EXPECT_EQ(unused->currentIndex(), 1);
    EXPECT_EQ(child<QLabel>("Label2")->text(), QString::fromUtf8("Выше"));
    EXPECT_EQ(child<QLabel>("Label1")->text(), QString::fromUtf8("Ниже"));
}

namespace {

// Every text a control of the window shows: captions, list items, tabs, menus.
std::vector<std::pair<QString, QString>> shownTexts(QWidget* root)
{
    std::vector<std::pair<QString, QString>> texts;
    for (QLabel* label : root->findChildren<QLabel*>())
        texts.emplace_back(label->objectName(), label->text());
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>())
        texts.emplace_back(button->objectName(), button->text());
    for (QGroupBox* group : root->findChildren<QGroupBox*>())
        texts.emplace_back(group->objectName(), group->title());
    for (QComboBox* list : root->findChildren<QComboBox*>())
        if (!list->isEditable())
            for (int i = 0; i < list->count(); ++i)
                texts.emplace_back(list->objectName() + "[" + QString::number(i) + "]", list->itemText(i));
    for (QTabWidget* tabs : root->findChildren<QTabWidget*>())
        for (int i = 0; i < tabs->count(); ++i)
            texts.emplace_back(tabs->widget(i)->objectName() + " tab", tabs->tabText(i));
    for (QMenu* menu : root->findChildren<QMenu*>()) {
        texts.emplace_back(menu->objectName(), menu->title());
        for (QAction* action : menu->actions())
            texts.emplace_back(action->objectName(), action->text());
    }
    return texts;
}

}  // namespace

// The shipped Russian file, read as the program reads it: no Polish word and
// no Polish letter is left in any caption, item, tab or menu of the window.
TEST_F(LanguageSwitch, TheShippedRussianFileLeavesNoPolishOnTheScreen)
{
    copyShipped("lang/polski.txt");
    copyShipped("lang/russian.txt");
    start();
    item("rosyjski")->trigger();
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join("; ").toStdString();
    EXPECT_TRUE(dialogs.conversionErrors.isEmpty());

    // Latin words a Russian screen shows on purpose: signal names, units,
    // port names, the way back to Polish.
    const std::set<QString> allowed{"TH",   "TL",     "High", "Z", "K", "R",      "V",       "A",   "B",   "TPS", "RPM",
                                    "STEP", "polski", "COM",  "x", "F", "Lambda", "KORVANT", "PAR", "CSV", "csv"};
    const QRegularExpression latinWord(QStringLiteral("[A-Za-z\\x{0100}-\\x{017F}\\x{00D3}\\x{00F3}]+"));
    const QRegularExpression polishLetter(QStringLiteral("[ąćęłńóśźżĄĆĘŁŃÓŚŹŻ]"));
    QStringList polish;
    for (const auto& [name, text] : shownTexts(window.get())) {
        if (text.contains(polishLetter)) {
            polish << name + ": " + text;
            continue;
        }
        for (auto it = latinWord.globalMatch(text); it.hasNext();) {
            const QString word = it.next().captured();
            if (!allowed.count(word)) {
                polish << name + ": " + text;
                break;
            }
        }
    }
    EXPECT_TRUE(polish.isEmpty()) << polish.join("\n").toStdString();
}

TEST_F(LanguageSwitch, AFileSavedAsUtf8IsReadAsUtf8AndSaidSoOnStderr)
{
    write("lang/polski.txt", "10002 Pomoc\n");
    write("lang/russian.txt", "\xEF\xBB\xBF# русский\r\n10002 Справка\r\n40107 Не могу открыть порт\r\n");
    start();
    ::testing::internal::CaptureStderr();
    item("rosyjski")->trigger();
    const std::string note = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(item("helpF1")->text(), QString::fromUtf8("Справка"));
    EXPECT_EQ(QString::fromStdString(lang::textSlots().text(40107)), QString::fromUtf8("Не могу открыть порт"));
    EXPECT_TRUE(dialogs.conversionErrors.isEmpty());
    EXPECT_NE(note.find("lang/russian.txt is saved as UTF-8, not as Windows-1251"), std::string::npos) << note;

    // The same texts in Windows-1251 go without a note.
    write("lang/russian.txt", "10002 " + windows1251("Справка") + "\n");
    ::testing::internal::CaptureStderr();
    item("rosyjski")->trigger();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(item("helpF1")->text(), QString::fromUtf8("Справка"));
}

TEST_F(LanguageSwitch, AnOversizedFileIsRefusedInAPlainMessageInTheCurrentLanguage)
{
    write("lang/polski.txt", "10002 Pomoc\n");
    write("lang/russian.txt", QByteArray(lang::maxLanguageFileSize + 1, '#'));
    start();
    window->textKeys().applyTextKey(lang::slot::languageFileTooLarge, QString::fromUtf8("Файл %1 больше %2 байт"));
    item("rosyjski")->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].startsWith(QString::fromUtf8("Файл ")));
    EXPECT_TRUE(dialogs.messages[0].endsWith(QString::fromUtf8("lang/russian.txt больше 1048576 байт")))
        << dialogs.messages[0].toStdString();
    EXPECT_TRUE(dialogs.errors.isEmpty());  // no OK/Cancel box with an English text
    EXPECT_EQ(item("helpF1")->text(), "Pomoc");
}

// The real message box: the slot's words, no icon, and OK as its one button.
TEST(ConversionErrorBox, IsAPlainMessageWithOneButtonInTheCurrentLanguage)
{
    QWidget parent;
    ui::MessageBoxDialogs dialogs(&parent);
    lang::textSlots().set(lang::slot::conversionError, "\"%1\" - это не число");
    QString shown;
    QMessageBox::Icon icon = QMessageBox::Warning;
    int buttons = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shown = box->text();
        icon = box->icon();
        buttons = static_cast<int>(box->buttons().size());
        box->accept();
    });
    dialogs.showConversionError("3000a");
    lang::textSlots().restoreBuiltIn();
    EXPECT_EQ(shown, QString::fromUtf8("\"3000a\" - это не число"));
    EXPECT_EQ(icon, QMessageBox::NoIcon);
    EXPECT_EQ(buttons, 1);
}
