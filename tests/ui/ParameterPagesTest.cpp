#include "PageTestSupport.h"
#include "UnderWine.h"

#include "ui/pages/ModePictures.h"
#include "ui/pages/ParameterPageLayout.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>
#include <set>
#include <string>

using namespace dravinor;
using namespace dravinor::params;
using dravinor::testing::PagesOnLine;
using dravinor::testing::Writes;

namespace {

using ParameterPages = PagesOnLine;

// Every field in tab order, as Tab walks them with all of them enabled.
const QStringList fieldsInTabOrder{"RSLambda",
                                   "PRLambda",
                                   "RSYLambda",
                                   "ESLambda_1",
                                   "ESLambda_2",
                                   "TCTps",
                                   "PCTps",
                                   "ODPBenzynaGas",
                                   "RObrotow",
                                   "DObrotow",
                                   "CNPaliw",
                                   "MONGaz",
                                   "TPWStopniach",
                                   "RUZaplonowego",
                                   "WMObroty",
                                   "WCTemperatury",
                                   "ZPAttuatoraPow_1",
                                   "ZPAttuatoraPow_2",
                                   "PSAttuatoraPow",
                                   "PAttuatoraPow",
                                   "ZPAttuatoraPon_1",
                                   "ZPAttuatoraPon_2",
                                   "PSAttuatoraPon",
                                   "PAttuatoraPon",
                                   "IKDCutOff",
                                   "OSDCutOff",
                                   "WCutOff",
                                   "TPSterownika",
                                   "TSRezerwy",
                                   "BTps",
                                   "CLambda",
                                   "DOAttuatoraCheck",
                                   "AVoltage",
                                   "DOAttuatora",
                                   "RPMSignal",
                                   "TJazdy"};

}  // namespace

TEST_F(ParameterPages, BuildsEveryControlWithItsNameAndExactTexts)
{
    const std::pair<const char*, const char*> captions[] = {
        {"GroupBox1", "Sonda"}, {"GroupBox3", "Zaplon, RPM przelaczenia"}, {"GroupBox7", ""}, {"GroupBox6", "CUT OFF"}};
    for (const auto& [name, caption] : captions)
        EXPECT_EQ(child<QGroupBox>(name)->title(), QString::fromUtf8(caption)) << name;
    const std::pair<const char*, const char*> labels[] = {
        {"PRLambdaL", "Próg sondy lambda"},
        {"ESLambdaL", "Emulacja sondy lambda"},
        {"ZPAttuatoraPonL", "Zakres pracy attuatora"},
        {"CNPaliwL", "Czas nakladania paliw "},
        {"TSRezerwyL", "Typ szkiełka rezerwy "},
        {"MOAttuatoraL", "Maksymalne otwarcie attuatora"},
        {"Komentarz3L", "Uwaga po zmianie sterownika należy ponownie odczytać parametry"}};
    for (const auto& [name, text] : labels)
        EXPECT_EQ(label(name)->text(), QString::fromUtf8(text)) << name;
    EXPECT_EQ(check("WCTemperatury")->text(), "Włącz czujnik temperatury");
    EXPECT_EQ(pages->button("ResButt")->text(), "Reset Parametrów");
    EXPECT_EQ(pages->button("OdczytPar")->text(), "Odczytaj parametry");
    EXPECT_EQ(pages->button("OdczytPar")->parentWidget(), tab2);
    EXPECT_FALSE(child("Button1")->isVisible());

    EXPECT_EQ(list("RSLambda")->itemText(0), "0-1 [V]  Rosnąca");
    EXPECT_EQ(list("RSYLambda")->itemText(2), "Przekaźnik (High Z)");
    EXPECT_EQ(list("CNPaliw")->count(), 42);
    EXPECT_EQ(list("CNPaliw")->itemText(41), "2,05");
    EXPECT_EQ(list("MOAttuatora")->itemText(1), "Włączony");

    for (const char* name : {"Komentarz1L", "Komentarz2L"}) {
        QLabel* hint = label(name);
        EXPECT_TRUE(hint->font().bold());
        EXPECT_EQ(hint->font().family(), "Arial");
        EXPECT_TRUE(hint->wordWrap());
        EXPECT_EQ(hint->textFormat(), Qt::PlainText);
        EXPECT_EQ(hint->palette().color(QPalette::WindowText), QColor(Qt::red));
    }
    for (const char* name : {"ImageKoment1", "ImageKoment2", "ImageKoment3"}) {
        EXPECT_FALSE(child(name)->isVisible());
        EXPECT_EQ(child(name)->size(), QSize(140, 70));
    }
}

