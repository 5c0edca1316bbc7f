#include "PageTestSupport.h"

#include <QClipboard>
#include <QGuiApplication>

using namespace dravinor;
using dravinor::testing::PagesOnLine;
using dravinor::testing::Writes;

namespace {

const QString probeRange01 = QStringLiteral("Uwaga próg sondy lambda nie jest w zakresie 0-1 v. kontynuować ?");
const QString probeRange0816 =
    QStringLiteral("Uwaga próg sondy lambda nie mieści się w zakresie 0.8-1.6 v. kontynuować ?");
const QString switchTooLow = QStringLiteral("Za niski próg przełączenia na RPM, kontynuować ?");
const QString switchTooHigh = QStringLiteral("Za wysoki próg przełączenia na RPM, kontynuować ?");
const QString startOutOfRange = QStringLiteral("Pozycja startowa silnika krokowego jest poza zakresem, kontynuować ?");
const QString cannotWrite = QStringLiteral("Nie mogę zapisać parametru ");

struct EntryCase {
    const char* field;
    const char* typed;
    int probeType;       // RSLambda's item while typing
    const char* shown;   // what the field shows afterwards
    Writes firstWrites;  // the EEPROM writes the controller hears first
    QStringList questions;
};

void PrintTo(const EntryCase& c, std::ostream* os)
{
    *os << c.field << " <- \"" << c.typed << "\"";
}

}  // namespace

using FieldTextEntry = PagesOnLine;

class FieldEntry : public PagesOnLine, public ::testing::WithParamInterface<EntryCase> {};

