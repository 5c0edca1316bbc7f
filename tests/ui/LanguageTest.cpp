#include "UnderWine.h"
#include "WindowInFolder.h"
#include "lang/KeyTable.h"
#include "lang/TextSlots.h"
#include "live/LivePage.h"
#include "live/widgets/InstrumentWidget.h"
#include "ui/dialogs/HelpViewer.h"
#include "ui/language/TextKeyApplier.h"
#include "ui/window/MainWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include <map>

using namespace dravinor;

namespace {

// Windows-1250 and Windows-1251 bytes, as the shipped files hold them.
const QByteArray polishFile = "# jezyk polski\r\n"
                              "10002 Pomoc\r\n"
                              "10008 auto\r\n"
                              "10008 autodetekcja portu\r\n"
                              "10101 Rodzaj sondy lambda\r\n"
                              "10102 0-1 Rosn\xB9\x63\x61\r\n"
                              "40001 Ustaw warto\x9C\xE6 \x9Crednia\r\n";
const QByteArray russianFile = "# \xF0\xF3\xF1\xF1\xEA\xE8\xE9\n"
                               "10002 \xCF\xEE\xEC\xEE\xF9\xFC\n"              // Помощь
                               "10003 \xCF\xE0\xF0\xE0\xEC\xE5\xF2\xF0\xFB\n"  // Параметры
                               "10101 <b>\xD2\xE8\xEF</b>\n"                   // <b>Тип</b>
                               "10102 \xC7\xEE\xED\xE4 0-1\n"                  // Зонд 0-1
                               "40001 \xCF\xEE\xE4\xF1\xEA\xE0\xE7\xEA\xE0\n"  // Подсказка
                               "40110 \xD1\xE1\xF0\xEE\xF1?";                  // Сброс? (no line feed)

QByteArray helpDocument(const char* title)
{
    QByteArray html = QByteArray("<html><head><title>") + title + "</title></head><body>";
    for (int i = 0; i < 200; ++i)
        html += "<p>Wstep " + QByteArray::number(i) + "</p>";
    html += "<h2><a name=\"IDH_210\"></a>Temat</h2><p>tresc</p>";
    for (int i = 0; i < 20; ++i)
        html += "<p>koniec</p>";
    return html + "</body></html>";
}

struct LanguageFixture : dravinor::testing::WindowInFolder {
    void writeAll()
    {
        write("lang/polski.txt", polishFile);
        write("lang/russian.txt", russianFile);
        write("help/RODADIDOROR_PL.html", helpDocument("Pomoc PL"));
        write("help/Rodadidoror_ru.html", helpDocument("Pomoc RU"));
    }
    QString hintAfterEntering(const char* field)
    {
        child(field)->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
        return child<QLabel>("Komentarz1L")->text();
    }
};

}  // namespace

TEST_F(LanguageFixture, StartUpReadsPolishAndTheMenuSwitchesLanguage)
{
    writeAll();
    start(true);  // the wizard's entry question needs a controller that was read
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_TRUE(item("polski")->isChecked());
    EXPECT_FALSE(item("rosyjski")->isChecked());
    EXPECT_EQ(child<QComboBox>("RSLambda")->itemText(0), QString::fromUtf8("0-1 Rosnąca"));
    EXPECT_EQ(item("autodetekcja1")->text(), "autodetekcja portu");  // the later of a key given twice
    EXPECT_EQ(hintAfterEntering("PRLambda"), QString::fromUtf8("Ustaw wartość średnia"));

    item("rosyjski")->trigger();
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_FALSE(item("polski")->isChecked());
    EXPECT_TRUE(item("rosyjski")->isChecked());
    EXPECT_EQ(item("helpF1")->text(), QString::fromUtf8("Помощь"));
    // One key, the menu item and the tab.
    EXPECT_EQ(item("ParametrysystemuF2")->text(), QString::fromUtf8("Параметры"));
    EXPECT_EQ(window->pageControl()->tabText(0), QString::fromUtf8("Параметры"));
    // A file's text is shown as it is, never as markup.
    auto* caption = child<QLabel>("RSLambdaL");
    EXPECT_EQ(caption->text(), QString::fromUtf8("<b>Тип</b>"));
    EXPECT_EQ(caption->textFormat(), Qt::PlainText);
    // Slots are read when shown: the hint, and the question of the last line.
    EXPECT_EQ(hintAfterEntering("ESLambda_1"), QString::fromUtf8("Zadaj dolny czas trwania emulacji sondy lambda"));
    EXPECT_EQ(hintAfterEntering("PRLambda"), QString::fromUtf8("Подсказка"));
    dialogs.answers = {false};
    window->startAutoAdaptation();
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_EQ(dialogs.questions[0], QString::fromUtf8("Сброс?"));

    item("polski")->trigger();
    EXPECT_TRUE(item("polski")->isChecked());
    EXPECT_EQ(item("helpF1")->text(), QString::fromUtf8("Pomoc"));
    // Keys the Polish file leaves out keep the Russian text until the next load.
    EXPECT_EQ(item("ParametrysystemuF2")->text(), QString::fromUtf8("Параметры"));
}