TEST_F(ParameterPages, TheFirstPagesGroupsWaitForShowGroups)
{
    QWidget first, second;
    ui::PageServices services{state, transfer, dialogs, {}, {}, {}};
    ui::ParameterPages fresh(&first, &second, services);
    for (int group = 1; group <= 7; ++group)
        EXPECT_TRUE(first.findChild<QGroupBox*>(QString("GroupBox%1").arg(group))->isHidden()) << group;
    EXPECT_FALSE(second.findChild<QGroupBox*>("GroupBox8")->isHidden());
    fresh.showGroups();
    EXPECT_FALSE(first.findChild<QGroupBox*>("GroupBox7")->isHidden());
}

TEST_F(ParameterPages, TheFocusChainFollowsTheRows)
{
    QStringList walked;
    QWidget* widget = child("RSLambda");
    while (widget && walked.size() < fieldsInTabOrder.size()) {
        walked << widget->objectName();
        do
            widget = widget->nextInFocusChain();
        while (widget->focusPolicy() == Qt::NoFocus || widget->objectName().isEmpty());
    }
    EXPECT_EQ(walked, fieldsInTabOrder);
}

TEST_F(ParameterPages, ShowingTheDefaultSetFillsTheFieldsAndSendsNothing)
{
    state.loadDefaults();
    pages->showParameters();
    const std::pair<const char*, const char*> shown[] = {
        {"PRLambda", "0,38"},        {"PCTps", "1,40"},     {"TPWStopniach", "0"},     {"ZPAttuatoraPow_1", "85"},
        {"ZPAttuatoraPow_2", "115"}, {"BTps", "0,15"},      {"ODPBenzynaGas", "2200"}, {"DObrotow", "100"},
        {"MONGaz", "6000"},          {"OSDCutOff", "1800"}, {"AVoltage", "1,45"},      {"CLambda", "6"},
        {"ESLambda_1", "0,496"},     {"DOAttuatora", "3"},  {"RPMSignal", "2"}};
    for (const auto& [name, text] : shown)
        EXPECT_EQ(edit(name)->text(), text) << name;
    EXPECT_EQ(list("RUZaplonowego")->currentText(), "4 cylindry");
    EXPECT_EQ(list("CNPaliw")->currentText(), "0,15");
    EXPECT_EQ(list("TCTps")->currentIndex(), 1);
    EXPECT_EQ(list("RObrotow")->currentIndex(), 1);
    EXPECT_EQ(list("TPSterownika")->currentIndex(), 0);
    // The defaults switch the delta, the maximum RPM, the cut-off and the extra opening off.
    for (const char* name : {"DObrotow", "MONGaz", "IKDCutOff", "OSDCutOff", "DOAttuatora", "AVoltage"})
        EXPECT_FALSE(edit(name)->isEnabled()) << name;
    EXPECT_TRUE(edit("TPWStopniach")->isEnabled());
    EXPECT_TRUE(check("WCTemperatury")->isChecked());
    EXPECT_EQ(probeTypes.back(), 0);
    EXPECT_TRUE(frames().empty());
}

TEST_F(ParameterPages, StartUpDerivesTheFlagBitsFromTheInitialControls)
{
    QWidget first, second;
    ParameterState fresh;
    fresh.setFlagByteA(0xFF);
    ui::PageServices services{fresh, transfer, dialogs, {}, {}, {}};
    ui::ParameterPages built(&first, &second, services);
    built.initialiseControls();
    EXPECT_EQ(fresh.flagByteA() & (flagA::temperatureSensor | flagA::cutOff | flagA::maxRpmLimit | flagA::rpmRising),
              0);
    EXPECT_FALSE(first.findChild<QLineEdit*>("TPWStopniach")->isEnabled());
    EXPECT_FALSE(first.findChild<QLabel*>("MONGazL")->isEnabled());
    EXPECT_TRUE(first.findChild<QLineEdit*>("DObrotow")->isEnabled());
}