// Typed, encoded, redisplayed, warned about and written as each field's
// encoding says; every warning here is answered Yes.
TEST_P(FieldEntry, EncodesRedisplaysAndWrites)
{
    const EntryCase& c = GetParam();
    list("RSLambda")->setCurrentIndex(c.probeType);
    typeAndLeave(c.field, QString::fromUtf8(c.typed));
    EXPECT_EQ(edit(c.field)->text(), QString::fromUtf8(c.shown));
    EXPECT_EQ(dialogs.questions, c.questions);
    const Writes heard = eepromWrites();
    ASSERT_GE(heard.size(), c.firstWrites.size());
    EXPECT_EQ(Writes(heard.begin(), heard.begin() + static_cast<long>(c.firstWrites.size())), c.firstWrites);
    EXPECT_TRUE(dialogs.conversionErrors.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    FieldCatalogue, FieldEntry,
    ::testing::Values(
        // Steps: rounded to the step and shown with a decimal comma.
        EntryCase{"PCTps", "1.23", 0, "1,25", {{2, 25}}, {}}, EntryCase{"PCTps", "", 0, "1,4", {{2, 28}}, {}},
        EntryCase{"PCTps", "0", 0, "0,00", {{2, 0}}, {"Próg tps-u ustawiony za nisko,  kontynuowac ?"}},
        EntryCase{"PCTps", "12,7", 0, "12,70", {{2, 254}}, {"Próg tps-u ustawiony za wysoko, kontynuowac ?"}},
        EntryCase{"PRLambda", "9", 4, "4,90", {{1, 245}}, {}}, EntryCase{"PRLambda", "0.05", 4, "0,10", {{1, 5}}, {}},
        EntryCase{"PRLambda", "", 2, "1,2", {{1, 60}}, {}}, EntryCase{"PRLambda", "", 5, "2,54", {{1, 127}}, {}},
        EntryCase{"PRLambda", "1,5", 0, "1,50", {{1, 75}}, {probeRange01}},
        EntryCase{"BTps", "0,7", 0, "0,50", {{12, 10}}, {}},
        EntryCase{"BTps", "0", 0, "0,00", {{12, 0}}, {"Bezwładność TPS-u ustawiona na 0, kontynuować ?"}},
        EntryCase{"AVoltage", "", 0, "1,45", {{25, 29}}, {}}, EntryCase{"ESLambda_1", "2", 0, "2,000", {{29, 125}}, {}},
        // Hundreds, halves, degrees: the remainder is dropped.
        EntryCase{"ODPBenzynaGas", "1234", 0, "1200", {{14, 0x0C}, {15, 0x80}}, {switchTooLow}},
        EntryCase{"ODPBenzynaGas", "9999", 0, "4000", {{14, 0x03}, {15, 0xC0}}, {switchTooHigh}},
        EntryCase{"ODPBenzynaGas", "2345", 0, "2300", {{14, 0x06}, {15, 0x85}}, {}},
        EntryCase{
            "MONGaz", "4999", 0, "4500", {{18, 0x03}, {19, 0x55}}, {"Za małe dozwolone max. RPM., kontynuować ?"}},
        EntryCase{"MONGaz", "9999", 0, "9000", {{18, 0x01}, {19, 0xAA}}, {}},
        EntryCase{"OSDCutOff",
                  "1200",
                  0,
                  "1200",
                  {{22, 0x0C}, {23, 0x80}},
                  {"Za mała wartość RPM dla CUTOFF-a, kontynuować ?"}},
        EntryCase{"TPWStopniach", "50", 0, "49", {{3, 132}}, {}},
        EntryCase{"TPWStopniach", "99", 0, "92", {{3, 152}}, {}},
        EntryCase{"CLambda", "509", 0, "508", {{26, 254}}, {"Bardzo długi czas zimnej lambdy, kontynuować ?"}},
        EntryCase{"CLambda", "7", 0, "6", {{26, 3}}, {}},
        // Plain bytes clamp silently to their own limits.
        EntryCase{
            "PAttuatoraPow", "0", 0, "1", {{10, 1}}, {"Duża szybkosć silnika krokowego powyżej TPS-u, kontynuować ?"}},
        EntryCase{"PAttuatoraPon",
                  "999",
                  0,
                  "255",
                  {{11, 255}},
                  {"Mała szybkosć silnika krokowego poniżej TPS-u, kontynuować ?"}},
        EntryCase{"DOAttuatora", "99", 0, "50", {{31, 50}}, {}}, EntryCase{"RPMSignal", "1", 0, "2", {{20, 2}}, {}},
        EntryCase{"IKDCutOff", "", 0, "70", {{24, 70}}, {}},
        // Pairs: the maximum never stays below the minimum.
        EntryCase{"ZPAttuatoraPow_1", "200", 0, "115", {{6, 115}}, {}},
        // The focus then moves on through PSAttuatoraPow, now above the maximum.
        EntryCase{"ZPAttuatoraPow_2", "50", 0, "85", {{5, 85}}, {startOutOfRange, startOutOfRange}},
        EntryCase{"ZPAttuatoraPon_1", "5", 0, "5", {{9, 5}}, {startOutOfRange}},
        EntryCase{"ESLambda_2", "0,3", 0, "0,496", {{28, 31}}, {}},
        EntryCase{"PSAttuatoraPow", "200", 0, "200", {{4, 200}}, {startOutOfRange}}));

TEST_F(FieldTextEntry, AnRpmWordIsWrittenHighByteFirstEachWithItsRamRefresh)
{
    typeAndLeave("ODPBenzynaGas", "2500");  // period 3840000 / 2500 = 1536 = 0x0600
    const auto heard = frames();
    ASSERT_GE(heard.size(), 4u);
    EXPECT_EQ(heard[0], link::buildFrame('s', 14, 0x06, 0));
    // The RAM word of 14 still carries the old low byte (2200 RPM: 0x06D1).
    EXPECT_EQ(heard[1], link::buildFrame('R', 50, 0x06, 0xD1));
    EXPECT_EQ(heard[2], link::buildFrame('s', 15, 0x00, 0));
    EXPECT_EQ(heard[3], link::buildFrame('R', 51, 0x00, state.block().get(16)));
    EXPECT_EQ(controller.eeprom()[14], 0x06);
    EXPECT_EQ(controller.eeprom()[15], 0x00);
}

TEST_F(FieldTextEntry, TheDeltaWritesTheHysteresisThenItsHundredsToEepromOnly)
{
    typeAndLeave("DObrotow", "250");
    EXPECT_EQ(edit("DObrotow")->text(), "200");
    // rpmToPeriod(2200 - 200) - rpmToPeriod(2200) = 1920 - 1745 = 175
    EXPECT_EQ(heardLetters(), "sRsRs");
    EXPECT_EQ(eepromWrites(), (Writes{{16, 0}, {17, 175}, {33, 2}}));
}

TEST_F(FieldTextEntry, ADeclinedWarningRestoresTheEntryTextAndWritesIt)
{
    dialogs.answers = {false};
    typeAndLeave("ODPBenzynaGas", "1234");
    EXPECT_EQ(dialogs.questions, QStringList{switchTooLow});
    EXPECT_EQ(edit("ODPBenzynaGas")->text(), "2200");
    const Writes heard = eepromWrites();
    ASSERT_GE(heard.size(), 2u);
    EXPECT_EQ(heard[0], std::make_pair(14, 0x06));  // 2200 RPM = 1745 = 0x06D1
    EXPECT_EQ(heard[1], std::make_pair(15, 0xD1));
}

TEST_F(FieldTextEntry, TheLambdaThresholdIsJudgedOnTheTypedValueAgainstTheProbe)
{
    list("RSLambda")->setCurrentIndex(3);  // "1,6-0,8 Malejąca"
    dialogs.answers = {false};
    type("PRLambda", "0.5");
    EXPECT_EQ(edit("PRLambda")->text(), "0,5");
    press(Qt::Key_Tab);
    EXPECT_EQ(dialogs.questions, QStringList{probeRange0816});
    EXPECT_EQ(edit("PRLambda")->text(), "0,38");
    EXPECT_EQ(eepromWrites(), (Writes{{1, 19}}));
    EXPECT_EQ(state.lambdaThreshold(), 19);
    // No warning moves the focus for this field.
    EXPECT_EQ(focusedName(), "RSYLambda");
}

TEST_F(FieldTextEntry, WarningsMoveTheFocusOneControlFurtherWhereTheCatalogueSaysSo)
{
    typeAndLeave("PCTps", "0");
    settle();
    // Tab went to ODPBenzynaGas, the warning's own move to RObrotow.
    EXPECT_EQ(focusedName(), "RObrotow");
    EXPECT_EQ(state.tpsSectorTop(), 0);

    dialogs.questions.clear();
    typeAndLeave("OSDCutOff", "1200");
    settle();
    EXPECT_EQ(dialogs.questions.size(), 1);
    EXPECT_EQ(focusedName(), "WCutOff");
}

TEST_F(FieldTextEntry, FailedWritesRestoreTheEntryText)
{
    controller.setSilent(true);
    typeAndLeave("PCTps", "2");
    EXPECT_EQ(edit("PCTps")->text(), "1,40");
    EXPECT_EQ(status[1], cannotWrite);
    EXPECT_EQ(eepromWrites().front(), std::make_pair(2, 40));

    // The maximum RPM reverts without a text of its own, and its low byte is
    // never sent after a failed high byte.
    type("MONGaz", "7000");
    status.clear();
    clearFrames();
    press(Qt::Key_Tab);
    EXPECT_EQ(edit("MONGaz")->text(), "6000");
    EXPECT_TRUE(status.empty());
    for (const auto& [address, value] : eepromWrites())
        EXPECT_EQ(address, 18);
}

TEST_F(FieldTextEntry, AMalformedDecimalIsRefusedWithoutEncodingOrWriting)
{
    for (const char* typed : {"1,,2", ",", "1.2."}) {
        dialogs.conversionErrors.clear();
        type("PCTps", typed);
        clearFrames();
        press(Qt::Key_Tab);
        const QString expected = QString::fromLatin1(typed).replace('.', ',');
        EXPECT_EQ(dialogs.conversionErrors, QStringList{expected}) << typed;
        EXPECT_EQ(edit("PCTps")->text(), expected);
        EXPECT_TRUE(frames().empty()) << typed;
    }
}

TEST_F(FieldTextEntry, KeyFiltersSwallowWhatCannotBeTypedButNotTheEditingKeys)
{
    type("ODPBenzynaGas", "2a.5x00");
    EXPECT_EQ(edit("ODPBenzynaGas")->text(), "2500");
    QTest::keyClick(focused(), Qt::Key_Backspace);
    QTest::keyClick(focused(), Qt::Key_Home);
    QTest::keyClicks(focused(), "3");
    EXPECT_EQ(edit("ODPBenzynaGas")->text(), "3250");

    type("PCTps", "1.5x");
    EXPECT_EQ(edit("PCTps")->text(), "1,5");
    type("TPWStopniach", "123");  // two characters at most
    EXPECT_EQ(edit("TPWStopniach")->text(), "12");
}

TEST_F(FieldTextEntry, PastedTextIsHeldToTheSameRule)
{
    type("PCTps", "");
    QGuiApplication::clipboard()->setText("4a");
    QTest::keyClick(focused(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit("PCTps")->text(), "");
    QGuiApplication::clipboard()->setText("2.5");
    QTest::keyClick(focused(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit("PCTps")->text(), "2,5");

    type("ODPBenzynaGas", "");
    QGuiApplication::clipboard()->setText("2.5");
    QTest::keyClick(focused(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit("ODPBenzynaGas")->text(), "");
}

TEST_F(FieldTextEntry, LeavingAnEmptyHalfOfAPairFillsBothHalves)
{
    edit("ZPAttuatoraPon_2")->clear();
    typeAndLeave("ZPAttuatoraPon_1", "");
    EXPECT_EQ(edit("ZPAttuatoraPon_1")->text(), "70");
    EXPECT_EQ(edit("ZPAttuatoraPon_2")->text(), "100");
    EXPECT_EQ(eepromWrites().front(), std::make_pair(9, 70));

    edit("ESLambda_1")->clear();
    typeAndLeave("ESLambda_2", "2");
    EXPECT_EQ(edit("ESLambda_1")->text(), "0,496");
    EXPECT_EQ(edit("ESLambda_2")->text(), "2,000");
}

TEST_F(FieldTextEntry, TabbingThroughAFieldRewritesItUnchanged)
{
    focus("CLambda");
    clearFrames();
    press(Qt::Key_Tab);
    EXPECT_EQ(edit("CLambda")->text(), "6");
    EXPECT_EQ(eepromWrites(), (Writes{{26, 3}}));
    EXPECT_EQ(focusedName(), "DOAttuatoraCheck");
}
