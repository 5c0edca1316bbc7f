#include "lang/LanguageFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace dravinor::lang;
using Status = LanguageFileContent::Status;
namespace fs = std::filesystem;

namespace {

std::vector<std::pair<int, std::string>> pairs(const LanguageFileContent& content)
{
    std::vector<std::pair<int, std::string>> out;
    for (const auto& line : content.lines)
        out.emplace_back(line.key, line.text);
    return out;
}

using Pairs = std::vector<std::pair<int, std::string>>;

}  // namespace

TEST(LanguageFileParse, CommentsBlankAndShortLinesCarryNothing)
{
    EXPECT_TRUE(parseLanguageFile("# only a comment\n#10002 Pomoc\n").lines.empty());
    EXPECT_EQ(parseLanguageFile("# only a comment\n").status, Status::Read);
    // Blank lines (with or without CR) and lines too short for key and separator.
    EXPECT_TRUE(parseLanguageFile("\n\r\n1000\n10002\n").lines.empty());
    EXPECT_EQ(parseLanguageFile("\n\r\n1000\n10002\n").status, Status::Read);
    EXPECT_TRUE(parseLanguageFile("").lines.empty());
}

TEST(LanguageFileParse, TextIsTakenByteForByteAfterTheSixthCharacter)
{
    const auto content = parseLanguageFile("10002 Pomoc\n"
                                           "10003xParametry\n"  // the separator is dropped whatever it is
                                           "10004\tTab\n"
                                           "10005  Wizualizacja \n"  // a blank in position 7 and a trailing blank stay
                                           "10006 \n"                // key and separator only: empty text
                                           "10007 a#b \"c\" <i>\n");
    EXPECT_EQ(content.status, Status::Read);
    EXPECT_EQ(pairs(content), (Pairs{{10002, "Pomoc"},
                                     {10003, "Parametry"},
                                     {10004, "Tab"},
                                     {10005, " Wizualizacja "},
                                     {10006, ""},
                                     {10007, "a#b \"c\" <i>"}}));
}

TEST(LanguageFileParse, LineEndsCrBeforeLfAndTheLastLineWithoutLf)
{
    EXPECT_EQ(pairs(parseLanguageFile("10002 Pomoc\r\n10003 Dalej")), (Pairs{{10002, "Pomoc"}, {10003, "Dalej"}}));
    // Only the one CR before the line feed goes; a CR inside the text stays.
    EXPECT_EQ(pairs(parseLanguageFile("10002 a\rb\r\r\n")), (Pairs{{10002, "a\rb\r"}}));
    // Bytes above 127 are text like any other.
    EXPECT_EQ(pairs(parseLanguageFile("10002 \xB9z\n")), (Pairs{{10002, "\xB9z"}}));
}

// A NUL would show as a box glyph, and C strings would end there anyway.
TEST(LanguageFileParse, ANulEndsItsTextButNotTheLineOrTheFile)
{
    const std::string bytes("10002 Po\0moc\n10003 \0\n10004 Dalej\0\0\r\n10005 ok", 44);
    const auto content = parseLanguageFile(bytes);
    EXPECT_EQ(content.status, Status::Read);
    EXPECT_EQ(pairs(content), (Pairs{{10002, "Po"}, {10003, ""}, {10004, "Dalej"}, {10005, "ok"}}));
}

TEST(LanguageFileParse, EveryKeyIsKeptInFileOrderRepeatsIncluded)
{
    EXPECT_EQ(pairs(parseLanguageFile("40001 first\n99999 unknown\n40001 second\n00000 zero\n")),
              (Pairs{{40001, "first"}, {99999, "unknown"}, {40001, "second"}, {0, "zero"}}));
}

TEST(LanguageFileParse, AKeyThatIsNoDecimalNumberEndsTheReadingThere)
{
    for (const std::string bad : {"3000a", "-1234", " 3000", "+1234", "0x123",
                                  "\xEF\xBB\xBF"
                                  "10"}) {
        const auto content = parseLanguageFile("10002 Pomoc\n# note\n" + bad + " text\n10003 never\n");
        EXPECT_EQ(content.status, Status::BadKey) << bad;
        EXPECT_EQ(content.badKey, bad.substr(0, 5)) << bad;
        EXPECT_EQ(content.badLine, 3) << bad;
        EXPECT_EQ(pairs(content), (Pairs{{10002, "Pomoc"}})) << bad;
    }
}

