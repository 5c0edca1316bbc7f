#include "PageTestSupport.h"

#include <QWheelEvent>

#include <ostream>

using namespace dravinor;
using namespace dravinor::params;
using dravinor::testing::PagesOnLine;
using dravinor::testing::Writes;

namespace {

const QString cannotWrite = QStringLiteral("Nie mogę zapisać parametru ");

struct FieldLists : PagesOnLine {
    std::uint8_t flagA() const { return state.flagByteA(); }
    std::uint8_t flagB() const { return state.flagByteB(); }
};

}  // namespace

TEST_F(FieldLists, ACheckBoxWritesItsBitAndEnablesItsDependantsOnlyWhenTheWriteSucceeds)
{
    setFlags(withBit(flagA(), flagA::cutOff, false), flagB());
    ASSERT_FALSE(edit("OSDCutOff")->isEnabled());
    ASSERT_FALSE(label("IKDCutOffL")->isEnabled());

    controller.setSilent(true);
    click("WCutOff");
    EXPECT_FALSE(check("WCutOff")->isChecked());
    EXPECT_EQ(flagA() & flagA::cutOff, 0);
    EXPECT_FALSE(edit("IKDCutOff")->isEnabled());
    EXPECT_FALSE(edit("OSDCutOff")->isEnabled());
    EXPECT_FALSE(label("OSDCutOffL")->isEnabled());
    EXPECT_EQ(status[1], cannotWrite);

    controller.setSilent(false);
    clearFrames();
    click("WCutOff");
    EXPECT_TRUE(check("WCutOff")->isChecked());
    EXPECT_EQ(eepromWrites(), (Writes{{32, flagA()}}));
    EXPECT_NE(flagA() & flagA::cutOff, 0);
    EXPECT_TRUE(edit("IKDCutOff")->isEnabled());
    EXPECT_TRUE(label("OSDCutOffL")->isEnabled());
    // The click empties the hint, wrapped in the box's own group.
    EXPECT_EQ(label("Komentarz1L")->text(), "");
    EXPECT_EQ(label("Komentarz1L")->width(), child("GroupBox6")->width());
}

namespace {

struct FlagCase {
    const char* field;
    int address;
    bool flagA;
    std::uint8_t mask;
    int failureLine;  // 0: reverts silently
};

// A case is named after its field: left to GoogleTest, it would be named
// after its bytes, padding and pointer included, different in every build.
void PrintTo(const FlagCase& c, std::ostream* out)
{
    *out << c.field;
}

class FieldFlagLists : public PagesOnLine, public ::testing::WithParamInterface<FlagCase> {};

}  // namespace

// Each list that stands for one flag bit: the bit follows the item, the
// whole byte is written, a failure restores the item and the bit.
TEST_P(FieldFlagLists, WriteTheirByteAndRevertOnFailure)
{
    const FlagCase& c = GetParam();
    const auto flags = [this, &c] { return c.flagA ? state.flagByteA() : state.flagByteB(); };
    const int before = list(c.field)->currentIndex();
    choose(c.field, 1 - before);
    EXPECT_EQ((flags() & c.mask) != 0, before == 0);
    EXPECT_EQ(eepromWrites(), (Writes{{c.address, flags()}}));

    controller.setSilent(true);
    focus("RSLambda");  // the entry selection is taken again on the way back
    status.clear();
    choose(c.field, before);
    EXPECT_EQ(list(c.field)->currentIndex(), 1 - before);
    EXPECT_EQ((flags() & c.mask) != 0, before == 0);
    if (c.failureLine == 0)
        EXPECT_TRUE(status.empty());
    else
        EXPECT_EQ(status[c.failureLine], cannotWrite);
}

INSTANTIATE_TEST_SUITE_P(FieldCatalogue, FieldFlagLists,
                         ::testing::Values(FlagCase{"TCTps", 32, true, flagA::tpsRising, 0},
                                           FlagCase{"RObrotow", 32, true, flagA::rpmRising, 1},
                                           FlagCase{"TSRezerwy", 32, true, flagA::reserveGauge90R, 1},
                                           FlagCase{"TJazdy", 30, false, flagB::sportMode, 2},
                                           FlagCase{"DOAttuatoraCheck", 30, false, flagB::extraOpening, 2}));

