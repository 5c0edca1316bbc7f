#include "lang/TextSlots.h"
#include "TestLocations.h"
#include "lang/ControlTexts.h"
#include "lang/KeyTable.h"
#include "lang/LanguageFile.h"
#include "lang/ShownNumbers.h"
#include "lang/SingleByteDecoder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <vector>

using namespace dravinor::lang;

namespace {

std::size_t characters(const std::string& utf8)
{
    std::size_t count = 0;
    for (unsigned char c : utf8)
        count += (c & 0xC0) != 0x80;
    return count;
}

}  // namespace

TEST(TextSlots, EveryBuiltInTextFitsItsSlot)
{
    TextSlots slots;
    for (const SlotDefinition& row : slotDefinitions()) {
        EXPECT_LT(characters(row.builtIn), static_cast<std::size_t>(row.capacity)) << row.key;
        EXPECT_EQ(slots.text(row.key), row.builtIn);
    }
    EXPECT_EQ(slots.text(40105), "brak sterownika");
    EXPECT_EQ(slots.text(40111), "Nie mogę zapisać parametru ");
    EXPECT_EQ(slots.text(40207), slots.text(40210));
}

TEST(TextSlots, ALongTextIsCutAtACharacterBoundary)
{
    TextSlots slots;
    // 40100..40102 hold 28 characters; Cyrillic letters are two bytes each.
    const std::string russian = "Бензин/Автомат/Бензин/Автомат/Бензин";
    ASSERT_TRUE(slots.set(40101, russian));
    EXPECT_EQ(characters(slots.text(40101)), 28u);
    EXPECT_EQ(slots.text(40101), "Бензин/Автомат/Бензин/Автома");

    ASSERT_TRUE(slots.set(40105, "brak sterownika!"));
    EXPECT_EQ(slots.text(40105), "brak sterownika");
    ASSERT_TRUE(slots.set(40105, ""));
    EXPECT_EQ(slots.text(40105), "");

    EXPECT_EQ(cutToCharacters("ąę", 1), "ą");
    EXPECT_EQ(cutToCharacters("abc", 0), "");
    // A broken sequence never makes the cut read past the end.
    EXPECT_EQ(cutToCharacters("a\x80\x80", 1), "a\x80\x80");
}

// Slots are looked up by a binary search, so a block of keys added out of
// order would silently lose its texts.
// Before, the report's slots were named twice (the dialog's and the
// sheet's lists) and other dialogs kept lists of their own, so a slot could
// change number in one place only. Every name of a slot number now stands
// beside its built-in text's row, in lang/TextSlots.
TEST(TextSlots, SlotNumbersAreNamedOnlyInTheTextTable)
{
    namespace fs = std::filesystem;
    const std::regex named(R"(constexpr\s+(?:int|SlotText)\s+\w+\s*(?:=|\{)\s*(\d{5})\b)");
    std::vector<std::string> elsewhere;
    for (const char* folder : {"src", "cli", "app"}) {
        for (const auto& entry : fs::recursive_directory_iterator(fs::path(dravinor::testing::sourceDir()) / folder)) {
            const fs::path& file = entry.path();
            const std::string relative = fs::relative(file, dravinor::testing::sourceDir()).generic_string();
            if (relative.starts_with("src/lang/") || (file.extension() != ".h" && file.extension() != ".cpp"))
                continue;
            std::ifstream in(file);
            const std::string text{std::istreambuf_iterator<char>(in), {}};
            for (std::sregex_iterator it(text.begin(), text.end(), named), end; it != end; ++it)
                if (textSlots().has(std::stoi((*it)[1].str())))
                    elsewhere.push_back(relative + ": " + it->str());
        }
    }
    EXPECT_TRUE(elsewhere.empty()) << ::testing::PrintToString(elsewhere);
}

TEST(TextSlots, SlotsAreInKeyOrderSoEveryOneIsFound)
{
    const auto table = slotDefinitions();
    const TextSlots slots;
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (i > 0) {
            EXPECT_LT(table[i - 1].key, table[i].key);
        }
        EXPECT_TRUE(slots.has(table[i].key)) << table[i].key;
    }
}

TEST(TextSlots, OnlySlotKeysAreSlotsAndBuiltInsComeBack)
{
    TextSlots slots;
    for (int key : {0, 39999, 40036, 40106, 40113, 40221, 10002})
        EXPECT_FALSE(slots.set(key, "x")) << key;
    EXPECT_EQ(slots.text(40106), "");
    slots.set(40000, "zmienione");
    slots.restoreBuiltIn();
    EXPECT_EQ(slots.text(40000), "Wybierz rodzaj sondy lambda");
}