TEST(LanguageFileRead, RefusesWhatIsNoReadableFileOfSensibleSize)
{
    const fs::path dir = fs::temp_directory_path() / ("dravinor-langfile-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    EXPECT_EQ(readLanguageFile(dir / "missing.txt").status, Status::CannotOpen);
    EXPECT_EQ(readLanguageFile(dir).status, Status::CannotOpen);

    const fs::path big = dir / "big.txt";
    {
        std::ofstream out(big, std::ios::binary);
        const std::string line = "10002 " + std::string(94, 'x') + "\n";
        for (std::size_t written = 0; written <= maxLanguageFileSize; written += line.size())
            out << line;
    }
    EXPECT_EQ(readLanguageFile(big).status, Status::TooLarge);

    const fs::path good = dir / "polski.txt";
    std::ofstream(good, std::ios::binary) << "# komentarz\r\n10002 Pomoc\r\n10003 Dalej";
    const auto content = readLanguageFile(good);
    EXPECT_EQ(content.status, Status::Read);
    EXPECT_EQ(pairs(content), (Pairs{{10002, "Pomoc"}, {10003, "Dalej"}}));

    if (::geteuid() != 0) {  // root reads whatever the mode says
        fs::permissions(good, fs::perms::none);
        EXPECT_EQ(readLanguageFile(good).status, Status::CannotOpen);
    }
    fs::remove_all(dir);
}

// A FIFO where a language file belongs would stop the window from starting.
TEST(LanguageFileRead, AFifoOrAFolderIsNotReadAndNothingWaits)
{
    const fs::path dir = fs::path(::testing::TempDir()) / ("dravinor-lang-fifo-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "folder.txt");
    ASSERT_EQ(::mkfifo((dir / "polski.txt").c_str(), 0600), 0);
    EXPECT_EQ(readLanguageFile(dir / "polski.txt").status, Status::CannotOpen);
    EXPECT_EQ(readLanguageFile(dir / "folder.txt").status, Status::CannotOpen);
    EXPECT_EQ(readLanguageFile("/dev/zero").status, Status::CannotOpen);
    fs::remove_all(dir);
}

// Texts saved as UTF-8 by an editor would be read as mojibake in the code page.
TEST(LanguageFileParse, AFileSavedAsUtf8IsMarkedAndLosesItsByteOrderMark)
{
    // "Справка" in UTF-8, as Notepad saves it: with a byte order mark before the first key.
    const auto withMark = parseLanguageFile("\xEF\xBB\xBF"
                                            "10002 \xD0\xA1\xD0\xBF\xD1\x80\xD0\xB0\xD0\xB2\xD0\xBA\xD0\xB0\n");
    EXPECT_EQ(withMark.status, Status::Read);
    EXPECT_EQ(withMark.encoding, TextEncoding::Utf8);
    EXPECT_EQ(pairs(withMark), (Pairs{{10002, "Справка"}}));

    const auto comment = parseLanguageFile("\xEF\xBB\xBF# język polski\n10002 Pomoc\n");
    EXPECT_EQ(comment.status, Status::Read);
    EXPECT_EQ(pairs(comment), (Pairs{{10002, "Pomoc"}}));

    // The same texts in their code pages are no UTF-8, and keep every byte.
    const auto russian = parseLanguageFile("10002 \xD1\xEF\xF0\xE0\xE2\xEA\xE0\n");
    EXPECT_EQ(russian.encoding, TextEncoding::CodePage);
    EXPECT_EQ(pairs(russian), (Pairs{{10002, "\xD1\xEF\xF0\xE0\xE2\xEA\xE0"}}));
    // Plain ASCII reads the same both ways; it stays with the code page.
    EXPECT_EQ(parseLanguageFile("10002 Pomoc\n").encoding, TextEncoding::CodePage);
    // A byte order mark alone does not make a Windows-1250 file UTF-8.
    EXPECT_EQ(parseLanguageFile("\xEF\xBB\xBF"
                                "10002 Pomoc \xB9\n")
                  .encoding,
              TextEncoding::CodePage);
}

TEST(TextEncoding, OnlyWellFormedMultiByteUtf8CountsAsUtf8)
{
    EXPECT_TRUE(isMultiByteUtf8("ą"));
    EXPECT_TRUE(isMultiByteUtf8("a€b"));
    EXPECT_TRUE(isMultiByteUtf8("\xF0\x9F\x98\x80"));  // four bytes
    EXPECT_TRUE(isMultiByteUtf8("\xF4\x8F\xBF\xBF"));  // U+10FFFF, the last code point
    EXPECT_FALSE(isMultiByteUtf8(""));
    EXPECT_FALSE(isMultiByteUtf8("ascii only"));
    for (const char* bad : {"\xC0\x80",          // overlong NUL
                            "\xC1\xBF",          // overlong
                            "\xE0\x9F\xBF",      // overlong three-byte form
                            "\xF0\x8F\xBF\xBF",  // overlong four-byte form
                            "\xED\xA0\x80",      // a surrogate
                            "\xF4\x90\x80\x80",  // above U+10FFFF
                            "\xF5\x80\x80\x80", "\xFF",
                            "\x80",             // a lone continuation byte
                            "\xC4",             // cut short at the end
                            "\xE2\x82",         // cut short at the end
                            "\xC4\x85\xB9",     // a good character, then a stray Windows-1250 byte
                            "\xE6\x9C\xEA"}) {  // "ćśę" in Windows-1250
        EXPECT_FALSE(isMultiByteUtf8(bad)) << testing::PrintToString(std::string(bad));
    }
}