TEST_F(FieldLists, TheTpsTypeCarriesTheMeterColoursEvenAfterARestore)
{
    choose("TCTps", 0);
    EXPECT_EQ(state.tpsColours().lower, colourRed);
    controller.setSilent(true);
    focus("RSLambda");
    choose("TCTps", 1);
    EXPECT_EQ(list("TCTps")->currentIndex(), 0);
    EXPECT_EQ(state.tpsColours().lower, colourRed);
}

TEST_F(FieldLists, ListsWithDependantsEnableThemAfterTheirWrite)
{
    choose("RObrotow", 1);
    EXPECT_FALSE(edit("DObrotow")->isEnabled());
    EXPECT_FALSE(label("DObrotowL")->isEnabled());
    // Changing the RPM type puts up the probe hint (as the controller's program does).
    EXPECT_EQ(label("Komentarz1L")->text(), "Wybierz rodzaj sondy lambda");
    choose("DOAttuatoraCheck", 0);
    EXPECT_FALSE(edit("DOAttuatora")->isEnabled());
    EXPECT_FALSE(edit("AVoltage")->isEnabled());
    choose("DOAttuatoraCheck", 1);
    EXPECT_TRUE(edit("AVoltage")->isEnabled());
    EXPECT_TRUE(label("DOAttuatoraL")->isEnabled());
}

TEST_F(FieldLists, AHalfVoltProbeTakesGroundEmulationAndWritesItWithTheProbe)
{
    list("RSYLambda")->setCurrentIndex(0);
    edit("PRLambda")->setText("1,2");
    choose("RSLambda", 2);  // "0,8-1,6 Rosnąca"
    EXPECT_EQ(list("RSYLambda")->currentIndex(), 1);
    EXPECT_TRUE(dialogs.questions.isEmpty());
    EXPECT_EQ(heardLetters(), "sRsRss");
    EXPECT_EQ(eepromWrites(), (Writes{{32, flagA()}, {27, 0}, {34, 2}, {35, 1}}));
    EXPECT_NE(flagA() & flagA::probeRising, 0);
    EXPECT_EQ(probeTypes.back(), 2);

    // Entering the emulation list applies the same rule, without a write.
    list("RSYLambda")->setCurrentIndex(0);
    clearFrames();
    focus("RSYLambda");
    EXPECT_EQ(list("RSYLambda")->currentIndex(), 1);
    EXPECT_TRUE(frames().empty());
}

TEST_F(FieldLists, TheEmulationWritesItsCodeFirstAndGatesTheRest)
{
    choose("RSYLambda", 2);  // relay
    EXPECT_EQ(eepromWrites(), (Writes{{27, 5}, {32, flagA()}, {34, 0}, {35, 2}}));

    controller.setSilent(true);
    focus("RSLambda");
    clearFrames();
    choose("RSYLambda", 0);
    EXPECT_EQ(list("RSYLambda")->currentIndex(), 2);
    EXPECT_EQ(status[1], cannotWrite);
    for (const auto& [address, value] : eepromWrites())
        EXPECT_EQ(address, 27);
}

TEST_F(FieldLists, AProbeOutsideTheThresholdAsksAndADeclineKeepsTheOldProbe)
{
    dialogs.answers = {false};
    choose("RSLambda", 3);  // the threshold 0,38 lies below 0,8
    EXPECT_EQ(dialogs.questions,
              QStringList{"Uwaga próg sondy lambda nie mieści się w zakresie 0.8-1.6 v. kontynuować ?"});
    EXPECT_EQ(list("RSLambda")->currentIndex(), 0);
    // Leaving square wave happened on the click, before the question.
    EXPECT_EQ(eepromWrites(), (Writes{{32, flagA()}, {27, 0}, {34, 0}, {35, 1}}));
    EXPECT_EQ(edit("PRLambda")->text(), "0,38");
}