TEST_F(ParameterPages, EnterAndPageKeysMoveThroughTheFields)
{
    // Enter in a free-text field leaves it, and leaving writes it.
    focus("PRLambda");
    press(Qt::Key_Return);
    EXPECT_EQ(focusedName(), "RSYLambda");
    EXPECT_EQ(eepromWrites(), (Writes{{1, 19}}));

    focus("ESLambda_1");
    clearFrames();
    press(Qt::Key_PageUp);
    EXPECT_EQ(focusedName(), "RSYLambda");
    EXPECT_EQ(eepromWrites(), (Writes{{29, 31}}));
    focus("ESLambda_1");
    press(Qt::Key_PageDown);
    EXPECT_EQ(focusedName(), "ESLambda_2");

    // Enter in a list moves on without changing it.
    focus("TCTps");
    press(Qt::Key_Enter);
    EXPECT_EQ(focusedName(), "PCTps");
    EXPECT_EQ(list("TCTps")->currentIndex(), 1);
}

TEST_F(ParameterPages, EnterInTheLastListOfAPageJumpsToTheOtherPage)
{
    focus("TJazdy");
    clearFrames();
    press(Qt::Key_Return);
    EXPECT_EQ(tabs->currentWidget(), tab1);
    EXPECT_EQ(focusedName(), "RSLambda");
    EXPECT_TRUE(frames().empty());

    focus("TSRezerwy");
    press(Qt::Key_Return);
    EXPECT_EQ(tabs->currentWidget(), tab2);
    EXPECT_EQ(focusedName(), "BTps");
}

TEST_F(ParameterPages, EachFieldsHintWrapsInsideItsGroup)
{
    struct Hint {
        const char* field;
        const char* label;
        const char* group;
        const char* startsWith;
    };
    const Hint hints[] = {
        {"PCTps", "Komentarz1L", "GroupBox2", "Ustaw wartość graniczną czujnika TPS"},
        {"RSYLambda", "Komentarz1L", "GroupBox1", "Wybierz sposób w jaki ma być emulowana"},
        {"PAttuatoraPon", "Komentarz1L", "GroupBox5", "Ustaw prędkość pracy attuatora na wysokich obrotach"},
        {"TSRezerwy", "Komentarz1L", "GroupBox5", "Wybierz typ sensora rezerwy ( 20 Kohm"},
        {"BTps", "Komentarz2L", "GroupBox8", "Zmiana zakresu na PONIŻEJ TPS-u"},
        {"TJazdy", "Komentarz2L", "GroupBox8", "W tym trybie silnik krokowy"},
    };
    for (const Hint& h : hints) {
        focus(h.field);
        EXPECT_TRUE(label(h.label)->text().startsWith(QString::fromUtf8(h.startsWith))) << h.field;
        EXPECT_EQ(label(h.label)->width(), child(h.group)->width()) << h.field;
    }
}

TEST_F(ParameterPages, TheControllerModeShowsItsPictureBesideTheHint)
{
    setFlags(withBit(state.flagByteA(), flagA::dynamicMode, true), state.flagByteB());
    ASSERT_EQ(list("TPSterownika")->currentText(), "Dynamiczna");
    focus("TPSterownika");
    QLabel* hint = label("Komentarz1L");
    EXPECT_TRUE(hint->text().startsWith("Po przekroczeniu progu TPS-u attuator otwiera się do pozycji max"));
    EXPECT_EQ(hint->width(), static_cast<int>(std::trunc(child("GroupBox5")->width() / 1.7)));
    EXPECT_FALSE(child("ImageKoment1")->isVisible());
    EXPECT_FALSE(child("ImageKoment2")->isVisible());
    QWidget* picture = child("ImageKoment3");
    EXPECT_TRUE(picture->isVisible());
    EXPECT_EQ(picture->pos(), QPoint(hint->x() + hint->width() + 5, hint->y()));
    // The picture is drawn at its first showing: the mode's, at twice the size.
    EXPECT_EQ(label("ImageKoment3")->pixmap().toImage(), ui::modeCommentPicture(3, 2.0).toImage());

    // A resize while the mode has the focus lays the comment out again.
    pages->layout(1024, 768);
    EXPECT_EQ(hint->width(), static_cast<int>(std::trunc(child("GroupBox5")->width() / 1.7)));
    EXPECT_EQ(picture->pos(), QPoint(hint->x() + hint->width() + 5, hint->y()));

    focus("PCTps");
    EXPECT_FALSE(picture->isVisible());
    EXPECT_EQ(hint->width(), child("GroupBox2")->width());
}

