#include "PageTestSupport.h"

#include "params/Encoders.h"
#include "ui/dialogs/Dialogs.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QMessageBox>

#include <algorithm>
#include <deque>

using namespace dravinor;
using dravinor::testing::PagesOnLine;
using dravinor::testing::Writes;

namespace {

// Answers real message boxes the moment they become active, as a user at
// the keyboard would, and keeps what they asked.
class BoxAnswerer final : public QObject {
public:
    std::deque<bool> answers;  // Yes when empty
    QStringList asked;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (box && event->type() == QEvent::WindowActivate) {
            asked << box->text();
            const bool yes = answers.empty() || answers.front();
            if (!answers.empty())
                answers.pop_front();
            QMetaObject::invokeMethod(
                box, [box, yes] { box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click(); },
                Qt::QueuedConnection);
        }
        return false;
    }
};

// The pages asking through real modal boxes: the window loses its
// activation while a box is up, and gets it back only after the box is gone.
struct PagesWithRealBoxes : PagesOnLine {
    BoxAnswerer answerer;
    std::unique_ptr<ui::MessageBoxDialogs> boxes;

    ui::Dialogs& pageDialogs() override
    {
        boxes = std::make_unique<ui::MessageBoxDialogs>(&window);
        return *boxes;
    }
    void SetUp() override
    {
        qApp->installEventFilter(&answerer);
        PagesOnLine::SetUp();
    }
    void TearDown() override
    {
        PagesOnLine::TearDown();
        qApp->removeEventFilter(&answerer);
    }
    // Enough rounds for a box to go, the window to come back and the focus to step on.
    static void settleBoxes()
    {
        for (int i = 0; i < 20; ++i)
            QCoreApplication::processEvents();
    }
    void enter()
    {
        QTest::keyClick(focused(), Qt::Key_Return);
        settleBoxes();
    }
};

struct PassOverCase {
    const char* field;
    const char* typed;
    bool answer;
    const char* shown;    // the warned field afterwards
    Writes warnedWrites;  // its own EEPROM writes
    const char* passedOver;
    Writes passedWrites;  // the passed-over field rewritten from its text
    const char* endsIn;
};

void PrintTo(const PassOverCase& c, std::ostream* os)
{
    *os << c.field << " <- \"" << c.typed << "\" answered " << (c.answer ? "Yes" : "No");
}

class WarningPassesOver : public PagesWithRealBoxes, public ::testing::WithParamInterface<PassOverCase> {};

}  // namespace

// Enter leaves the field, its warning's own Tab then passes over the next
// field, which is still left, and written, exactly once.
TEST_P(WarningPassesOver, TheFieldPassedOverIsLeftAndWrittenOnce)
{
    const PassOverCase& c = GetParam();
    const QString passedText = edit(c.passedOver)->text();
    type(c.field, QString::fromUtf8(c.typed));
    answerer.answers = {c.answer};
    clearFrames();
    enter();

    ASSERT_EQ(answerer.asked.size(), 1) << answerer.asked.join(" | ").toStdString();
    EXPECT_EQ(edit(c.field)->text(), QString::fromUtf8(c.shown));
    Writes expected = c.warnedWrites;
    expected.insert(expected.end(), c.passedWrites.begin(), c.passedWrites.end());
    EXPECT_EQ(eepromWrites(), expected);
    EXPECT_EQ(edit(c.passedOver)->text(), passedText);
    EXPECT_EQ(focusedName(), QString::fromLatin1(c.endsIn));
}

INSTANTIATE_TEST_SUITE_P(
    FieldCatalogue, WarningPassesOver,
    ::testing::Values(
        PassOverCase{"PCTps", "0", true, "0,00", {{2, 0}}, "ODPBenzynaGas", {{14, 0x06}, {15, 0xD1}}, "RObrotow"},
        PassOverCase{"PCTps", "12,9", true, "12,75", {{2, 255}}, "ODPBenzynaGas", {{14, 0x06}, {15, 0xD1}}, "RObrotow"},
        PassOverCase{"PCTps", "0", false, "1,40", {{2, 28}}, "ODPBenzynaGas", {{14, 0x06}, {15, 0xD1}}, "RObrotow"},
        PassOverCase{"ZPAttuatoraPow_1", "0", true, "0", {{6, 0}}, "ZPAttuatoraPow_2", {{5, 115}}, "PSAttuatoraPow"},
        PassOverCase{"ZPAttuatoraPow_1", "19", true, "19", {{6, 19}}, "ZPAttuatoraPow_2", {{5, 115}}, "PSAttuatoraPow"},
        PassOverCase{"PSAttuatoraPon", "20", true, "20", {{7, 20}}, "PAttuatoraPon", {{11, 75}}, "IKDCutOff"},
        PassOverCase{"PSAttuatoraPon", "999", true, "255", {{7, 255}}, "PAttuatoraPon", {{11, 75}}, "IKDCutOff"},
        PassOverCase{"IKDCutOff", "0", true, "0", {{24, 0}}, "OSDCutOff", {{22, 0x08}, {23, 0x55}}, "WCutOff"},
        PassOverCase{"IKDCutOff", "999", true, "255", {{24, 255}}, "OSDCutOff", {{22, 0x08}, {23, 0x55}}, "WCutOff"},
        PassOverCase{"BTps", "0", true, "0,00", {{12, 0}}, "CLambda", {{26, 3}}, "DOAttuatoraCheck"}));