TEST_F(FieldLists, TheControllerModeWritesBothFlagBytesAndShowsItsComment)
{
    choose("TPSterownika", 1);
    EXPECT_NE(flagB() & flagB::economyMaxOpeningMode, 0);
    EXPECT_EQ(flagA() & flagA::dynamicMode, 0);
    EXPECT_EQ(eepromWrites(), (Writes{{32, flagA()}, {30, flagB()}}));
    EXPECT_TRUE(child("ImageKoment2")->isVisible());
    EXPECT_FALSE(child("ImageKoment3")->isVisible());

    clearFrames();
    choose("TPSterownika", 2);
    EXPECT_NE(flagA() & flagA::dynamicMode, 0);
    EXPECT_EQ(flagB() & flagB::economyMaxOpeningMode, 0);
    EXPECT_TRUE(child("ImageKoment3")->isVisible());
    EXPECT_TRUE(
        label("Komentarz1L")->text().startsWith("Po przekroczeniu progu TPS-u attuator otwiera się do pozycji max"));
}

TEST_F(FieldLists, TheIgnitionTypeRewritesEveryRpmWordFromTheFieldsTexts)
{
    choose("RUZaplonowego", 0);  // one coil per cylinder: K = 19200
    EXPECT_EQ(state.ignitionConstant(), 19200.0f);
    EXPECT_EQ(eepromWrites(), (Writes{{13, 0},
                                      {14, 0x1B},
                                      {15, 0x45},  // 2200 RPM: 6981
                                      {18, 0x0A},
                                      {19, 0x00},  // 6000 RPM: 2560
                                      {22, 0x21},
                                      {23, 0x55},  // 1800 RPM: 8533
                                      {16, 0x01},
                                      {17, 0x4D},  // 7314 - 6981 = 333
                                      {33, 1}}));
    // The texts stay; only the stored periods follow the constant.
    EXPECT_EQ(edit("ODPBenzynaGas")->text(), "2200");
}

TEST_F(FieldLists, AFailedIgnitionWriteKeepsTheConstantAndStops)
{
    controller.setSilent(true);
    choose("RUZaplonowego", 0);
    EXPECT_EQ(list("RUZaplonowego")->currentIndex(), 2);
    EXPECT_EQ(state.ignitionConstant(), 4800.0f);
    EXPECT_EQ(status[1], cannotWrite);
    for (const auto& [address, value] : eepromWrites())
        EXPECT_EQ(address, 13);
}

TEST_F(FieldLists, TheFuelOverlapIsWrittenOnChangeAndAgainOnLeaving)
{
    choose("CNPaliw", 3);
    EXPECT_EQ(eepromWrites(), (Writes{{21, 9}}));
    press(Qt::Key_Tab);
    EXPECT_EQ(eepromWrites(), (Writes{{21, 9}, {21, 9}}));
}

TEST_F(FieldLists, TheSportModeTellsItsFailureOnTheSecondStatusLine)
{
    controller.setSilent(true);
    choose("TJazdy", 1);
    EXPECT_EQ(list("TJazdy")->currentIndex(), 0);
    EXPECT_EQ(status[2], cannotWrite);
    EXPECT_EQ(status.count(1), 0u);
    // The click empties the advanced page's hint.
    EXPECT_EQ(label("Komentarz2L")->text(), "");
}

TEST_F(FieldLists, TheWheelTurnsOnlyAListThatHasBeenEntered)
{
    focus("PRLambda");
    clearFrames();
    QComboBox* tps = list("TCTps");
    const QPoint centre = tps->rect().center();
    QWheelEvent wheel(centre, tps->mapToGlobal(centre), {}, {0, 120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QCoreApplication::sendEvent(tps, &wheel);
    EXPECT_EQ(tps->currentIndex(), 1);
    EXPECT_TRUE(frames().empty());
}
