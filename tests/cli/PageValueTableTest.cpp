// read, show and write print a set as the pages show it: one language, the
// pages' captions and list items, and unread values marked, never shown.

#include "PageValueTable.h"
#include "DiffPrinter.h"
#include "TestLocations.h"

#include "lang/TextSlots.h"
#include "params/ParameterDecoder.h"
#include "params/ParameterState.h"
#include "params/ParameterTable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <vector>

using namespace dravinor;

namespace {

params::ParameterBlock defaultSet()
{
    params::ParameterState state;
    state.loadDefaults();
    return state.block();
}

std::vector<std::string> lines(const std::string& table)
{
    std::vector<std::string> rows;
    std::istringstream in(table);
    for (std::string line; std::getline(in, line);)
        rows.push_back(line);
    return rows;
}

// The row of a field (or of a hidden value, by its caption).
std::string rowOf(const std::string& table, const std::string& start)
{
    for (const std::string& line : lines(table))
        if (line.starts_with(start + " "))
            return line;
    return {};
}

}  // namespace

TEST(PageValueTable, CaptionsAndItemsAreThePagesAndNoEnglishMeaningIsLeft)
{
    const std::string table = cli::pageValueTable(cli::PolishTexts{}, defaultSet());
    EXPECT_NE(rowOf(table, "RUZaplonowego").find("Rodzaj ukladu zapłonowego"), std::string::npos) << table;
    EXPECT_NE(rowOf(table, "RUZaplonowego").find("4 cylindry"), std::string::npos);
    EXPECT_NE(rowOf(table, "TJazdy").find("Wyłączony"), std::string::npos);
    EXPECT_NE(rowOf(table, "WCTemperatury").find("[x]"), std::string::npos);
    EXPECT_NE(rowOf(table, "ODPBenzynaGas").find("2200 RPM"), std::string::npos);
    // The values no field shows have Polish names too.
    EXPECT_NE(table.find("Kod wyjścia emulacji"), std::string::npos);
    // The English meanings of the old listing mix no more into the table.
    for (const auto& row : params::decodeParameters(defaultSet()))
        EXPECT_EQ(table.find(row.meaning), std::string::npos) << row.meaning;
    EXPECT_EQ(table.find("yes"), std::string::npos);
    EXPECT_EQ(table.find("rising"), std::string::npos);
}

TEST(PageValueTable, ColumnsLineUpWhateverPolishLettersACaptionHolds)
{
    const std::string table = cli::pageValueTable(cli::PolishTexts{}, defaultSet());
    const std::string header = lines(table).front();
    ASSERT_TRUE(header.starts_with("field ")) << header;
    // The value column starts at one character position in every row, ł and ą included.
    const std::size_t valueColumn = cli::displayWidth(header.substr(0, header.find("value")));
    for (const auto& [field, value] : {std::pair{"RSLambda", "0-1 [V]"},
                                       {"RSYLambda", "Fala Prostokątna"},
                                       {"TPWStopniach", "0 °C"},
                                       {"TJazdy", "Wyłączony"}}) {
        const std::string row = rowOf(table, field);
        EXPECT_EQ(cli::displayWidth(row.substr(0, row.find(value))), valueColumn) << row;
    }
}

TEST(PageValueTable, WithTheShippedPolishFileTheCaptionsHaveTheirPolishLetters)
{
    const auto texts =
        cli::PolishTexts::fromFile(std::filesystem::path(dravinor::testing::sourceDir()) / "lang" / "polski.txt");
    ASSERT_TRUE(texts.fromFile());
    const std::string table = cli::pageValueTable(texts, defaultSet());
    EXPECT_NE(rowOf(table, "TPWStopniach").find("Temperatura przełączenia"), std::string::npos) << table;
    EXPECT_NE(rowOf(table, "IKDCutOff").find("Ilość kroków dla cut off"), std::string::npos);
    EXPECT_NE(table.find("Silnik powyżej TPS: "), std::string::npos);
    EXPECT_EQ(table.find("powyzej"), std::string::npos) << "no built-in caption is left";
    // The wizard's words come from the same file.
    EXPECT_EQ(texts.wizardText(wizard::WizardControl::TpsIdlePrompt), "Proszę ustawić obroty biegu jałowego");
    EXPECT_EQ(texts.pageCaption(wizard::WizardPage::Start), "Początek");
    lang::textSlots().restoreBuiltIn();
}