TEST_F(LanguageFixture, AMissingFileChangesNoTextButTheHelpAndTicksFollow)
{
    write("help/RODADIDOROR_PL.html", helpDocument("Pomoc PL"));
    write("help/Rodadidoror_ru.html", helpDocument("Pomoc RU"));
    start();
    EXPECT_EQ(dialogs.messages, QStringList{"error"});
    EXPECT_EQ(item("helpF1")->text(), "Pomoc");

    item("rosyjski")->trigger();
    EXPECT_EQ(dialogs.messages, (QStringList{"error", "error"}));
    EXPECT_TRUE(item("rosyjski")->isChecked());
    EXPECT_EQ(item("helpF1")->text(), "Pomoc");
    EXPECT_EQ(hintAfterEntering("PRLambda"), QString::fromUtf8("Ustaw wartość średnią pomiędzy sondą ubogą a bogatą"));

    window->helpF1Click();
    ASSERT_NE(window->helpViewer(), nullptr);
    EXPECT_TRUE(window->helpViewer()->document().endsWith("help/Rodadidoror_ru.html"));
}

TEST_F(LanguageFixture, AMalformedKeyStopsTheLoadKeepingTheLinesBefore)
{
    writeAll();
    write("lang/russian.txt", "10002 \xCF\xEE\xEC\xEE\xF9\xFC\n3000a \xCF\n10003 never\n");
    start();
    item("rosyjski")->trigger();
    EXPECT_EQ(dialogs.conversionErrors, QStringList{"3000a"});
    EXPECT_EQ(item("helpF1")->text(), QString::fromUtf8("Помощь"));
    EXPECT_EQ(item("ParametrysystemuF2")->text(), "Parametry systemu");
}

TEST_F(LanguageFixture, ReplacingListItemsKeepsEverySelection)
{
    writeAll();
    start();
    auto* probe = child<QComboBox>("RSLambda");
    auto* ignition = child<QComboBox>("RUZaplonowego");
    probe->setCurrentIndex(2);
    ignition->setCurrentIndex(4);
    const QString ignitionItem = ignition->itemText(4);
    ui::TextKeyApplier& keys = window->textKeys();
    keys.applyTextKey(10102, "Zonde");
    keys.applyTextKey(12706, "Piaty");
    keys.applyTextKey(10107, "Szosty");
    keys.applyTextKey(12708, "poza lista");  // no such key: nothing
    EXPECT_EQ(probe->itemText(0), "Zonde");
    EXPECT_EQ(probe->itemText(5), "Szosty");
    EXPECT_EQ(probe->count(), 6);
    EXPECT_EQ(probe->currentIndex(), 2);
    EXPECT_EQ(ignition->itemText(4), "Piaty");
    EXPECT_EQ(ignition->currentIndex(), 4);
}