// The delta's hysteresis is worked out from the switch-over text as it stands
// once that field has been left, even when a warning passed over it.
TEST_F(PagesWithRealBoxes, TheDeltaFollowsASwitchOverTextLeftByAWarningsStep)
{
    edit("ODPBenzynaGas")->setText("2345");
    type("PCTps", "0");
    clearFrames();
    enter();
    EXPECT_EQ(edit("ODPBenzynaGas")->text(), "2300");
    EXPECT_EQ(eepromWrites(), (Writes{{2, 0}, {14, 0x06}, {15, 0x85}}));

    focus("DObrotow");
    clearFrames();
    enter();
    const Writes heard = eepromWrites();
    ASSERT_EQ(heard.size(), 3u);
    // Switch-over at 2300, not the 2345 the field held before it was passed over.
    const std::uint16_t hysteresis = params::encodeSwitchOverHysteresis(2300, 100, state.ignitionConstant());
    EXPECT_EQ(heard, (Writes{{16, hysteresis >> 8}, {17, hysteresis & 0xFF}, {33, 1}}));
}

// Enter through both pages, warnings and all: every free-text field is left
// and written exactly once, the warned ones with their clamped values.
TEST_F(PagesWithRealBoxes, AnEnterWalkThroughBothPagesWritesEveryFieldOnce)
{
    const std::pair<const char*, const char*> warned[] = {
        {"PCTps", "0"}, {"ZPAttuatoraPow_1", "5"}, {"PSAttuatoraPon", "20"}, {"IKDCutOff", "999"}, {"BTps", "0"}};
    for (const auto& [name, text] : warned)
        edit(name)->setText(QString::fromLatin1(text));
    focus("RSLambda");
    clearFrames();
    // Check boxes take no Enter; the user tabs past them.
    for (int step = 0; step < 60; ++step) {
        if (qobject_cast<QCheckBox*>(focused())) {
            QTest::keyClick(focused(), Qt::Key_Tab);
            settleBoxes();
        } else {
            enter();
        }
        if (focusedName() == "RSLambda")
            break;
    }
    ASSERT_EQ(focusedName(), "RSLambda");
    EXPECT_EQ(answerer.asked.size(), 5);

    // Each free-text field's addresses once, plus the fuel overlap written on
    // leaving its list and the delta's hundreds.
    std::vector<int> expected{1, 29, 28, 2, 14, 15, 16, 17, 33, 21, 18, 19, 3,  6, 5,
                              4, 10, 9,  8, 7,  11, 24, 22, 23, 12, 26, 25, 31, 20};
    std::vector<int> written;
    for (const auto& [address, value] : eepromWrites())
        written.push_back(address);
    std::sort(expected.begin(), expected.end());
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, expected);

    const Writes heard = eepromWrites();
    const auto valueAt = [&heard](int address) {
        const auto it =
            std::find_if(heard.begin(), heard.end(), [address](const auto& w) { return w.first == address; });
        return it == heard.end() ? -1 : it->second;
    };
    EXPECT_EQ(valueAt(2), 0);
    EXPECT_EQ(valueAt(6), 5);
    EXPECT_EQ(valueAt(7), 20);
    EXPECT_EQ(valueAt(24), 255);
    EXPECT_EQ(edit("IKDCutOff")->text(), "255");
    EXPECT_EQ(valueAt(12), 0);
}

// Two warnings of one field step twice; the field each step passes over is
// left in turn, and its own warning's step follows after.
TEST_F(PagesWithRealBoxes, EveryStepOfSeveralWarningsLeavesTheFieldItPassesOver)
{
    edit("ZPAttuatoraPow_1")->setText("5");
    type("ZPAttuatoraPow_2", "10");  // below the start position and below 20
    clearFrames();
    enter();
    EXPECT_EQ(answerer.asked.size(), 3);  // two for the maximum, one for the start position
    EXPECT_EQ(eepromWrites(), (Writes{{5, 10}, {4, 100}, {10, 12}, {9, 70}}));
    EXPECT_EQ(focusedName(), "ZPAttuatoraPon_2");
}

// F2, 1000 in ODPBenzynaGas, a click on RObrotow, "Nie": the list's popup
// opened after the box. The click is spent on the warning: its owed step
// moves the focus on from the list, which neither opens nor writes.
TEST_F(PagesWithRealBoxes, AWarningRaisedByClickingAListLeftItsPopupOpen)
{
    type("ODPBenzynaGas", "1000");
    answerer.answers = {false};
    clearFrames();
    QTest::mouseClick(list("RObrotow"), Qt::LeftButton);
    settleBoxes();

    ASSERT_EQ(answerer.asked.size(), 1);
    EXPECT_EQ(answerer.asked.front(), QString::fromUtf8("Za niski próg przełączenia na RPM, kontynuować ?"));
    EXPECT_FALSE(list("RObrotow")->view()->isVisible());
    EXPECT_EQ(focusedName(), "DObrotow");
    // The declined value goes back to the entry text and is written; the list writes nothing.
    EXPECT_EQ(edit("ODPBenzynaGas")->text(), "2200");
    EXPECT_EQ(eepromWrites(), (Writes{{14, 0x06}, {15, 0xD1}}));
}

// A box clicked while leaving a warned field does not toggle either.
TEST_F(PagesWithRealBoxes, AWarningRaisedByClickingABoxLeavesTheBoxAsItWas)
{
    type("IKDCutOff", "0");
    clearFrames();
    const bool cutOff = check("WCutOff")->isChecked();
    QTest::mouseClick(check("WCutOff"), Qt::LeftButton, {}, QPoint(8, check("WCutOff")->height() / 2));
    settleBoxes();
    ASSERT_EQ(answerer.asked.size(), 1);
    EXPECT_EQ(check("WCutOff")->isChecked(), cutOff);
    EXPECT_EQ(eepromWrites(), (Writes{{24, 0}}));
}
