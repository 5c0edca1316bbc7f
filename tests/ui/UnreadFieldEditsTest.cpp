// Edits beside fields that have no value (not read from the controller):
// nothing worked out from a field that shows nothing may reach the
// controller, and what the fitter chose is written as usual.
#include "PageTestSupport.h"
#include "ui/pages/UnreadFieldMarks.h"

using namespace dravinor;
using dravinor::testing::PagesOnLine;
using dravinor::testing::Writes;

namespace {

struct UnreadFieldEdits : PagesOnLine {
    void markUnread(std::initializer_list<int> addresses)
    {
        for (int address : addresses)
            state.setUnread(address, true);
        pages->showParameters();
        clearFrames();
    }
};

}  // namespace

// Before, a probe type chosen beside an emulation list showing nothing wrote
// the emulation type as 255 and an emulation code made from it.
TEST_F(UnreadFieldEdits, ProbeTypeBesideAnUnreadEmulationWritesOnlyWhatFollowsFromIt)
{
    markUnread({35});
    ASSERT_EQ(list("RSYLambda")->currentIndex(), -1);
    choose("RSLambda", 1);
    EXPECT_EQ(eepromWrites(), (Writes{{32, state.flagByteA()}, {34, 1}}));
    EXPECT_EQ(state.flagByteA() & params::flagA::probeRising, 0) << "probe 1 falls";
    EXPECT_TRUE(ui::isMarkedUnread(list("RSYLambda")));

    markUnread({34});
    clearFrames();
    choose("RSYLambda", 2);
    EXPECT_EQ(eepromWrites(), (Writes{{35, 2}}));
    EXPECT_FALSE(ui::isMarkedUnread(list("RSYLambda")));
    EXPECT_EQ(list("RSYLambda")->currentIndex(), 2);
}

// The hysteresis is worked out from the switch-over speed: without it the
// controller keeps its own, and only the delta is written.
TEST_F(UnreadFieldEdits, DeltaBesideAnUnreadSwitchOverSpeedWritesOnlyTheDelta)
{
    markUnread({14});
    typeAndLeave("DObrotow", "300");
    EXPECT_EQ(eepromWrites(), (Writes{{33, 3}}));
    EXPECT_TRUE(edit("ODPBenzynaGas")->text().isEmpty());
}

// A new ignition type re-encodes every RPM field from its text; one showing
// nothing is left to the controller, and so is the delta's hysteresis.
TEST_F(UnreadFieldEdits, IgnitionTypeRewritesOnlyTheRpmFieldsThatHaveValues)
{
    markUnread({18, 33});
    choose("RUZaplonowego", 3);
    std::vector<int> addresses;
    for (const auto& [address, value] : eepromWrites())
        addresses.push_back(address);
    EXPECT_EQ(addresses, (std::vector<int>{13, 14, 15, 22, 23}));
}

// Leaving a range's half with a value must not fill the other, unread half
// with a default, nor pull this half to it.
TEST_F(UnreadFieldEdits, RangeHalfLeavesItsUnreadPartnerWithoutAValue)
{
    markUnread({5});
    typeAndLeave("ZPAttuatoraPow_1", "120");
    EXPECT_EQ(eepromWrites(), (Writes{{6, 120}}));
    EXPECT_TRUE(edit("ZPAttuatoraPow_2")->text().isEmpty());
    EXPECT_TRUE(ui::isMarkedUnread(edit("ZPAttuatoraPow_2")));

    // A declined warning takes an unread field back to no value, unwritten.
    markUnread({4});
    dialogs.answers = {false};
    typeAndLeave("PSAttuatoraPow", "1");
    EXPECT_FALSE(dialogs.questions.isEmpty());
    EXPECT_TRUE(edit("PSAttuatoraPow")->text().isEmpty());
    EXPECT_EQ(eepromWrites(), Writes{});
}

TEST_F(UnreadFieldEdits, FailedWriteLeavesTheFieldWithoutAValue)
{
    markUnread({26, 32});
    controller.setSilent(true);
    typeAndLeave("CLambda", "8");
    EXPECT_TRUE(edit("CLambda")->text().isEmpty());
    EXPECT_TRUE(ui::isMarkedUnread(edit("CLambda")));
    EXPECT_TRUE(state.isUnread(26));

    click("WCutOff");
    EXPECT_EQ(check("WCutOff")->checkState(), Qt::PartiallyChecked) << "back to neither state";
    EXPECT_TRUE(state.isUnread(32));
}