TEST(KeyTable, KeysAreOrderedAndNeverBothControlAndSlot)
{
    const auto table = keyTable();
    std::set<std::pair<int, std::string>> seen;
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (i > 0) {
            EXPECT_LE(table[i - 1].key, table[i].key);
        }
        EXPECT_TRUE(seen.insert({table[i].key, table[i].name}).second) << table[i].key;
        EXPECT_FALSE(TextSlots().has(table[i].key)) << table[i].key;
    }
    // The page keys name the menu item and the tab alike.
    ASSERT_EQ(targetsOf(10003).size(), 2u);
    EXPECT_STREQ(targetsOf(10003)[0].name, "ParametrysystemuF2");
    EXPECT_EQ(targetsOf(10003)[1].kind, TargetKind::Tab);
    EXPECT_EQ(targetsOf(10107).front().item, 5);
    EXPECT_TRUE(targetsOf(10013).empty());
    EXPECT_TRUE(targetsOf(40000).empty());
}

TEST(SingleByteDecoder, DecodesEachLanguagesCodePage)
{
    SingleByteDecoder polish(CodePage::Windows1250);
    EXPECT_EQ(polish.toUtf8("\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF \xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF"),
              "ąćęłńóśźż ĄĆĘŁŃÓŚŹŻ");
    SingleByteDecoder russian(CodePage::Windows1251);
    EXPECT_EQ(russian.toUtf8("\xCF\xEE\xEC\xEE\xF9\xFC \xB8\xA8"), "Помощь ёЁ");
    EXPECT_EQ(russian.toUtf8(""), "");
}

TEST(SingleByteDecoder, BytesWithoutACharacterNeverStopIt)
{
    SingleByteDecoder russian(CodePage::Windows1251);
    EXPECT_EQ(russian.toUtf8("a\x98z"), "a\xEF\xBF\xBDz");
    SingleByteDecoder polish(CodePage::Windows1250);
    EXPECT_EQ(polish.toUtf8("\x81\x98"), "\xEF\xBF\xBD\xEF\xBF\xBD");
    // A UTF-8 file read as Windows-1250 shows what the code page makes of it.
    EXPECT_EQ(polish.toUtf8("\xC4\x85"), "Ä…");
    // Long input crosses the converter's buffer.
    const std::string many(5000, '\xB9');
    std::string expected;
    for (int i = 0; i < 5000; ++i)
        expected += "ą";
    EXPECT_EQ(polish.toUtf8(many), expected);
}

// Numbers and units as the fitter's language writes them: the shipped
// Russian file gives its own unit letters, the comma stays, and what is no
// unit of the slots passes as it is.
TEST(ShownNumbers, TheLanguageFileGivesTheSeparatorAndTheUnits)
{
    using dravinor::lang::Unit;
    EXPECT_EQ(dravinor::lang::decimalText(0.448, 2), "0,45");
    EXPECT_EQ(dravinor::lang::decimalText(-0.004, 2), "0,00") << "a reading at zero shows no sign";
    EXPECT_EQ(dravinor::lang::decimalText(-1.5, 1), "-1,5");
    EXPECT_EQ(dravinor::lang::unitText(Unit::Volt), "V");
    const auto content = dravinor::lang::readLanguageFile(std::filesystem::path(dravinor::testing::sourceDir()) /
                                                          "lang" / "russian.txt");
    const dravinor::lang::ControlTexts russian(content, dravinor::lang::CodePage::Windows1251);
    EXPECT_EQ(dravinor::lang::unitText(Unit::Volt), "В");
    EXPECT_EQ(dravinor::lang::unitInLanguage("/s"), "/с");
    EXPECT_EQ(dravinor::lang::unitInLanguage("RPM"), "об/мин");
    EXPECT_EQ(dravinor::lang::unitInLanguage("°C"), "°C");
    EXPECT_EQ(dravinor::lang::decimalText(12.3, 1), "12,3");
    dravinor::lang::textSlots().set(dravinor::lang::slot::numbers::decimalSeparator, ".");
    EXPECT_EQ(dravinor::lang::decimalText(12.3, 1), "12.3") << "a language of the point would have it";
    dravinor::lang::textSlots().restoreBuiltIn();
}