namespace {

// Applies the key and checks that its control shows the text.
void expectKeyChangesItsTarget(ui::MainWindow& window, QObject* target, const lang::KeyTarget& row)
{
    const QString text = QStringLiteral("klucz %1").arg(row.key);
    window.textKeys().applyTextKey(row.key, text);
    switch (row.kind) {
    case lang::TargetKind::Caption: {
        QString shown;
        if (auto* a = qobject_cast<QAction*>(target))
            shown = a->text();
        else if (auto* m = qobject_cast<QMenu*>(target))
            shown = m->title();
        else if (auto* l = qobject_cast<QLabel*>(target))
            shown = l->text();
        else if (auto* g = qobject_cast<QGroupBox*>(target))
            shown = g->title();
        else if (auto* b = qobject_cast<QAbstractButton*>(target))
            shown = b->text();
        EXPECT_EQ(shown, text) << row.key << " " << row.name;
        break;
    }
    case lang::TargetKind::Tab: {
        auto* page = qobject_cast<QWidget*>(target);
        auto* tabs = qobject_cast<QTabWidget*>(page->parentWidget()->parentWidget());
        ASSERT_NE(tabs, nullptr) << row.name;
        EXPECT_EQ(tabs->tabText(tabs->indexOf(page)), text) << row.key;
        break;
    }
    case lang::TargetKind::ListItem: {
        auto* list = qobject_cast<QComboBox*>(target);
        ASSERT_NE(list, nullptr) << row.name;
        ASSERT_LT(row.item, list->count()) << row.key;
        EXPECT_EQ(list->itemText(row.item), text) << row.key;
        break;
    }
    case lang::TargetKind::DialName: {
        auto* dial = qobject_cast<live::InstrumentWidget*>(target);
        ASSERT_NE(dial, nullptr) << row.name;
        EXPECT_EQ(dial->name1(), text) << row.key;
        break;
    }
    case lang::TargetKind::VerticalCaption: {
        auto* label = qobject_cast<QLabel*>(target);
        ASSERT_NE(label, nullptr) << row.name;
        EXPECT_EQ(label->text().remove('\n'), text) << row.key;
        EXPECT_EQ(label->text().count('\n'), text.size() - 1) << row.key;
        break;
    }
    }
}

}  // namespace

TEST_F(LanguageFixture, EveryControlKeyReachesItsControl)
{
    writeAll();
    start();
    // Built after the file was loaded, as when first opened.
    window->livePage();
    window->wizard();
    int checked = 0;
    for (const lang::KeyTarget& row : lang::keyTable()) {
        if (lang::isWizardKey(row.key) && row.kind != lang::TargetKind::Tab)
            continue;  // the wizard's controls: see the next test
        QObject* target = window->findChild<QObject*>(row.name);
        ASSERT_NE(target, nullptr) << row.key << " " << row.name;
        expectKeyChangesItsTarget(*window, target, row);
        ++checked;
    }
    EXPECT_GE(checked, 100);
    // And every slot key reaches its slot.
    for (const lang::SlotDefinition& slot : lang::slotDefinitions()) {
        window->textKeys().applyTextKey(slot.key, "s");
        EXPECT_EQ(lang::textSlots().text(slot.key), "s") << slot.key;
    }
}

TEST_F(LanguageFixture, EveryWizardKeyReachesItsControlOnceTheWizardHasThem)
{
    writeAll();
    start();
    auto* wizard = child<QTabWidget>("AutoTab");
    ASSERT_NE(wizard, nullptr);
    std::vector<std::pair<QObject*, lang::KeyTarget>> present;
    QStringList missing;
    for (const lang::KeyTarget& row : lang::keyTable()) {
        if (!lang::isWizardKey(row.key) || row.kind == lang::TargetKind::Tab)
            continue;
        if (QObject* target = wizard->findChild<QObject*>(row.name))
            present.emplace_back(target, row);
        else
            missing << QString::number(row.key) + " " + row.name;
    }
    if (present.empty())
        GTEST_SKIP() << "the wizard pages hold none of their controls yet";
    EXPECT_TRUE(missing.isEmpty()) << missing.join(", ").toStdString();
    for (const auto& [target, row] : present)
        expectKeyChangesItsTarget(*window, target, row);
}