TEST(PageValueTable, WithoutTheLanguageFileTheBuiltInCaptionsStand)
{
    const auto texts = cli::PolishTexts::fromFile("/nonexistent/polski.txt");
    EXPECT_FALSE(texts.fromFile());
    EXPECT_NE(rowOf(cli::pageValueTable(texts, defaultSet()), "TPWStopniach").find("Temperatura przełaczenia"),
              std::string::npos);
    EXPECT_EQ(texts.wizardText(wizard::WizardControl::TpsIdlePrompt), "Proszę ustawic obroty biegu jalowego");
}

TEST(PageValueTable, UnreadValuesSayNoAnswerAndShowNothingOfTheBlock)
{
    auto block = defaultSet();
    block.setParameter(params::Address(7), 71);
    params::AddressSet unread;
    unread.set(7);
    const std::string table = cli::pageValueTable(cli::PolishTexts{}, block, unread);
    const std::string row = rowOf(table, "PSAttuatoraPon");
    EXPECT_NE(row.find("no answer"), std::string::npos) << row;
    EXPECT_EQ(row.find("71"), std::string::npos) << row;
    EXPECT_EQ(rowOf(table, "PSAttuatoraPow").find("no answer"), std::string::npos);

    // The RPM words rest on the ignition type as well.
    params::AddressSet noIgnition;
    noIgnition.set(13);
    const std::string rpm = cli::pageValueTable(cli::PolishTexts{}, block, noIgnition);
    EXPECT_NE(rowOf(rpm, "RUZaplonowego").find("no answer"), std::string::npos);
    EXPECT_NE(rowOf(rpm, "ODPBenzynaGas").find("? (no answer for the ignition type)"), std::string::npos)
        << rowOf(rpm, "ODPBenzynaGas");
    EXPECT_NE(rowOf(rpm, "ODPBenzynaGas").find("1745"), std::string::npos) << "its own word was read";

    // The controller mode takes a bit of each flag byte.
    params::AddressSet noFlagB;
    noFlagB.set(30);
    EXPECT_NE(rowOf(cli::pageValueTable(cli::PolishTexts{}, block, noFlagB), "TPSterownika").find("no answer"),
              std::string::npos);
}

TEST(PageValueTable, OnlyKeepsTheRowsOfTheGivenAddresses)
{
    params::AddressSet acknowledged;
    acknowledged.set(1);
    acknowledged.set(14);
    const auto rows = lines(cli::pageValueTable(cli::PolishTexts{}, defaultSet(), {}, &acknowledged));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_TRUE(rows[1].starts_with("PRLambda ")) << rows[1];
    EXPECT_TRUE(rows[2].starts_with("ODPBenzynaGas ")) << rows[2];
}

TEST(DiffPrinter, AValueNoFieldShowsIsNamedInThePagesLanguage)
{
    auto changed = defaultSet();
    changed.setParameter(params::Address(27), 5);
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(cli::printDifferences(cli::PolishTexts{}, defaultSet(), changed, "a", "b"), 1);
    const std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("-      Kod wyjścia emulacji"), std::string::npos) << out;
    EXPECT_EQ(out.find("Emulation output code"), std::string::npos) << out;
}

// The differences speak the words show and read speak: the file's captions,
// not the built-in ones without their Polish letters.
TEST(DiffPrinter, WithTheShippedPolishFileTheCaptionsAreItsWords)
{
    const auto texts =
        cli::PolishTexts::fromFile(std::filesystem::path(dravinor::testing::sourceDir()) / "lang" / "polski.txt");
    ASSERT_TRUE(texts.fromFile());
    auto changed = defaultSet();
    const auto temperature = params::address::switchOverTemperature;
    changed.setParameter(temperature, static_cast<std::uint8_t>(changed.get(temperature) + 10));
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(cli::printDifferences(texts, defaultSet(), changed, "a", "b"), 1);
    const std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("TPWStopniach  Temperatura przełączenia"), std::string::npos) << out;
    EXPECT_NE(out.find(" °C"), std::string::npos) << out;
    lang::textSlots().restoreBuiltIn();
}
