// A fitter at the keyboard of the whole window on the simulated controller:
// no key reaches a button that writes the whole set or switches the fuel,
// and a choice made with the keys in an open list is the choice a click
// makes, with the same frames on the wire.

#include "FrameLog.h"
#include "WindowOnLine.h"
#include "fields/FieldCatalogue.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <set>

using namespace dravinor;

namespace {

const char* const speedButtons[] = {"ResButt", "ZapPlik", "OdczPlik", "ZapiszPar", "OdczytPar"};

struct FittersKeyboard : dravinor::testing::WindowOnLine {
    void SetUp() override
    {
        startActive();
        controller.clearReceivedFrames();
    }
    // Every frame but the live page's polls, as text.
    std::string heardWrites() const
    {
        dravinor::testing::FrameLog log;
        for (const auto& frame : controller.receivedFrames())
            if (frame.bytes[0] != 'V')
                log.add(frame.bytes);
        return log.text();
    }
    // The EEPROM addresses written that no text field of the advanced page
    // owns: leaving one of those fields writes it again, nothing else may.
    std::set<int> writesBeyondTheAdvancedFields() const
    {
        std::set<int> own;
        for (const fields::TextField& field : fields::textFields())
            if (field.group == fields::advancedGroup)
                own.insert(field.address.number());
        std::set<int> beyond;
        for (const auto& frame : controller.receivedFrames())
            if (frame.bytes[0] == 's' && !own.count(frame.bytes[1]))
                beyond.insert(frame.bytes[1]);
        return beyond;
    }
    QComboBox* list(const char* name) const { return child<QComboBox>(name); }
    // Opens a list as a click on it does.
    void openWithTheMouse(const char* name)
    {
        QTest::mouseClick(list(name), Qt::LeftButton);
        QCoreApplication::processEvents();
        ASSERT_TRUE(list(name)->view()->isVisible()) << name;
    }
    void pressInOpenList(const char* name, Qt::Key key)
    {
        QTest::keyClick(list(name)->view(), key);
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
    // The list's own answer to a click on one of its items.
    void clickItem(const char* name, int item)
    {
        QComboBox* combo = list(name);
        combo->setFocus(Qt::MouseFocusReason);
        combo->setCurrentIndex(item);
        emit combo->activated(item);
        QCoreApplication::processEvents();
    }
};

}  // namespace

// "Reset Parametrów" replaced the car's calibration after F3, Tab x6, Space.
TEST_F(FittersKeyboard, ResetParametrowNeverFiresFromTabAndSpace)
{
    press(Qt::Key_F3);
    for (int i = 0; i < 6; ++i)
        press(Qt::Key_Tab);
    press(Qt::Key_Space);
    EXPECT_EQ(writesBeyondTheAdvancedFields(), std::set<int>{});
    if (QWidget* popup = QApplication::activePopupWidget())
        popup->close();  // Space opened a list

    // Round the whole page and back: the focus never rests on a button.
    QStringList walked;
    for (int i = 0; i < 30; ++i) {
        press(Qt::Key_Tab);
        walked << focusName();
    }
    for (const char* button : speedButtons) {
        EXPECT_FALSE(walked.contains(QString::fromLatin1(button))) << button;
        EXPECT_EQ(child<QPushButton>(button)->focusPolicy(), Qt::NoFocus) << button;
    }
    EXPECT_TRUE(walked.contains("BTps") && walked.contains("MOAttuatora")) << walked.join(' ').toStdString();
    EXPECT_EQ(writesBeyondTheAdvancedFields(), std::set<int>{});

    // The mouse still presses them.
    QTest::mouseClick(child<QPushButton>("ZapiszPar"), Qt::LeftButton);
    EXPECT_EQ(writesBeyondTheAdvancedFields().size(), 30u);
}

// Tab and Space on the live page switched the car between petrol and gas.
TEST_F(FittersKeyboard, TheLivePagesFuelSwitchNeverTakesTabAndSpace)
{
    press(Qt::Key_F4);
    liveFor(100);
    QStringList walked;
    for (int i = 0; i < 12; ++i) {
        press(Qt::Key_Tab);
        walked << focusName();
        press(Qt::Key_Space);
    }
    EXPECT_FALSE(walked.contains("SwitchVIZ")) << walked.join(' ').toStdString();
    EXPECT_EQ(heardWrites(), "");

    QTest::mouseClick(child<QToolButton>("SwitchVIZ"), Qt::LeftButton);
    EXPECT_NE(heardWrites().find("r 7d fe"), std::string::npos) << heardWrites();
}

// F2, click RObrotow, Up, Enter: the list still showed its first item and
// nothing was written. The choice now puts on the wire what a click on the
// same item puts there, and the focus moves on.
TEST_F(FittersKeyboard, AKeyboardChoiceInAnOpenListIsNotThrownAway)
{
    press(Qt::Key_F2);
    clickItem("RObrotow", 1);  // "RPM rosnące"
    controller.clearReceivedFrames();

    openWithTheMouse("RObrotow");
    EXPECT_EQ(heardWrites(), "") << "opening the list writes nothing";
    pressInOpenList("RObrotow", Qt::Key_Up);
    EXPECT_EQ(list("RObrotow")->currentIndex(), 1) << "the arrow only highlights";
    pressInOpenList("RObrotow", Qt::Key_Return);
    const std::string byKeys = heardWrites();
    EXPECT_FALSE(list("RObrotow")->view()->isVisible());
    EXPECT_EQ(list("RObrotow")->currentIndex(), 0);
    EXPECT_EQ(focusName(), "DObrotow");  // enabled by the choice, and next in turn
    EXPECT_NE(byKeys, "");

    // The same choice by a click, from the same state.
    clickItem("RObrotow", 1);
    controller.clearReceivedFrames();
    clickItem("RObrotow", 0);
    EXPECT_EQ(heardWrites(), byKeys);
}

TEST_F(FittersKeyboard, EscapeClosesAnOpenListWithoutAWrite)
{
    press(Qt::Key_F2);
    child("TPSterownika")->setFocus(Qt::MouseFocusReason);
    controller.clearReceivedFrames();
    openWithTheMouse("TPSterownika");
    const int shown = list("TPSterownika")->currentIndex();
    pressInOpenList("TPSterownika", Qt::Key_Down);
    pressInOpenList("TPSterownika", Qt::Key_Escape);
    EXPECT_FALSE(list("TPSterownika")->view()->isVisible());
    EXPECT_EQ(list("TPSterownika")->currentIndex(), shown);
    EXPECT_EQ(focusName(), "TPSterownika");
    EXPECT_EQ(heardWrites(), "");
}