TEST_F(ParameterPages, LayoutAppliesTheProportionalGeometryByName)
{
    DRAVINOR_SKIP_WITHOUT_REAL_FONTS();
    pages->layout(1024, 768);
    const int fontSize = ui::parameterPagesFontSize(1024, 768);
    const auto expected =
        ui::layoutParameterPages(1024, 768, edit("PCTps")->height(), QFontMetrics(child("GroupBox4")->font()).height());
    for (const char* name : {"GroupBox4", "PCTps", "ESLambda_2", "WCutOff", "ZapiszPar"}) {
        const ui::Geometry& g = expected.widgets.at(name);
        QWidget* widget = child(name);
        EXPECT_EQ(widget->geometry(), QRect(g.left, g.top, g.width, g.height)) << name;
        EXPECT_EQ(widget->font().pointSize(), g.fontSize) << name;
    }
    EXPECT_EQ(label("PCTpsL")->pos(), QPoint(expected.widgets.at("PCTpsL").left, expected.widgets.at("PCTpsL").top));
    EXPECT_EQ(label("Komentarz1L")->pos().y(), expected.widgets.at("Komentarz1L").top);
    EXPECT_EQ(label("Komentarz1L")->font().pointSize(), fontSize);
    EXPECT_TRUE(label("Komentarz1L")->font().bold());
}

// Captions and list texts used to shrink one by one, so one page mixed 6 to
// 16 points. Now each kind of text has one font per page, and at every
// shape every caption, list item and shown value fits its control.
TEST_F(ParameterPages, UnevenFontsAndCutTextsOnAPage)
{
    DRAVINOR_SKIP_WITHOUT_REAL_FONTS();
    const std::pair<int, int> sizes[] = {{640, 480}, {800, 600}, {1280, 1024}, {640, 900}, {1500, 560}, {1920, 1200}};
    for (const auto& [w, h] : sizes) {
        pages->layout(w, h);
        const std::string where = std::to_string(w) + "x" + std::to_string(h);
        for (QWidget* page : {tab1, tab2}) {
            std::set<int> captionSizes;
            std::set<int> listSizes;
            for (QGroupBox* group : page->findChildren<QGroupBox*>()) {
                for (QLabel* caption : group->findChildren<QLabel*>()) {
                    captionSizes.insert(caption->font().pointSize());
                    const QRect text(caption->pos(), QFontMetrics(caption->font()).size(0, caption->text()));
                    for (QWidget* field : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                        if (qobject_cast<QComboBox*>(field) || qobject_cast<QLineEdit*>(field)) {
                            EXPECT_FALSE(text.intersects(field->geometry()))
                                << where << " " << caption->objectName().toStdString() << " / "
                                << field->objectName().toStdString();
                        }
                    }
                }
                for (QComboBox* box : group->findChildren<QComboBox*>()) {
                    listSizes.insert(box->font().pointSize());
                    for (int i = 0; i < box->count(); ++i)
                        EXPECT_LE(QFontMetrics(box->font()).horizontalAdvance(box->itemText(i)), box->width() - 20)
                            << where << " " << box->objectName().toStdString();
                }
                for (QLineEdit* field : group->findChildren<QLineEdit*>())
                    EXPECT_LE(QFontMetrics(field->font()).horizontalAdvance("0,496"), field->width() - 8)
                        << where << " " << field->objectName().toStdString();
            }
            EXPECT_EQ(captionSizes.size(), 1u) << where;
            EXPECT_EQ(listSizes.size(), 1u) << where;
        }
        // The inert list is a row of its group now, inside it.
        EXPECT_EQ(list("MOAttuatora")->parentWidget(), child("GroupBox8")) << where;
        EXPECT_LE(list("MOAttuatora")->geometry().bottom(), child("GroupBox8")->height()) << where;
    }
}
