// The small conversions the book relies on: registration keys and base64.
#include "book/Base64.h"
#include "book/Registration.h"
#include "book/TextFold.h"

#include <gtest/gtest.h>

namespace dravinor::book {
namespace {

TEST(RegistrationKey, IgnoresSpacesDashesAndCase)
{
    EXPECT_EQ(registrationKey("wx 1234-a"), "WX1234A");
    EXPECT_EQ(registrationKey(" WX1234A "), "WX1234A");
    EXPECT_EQ(registrationKey("Kr-9\tAb1"), "KR9AB1");
    EXPECT_EQ(registrationKey(" - "), "");
}

TEST(RegistrationKey, UpperCasesCyrillicAndKeepsOtherLetters)
{
    EXPECT_EQ(registrationKey("а123вс 77"), "А123ВС77");
    EXPECT_EQ(registrationKey("р001ру"), "Р001РУ");
    EXPECT_EQ(registrationKey("ёя"), "ЁЯ");
    // Polish plates carry no diacritics; such letters stay as typed.
    EXPECT_EQ(registrationKey("łódź"), "łóDź");
}

TEST(RegistrationKey, KeepsACutUtf8SequenceWhole)
{
    const std::string cut = "AB\xD0";
    EXPECT_EQ(registrationKey(cut), cut);
}

TEST(SearchFold, MakesEveryCapitalOfPolishRussianAndLatin1Small)
{
    EXPECT_EQ(foldedForSearch("ĄĆĘŁŃÓŚŹŻ ąćęłńóśźż"), "ąćęłńóśźż ąćęłńóśźż");
    EXPECT_EQ(foldedForSearch("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"), "абвгдеёжзийклмнопрстуфхцчшщъыьэюя");
    EXPECT_EQ(foldedForSearch("ÄÖÜ ß ŠČŘŽ × Ÿ"), "äöü ß ščřž × ÿ");
}

TEST(SearchFold, KeepsWhatItDoesNotKnowAndBrokenBytesAsTheyAre)
{
    EXPECT_EQ(foldedForSearch("€ 中"), "€ 中");
    EXPECT_EQ(foldedForSearch("A\xC5"), "a\xC5") << "a cut sequence at the end";
    EXPECT_EQ(foldedForSearch("\xC5"
                              "A\xFF"),
              "\xC5"
              "a\xFF");
}

TEST(Base64, RoundTripsEveryLengthAroundAGroup)
{
    std::vector<std::uint8_t> bytes;
    for (int length = 0; length < 70; ++length) {
        const auto decoded = fromBase64(toBase64(bytes));
        ASSERT_TRUE(decoded) << length;
        EXPECT_EQ(*decoded, bytes) << length;
        bytes.push_back(static_cast<std::uint8_t>(length * 37 + 200));
    }
}

TEST(Base64, MatchesTheStandardsExamples)
{
    const std::string text = "foobar";
    const auto of = [&](std::size_t n) { return toBase64({reinterpret_cast<const std::uint8_t*>(text.data()), n}); };
    EXPECT_EQ(of(0), "");
    EXPECT_EQ(of(1), "Zg==");
    EXPECT_EQ(of(2), "Zm8=");
    EXPECT_EQ(of(3), "Zm9v");
    EXPECT_EQ(of(6), "Zm9vYmFy");
}

TEST(Base64, RefusesWhatIsNotWholePaddedBase64)
{
    for (const char* bad : {"Zg", "Zg=", "Z===", "Zm9v\n", "Zm-v", "Zg==Zg==", "=Zg=", "Zm=v"})
        EXPECT_FALSE(fromBase64(bad)) << bad;
}

}  // namespace
}  // namespace dravinor::book