TEST_F(LanguageFixture, WizardLabelsGetTheirWidthsWithEveryLanguage)
{
    writeAll();
    start();
    window->wizard();  // built after the file was loaded, as when first opened
    const char* names[] = {"TPSPonLabel_AA_P2", "TPSPowLabel_AA_P2", "PPNMLabel_AA_P2", "PPNDLabel_AA_P2",
                           "ZBLabel_AA_P1"};
    for (const char* menu : {"rosyjski", "polski"}) {
        std::map<QString, int> laidOut;
        for (const char* name : names) {
            auto* label = child(name);
            ASSERT_NE(label, nullptr) << name;
            laidOut[name] = label->width();
            label->resize(label->width() * 3, label->height());  // grown by a long text
        }
        item(menu)->trigger();
        for (const char* name : names)
            EXPECT_EQ(child(name)->width(), laidOut[name]) << name << " after " << menu;
    }
}

TEST_F(LanguageFixture, AKeyWithoutItsControlDoesNothing)
{
    QWidget bare;
    ui::TextKeyApplier keys(&bare);
    for (const lang::KeyTarget& row : lang::keyTable())
        keys.applyTextKey(row.key, "x");
    keys.setLanguageWritingSystem(QFontDatabase::Cyrillic);
    EXPECT_TRUE(bare.findChildren<QObject*>().isEmpty());
}

TEST_F(LanguageFixture, RussianReachesTheControlsInAFontWithCyrillic)
{
    DRAVINOR_SKIP_WITHOUT_REAL_FONTS();
    writeAll();
    start();
    item("rosyjski")->trigger();
    window->livePage();  // built after the choice, as when first opened
    for (const char* name : {"RSLambdaL", "GroupBox1", "Komentarz1L", "BenzGazLed", "CheckSiatka"}) {
        const QFont font = child(name)->font();
        bool cyrillic = false;
        for (const QString& family : font.families())
            cyrillic = cyrillic || QFontDatabase::writingSystems(family).contains(QFontDatabase::Cyrillic);
        EXPECT_TRUE(cyrillic) << name;
    }
}

TEST_F(LanguageFixture, HelpOpensAtTheTopicOnEveryPageAndLeavesThePage)
{
    writeAll();
    start(true);  // the wizard's entry resets the controller's parameters
    for (int page :
         {ui::MainWindow::TabPar1, ui::MainWindow::TabPar2, ui::MainWindow::TabViz, ui::MainWindow::TabAuto}) {
        if (page == ui::MainWindow::TabAuto)
            window->startAutoAdaptation();
        else
            window->switchToPage(static_cast<ui::MainWindow::Page>(page));
        window->activateWindow();
        QTest::keyClick(window.get(), Qt::Key_F1);
        ASSERT_NE(window->helpViewer(), nullptr) << page;
        EXPECT_EQ(window->pageControl()->currentIndex(), page);
        EXPECT_TRUE(window->helpViewer()->isVisible());
        EXPECT_TRUE(window->helpViewer()->document().endsWith("help/RODADIDOROR_PL.html")) << page;
        window->helpViewer()->hide();
    }
    // The topic is scrolled into view: far below the document's start.
    QTextBrowser* browser = window->helpViewer()->browser();
    window->helpF1Click();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window->helpViewer()));
    EXPECT_GT(browser->verticalScrollBar()->value(), 0);
    EXPECT_EQ(browser->source().fragment(), "IDH_210");

    dialogs.defaultAnswer = true;
    item("rosyjski")->trigger();
    window->helpF1Click();
    EXPECT_TRUE(window->helpViewer()->document().endsWith("help/Rodadidoror_ru.html"));
    EXPECT_EQ(window->helpViewer()->windowTitle(), "Pomoc RU");
}

TEST_F(LanguageFixture, AMissingHelpDocumentIsToldInTheHelpWindow)
{
    write("lang/polski.txt", polishFile);
    start();
    window->helpF1Click();
    EXPECT_TRUE(window->helpViewer()->document().isEmpty());
    EXPECT_TRUE(window->helpViewer()->browser()->toPlainText().contains("RODADIDOROR_PL.html"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}
