// The language files and help documents shipped beside the program, checked
// as the program will meet them: raw bytes in their own code pages.

#include "TestLocations.h"
#include "lang/LanguageFile.h"
#include "lang/SingleByteDecoder.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::filesystem::path sourceDir{dravinor::testing::sourceDir()};

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << "cannot open " << path;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every key the program applies, runs of consecutive keys as first..last.
struct KeyRun {
    int first;
    int last;
};
// The runs keep their groups and comments.
// clang-format off
constexpr KeyRun knownKeys[] = {
    {10001, 10012}, {10100, 10107}, {10201, 10204}, {10301, 10301}, {10401, 10401}, {11000, 11000},
    {11100, 11102}, {11201, 11201}, {12000, 12000}, {12101, 12101}, {12201, 12203}, {12301, 12301},
    {12401, 12401}, {12501, 12501}, {12601, 12601}, {12701, 12707}, {12801, 12801}, {12901, 12901},
    {13000, 13000}, {13101, 13101}, {13201, 13201}, {13301, 13301}, {14000, 14000}, {14101, 14101},
    {14201, 14201}, {14301, 14301}, {15000, 15000}, {15101, 15101}, {15201, 15201}, {15301, 15301},
    {16101, 16104}, {16201, 16203}, {17101, 17101}, {17201, 17201}, {17301, 17303}, {17401, 17401},
    {17501, 17501}, {17601, 17601}, {17701, 17703}, {18000, 18000}, {20001, 20005}, {21001, 21002},
    {21005, 21016}, {30000, 30005}, {30007, 30011}, {30101, 30106}, {31002, 31002}, {31101, 31106},
    {32000, 32005}, {32007, 32015}, {33002, 33009}, {33012, 33015}, {34000, 34008},
    {35000, 35013}, {40000, 40035}, {40100, 40105}, {40107, 40112}, {40200, 40220},
    {50000, 50006},
    {50300, 50308}, {50310, 50312}, {50320, 50323},
    {50200, 50201}, {50210, 50220},
    {50100, 50120},  // the write journal
    {51000, 51006},  // values the controller did not give
    {51050, 51055}, {51060, 51063},  // bulk-write results, journal marks
    {51100, 51104},  // the wizard's line notices, the adaptation's refusals, stale live readings
    {51150, 51154}, {51160, 51167}, {51170, 51173}, {51180, 51180},  // journal files, file status, ports
    {51200, 51206}, {51250, 51255}, {51260, 51262},  // captions and messages without a key before
    {51300, 51300}, {51310, 51331},  // the files used last, a recording that cannot be played
    {51400, 51405}, {51410, 51415},  // the lambda probe check
    {51420, 51422}, {51425, 51425},  // the trace's context menu and its failed save
    {51430, 51469},                  // the customer's report
    {51470, 51477},                  // the adapter unplugged and back
    {51480, 51487},                  // a controller without a clean identity, a read that stopped early
    {51500, 51507},                  // a save refused for what holds the name
    {51530, 51541},                  // the probe's threshold, a probe failed in the adaptation
    {51560, 51570},                  // backups before bulk writes, and their undo
    {51605, 51613},                  // the trace's kept picture, its samples offered to a replay
    {51615, 51619},                  // how numbers and units are written
    {51620, 51625},                  // the report's words, measured figures, appendix, file name
    {51640, 51704},                  // the car book: menu item, window, outcomes, records, writes
};
// clang-format on

std::set<int> expectedKeys()
{
    std::set<int> keys;
    for (const KeyRun& run : knownKeys)
        for (int key = run.first; key <= run.last; ++key)
            keys.insert(key);
    return keys;
}

// Text slots hold their text and a terminating zero.
struct SlotRun {
    int first;
    int last;
    std::size_t capacity;
};
// clang-format off
constexpr SlotRun slotRuns[] = {
    {40000, 40035, 399}, {40100, 40102, 29}, {40103, 40104, 39},
    {40105, 40105, 15},  {40107, 40112, 99}, {40200, 40220, 199},
    {50001, 50001, 199}, {50002, 50005, 99}, {50006, 50006, 199},
    {50301, 50306, 99},  {50307, 50307, 199}, {50308, 50308, 99}, {50310, 50311, 299},
    {50312, 50312, 199}, {50320, 50323, 99},
    {50210, 50220, 99},
    {50101, 50102, 99},  {50103, 50111, 59}, {50112, 50116, 199}, {50117, 50120, 59},
    {51000, 51000, 299}, {51001, 51001, 199}, {51002, 51004, 299}, {51005, 51005, 199}, {51006, 51006, 99},
    {51050, 51053, 199}, {51054, 51055, 99}, {51060, 51063, 99},
    {51102, 51102, 199}, {51103, 51103, 299},
    {51150, 51150, 299}, {51151, 51152, 99}, {51153, 51153, 59}, {51154, 51154, 299},
    {51160, 51167, 199}, {51170, 51173, 199}, {51180, 51180, 299},
    {51250, 51252, 199}, {51253, 51253, 29}, {51254, 51255, 99}, {51260, 51261, 199}, {51262, 51262, 99},
    {51310, 51329, 199}, {51330, 51331, 99},
    {51410, 51415, 99}, {51425, 51425, 199},
    {51431, 51440, 99}, {51441, 51444, 199}, {51445, 51448, 99}, {51449, 51450, 199}, {51451, 51455, 99},
    {51456, 51456, 299}, {51457, 51463, 99}, {51464, 51465, 199}, {51466, 51468, 99},
    {51469, 51469, 299},
    {51470, 51470, 199}, {51471, 51471, 99}, {51472, 51474, 199}, {51475, 51475, 99}, {51476, 51477, 199},
    {51480, 51480, 99},  {51481, 51485, 199}, {51486, 51486, 99},  {51487, 51487, 199},
    {51500, 51506, 199}, {51507, 51507, 299},
    {51530, 51532, 299}, {51533, 51534, 99}, {51535, 51536, 299}, {51537, 51538, 199}, {51539, 51539, 99},
    {51540, 51541, 199},
    {51560, 51563, 199}, {51564, 51566, 299}, {51567, 51567, 199}, {51568, 51568, 99}, {51569, 51570, 199},
    {51605, 51609, 99},  {51610, 51612, 199}, {51613, 51613, 299},
    {51615, 51615, 4}, {51616, 51619, 19}, {51620, 51621, 19}, {51622, 51622, 99},
    {51623, 51623, 299}, {51624, 51624, 99}, {51625, 51625, 19},
    {51641, 51656, 99},  {51657, 51658, 199}, {51659, 51664, 99}, {51665, 51666, 199}, {51667, 51667, 299},
    {51668, 51674, 199}, {51675, 51676, 299}, {51677, 51686, 199}, {51687, 51687, 299}, {51688, 51688, 199},
    {51689, 51689, 299}, {51690, 51690, 199}, {51691, 51691, 299}, {51692, 51697, 199}, {51698, 51699, 99},
    {51700, 51702, 199}, {51703, 51703, 99}, {51704, 51704, 199},
};
// clang-format on
// "brak sterownika" fills slot 40105 to the last byte, terminator aside.
constexpr int fullSlotKey = 40105;

struct KeyedLine {
    int key;
    std::string text;
    int lineNumber;
};

struct ParsedFile {
    std::vector<KeyedLine> keyed;
    std::vector<std::string> errors;
};

// A line is a comment ("#...") or five decimal digits, one blank and the text.
ParsedFile parseLanguageFile(const std::string& bytes)
{
    ParsedFile parsed;
    if (bytes.empty() || bytes.back() != '\n')
        parsed.errors.push_back("the last line has no line feed");
    std::istringstream in(bytes);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const std::string where = "line " + std::to_string(number) + ": ";
        if (line.find('\r') != std::string::npos)
            parsed.errors.push_back(where + "carriage return");
        else if (line.empty())
            parsed.errors.push_back(where + "blank line");
        else if (line[0] == '#')
            continue;
        else if (line.size() < 6 ||
                 !std::all_of(line.begin(), line.begin() + 5, [](char c) { return c >= '0' && c <= '9'; }))
            parsed.errors.push_back(where + "no five-digit key: " + line);
        else if (line[5] != ' ')
            parsed.errors.push_back(where + "the key is not followed by one blank");
        else
            parsed.keyed.push_back({std::stoi(line.substr(0, 5)), line.substr(6), number});
    }
    return parsed;
}

// The text in UTF-8, or an explanation why the bytes are not text of that code page.
bool decode(const std::string& bytes, const char* codePage, std::string& utf8, std::string& problem)
{
    iconv_t converter = iconv_open("UTF-8", codePage);
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        problem = std::string("iconv does not know ") + codePage;
        return false;
    }
    std::string input = bytes;
    std::string output(input.size() * 4 + 4, '\0');
    char* in = input.data();
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    const std::size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
    const int error = errno;
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1)) {
        const std::size_t offset = input.size() - inLeft;
        problem = "undecodable byte at offset " + std::to_string(offset) + " (errno " + std::to_string(error) + ")";
        return false;
    }
    output.resize(output.size() - outLeft);
    utf8 = output;
    return true;
}

struct LanguageFileCase {
    const char* fileName;
    const char* codePage;
    const char* cannotWriteUtf8;  // slot 40111 as the fitter reads it
};

void PrintTo(const LanguageFileCase& file, std::ostream* out)
{
    *out << file.fileName;
}

class ShippedLanguageFile : public testing::TestWithParam<LanguageFileCase> {
protected:
    std::string bytes() const { return readFile(sourceDir / "lang" / GetParam().fileName); }
};

TEST_P(ShippedLanguageFile, EveryLineIsACommentOrAKeyedLineWithUniqueKnownKeys)
{
    const ParsedFile parsed = parseLanguageFile(bytes());
    for (const std::string& error : parsed.errors)
        ADD_FAILURE() << error;

    const std::set<int> expected = expectedKeys();
    std::map<int, int> firstLine;
    for (const KeyedLine& line : parsed.keyed) {
        EXPECT_TRUE(expected.count(line.key)) << "unknown key " << line.key << " on line " << line.lineNumber;
        const auto [it, inserted] = firstLine.emplace(line.key, line.lineNumber);
        EXPECT_TRUE(inserted) << "key " << line.key << " on lines " << it->second << " and " << line.lineNumber;
    }
    for (int key : expected)
        EXPECT_TRUE(firstLine.count(key)) << "key " << key << " missing";
}

TEST_P(ShippedLanguageFile, DecodesInItsCodePageAsTheFitterShouldReadIt)
{
    const std::string raw = bytes();
    std::string utf8, problem;
    ASSERT_TRUE(decode(raw, GetParam().codePage, utf8, problem)) << problem;

    // A file saved as UTF-8 by mistake still decodes, into mojibake.
    const std::string expectedLine = std::string("\n40111 ") + GetParam().cannotWriteUtf8 + "\n";
    EXPECT_NE(utf8.find(expectedLine), std::string::npos) << "slot 40111 does not read as it should";
}

TEST_P(ShippedLanguageFile, SlotTextsFitTheirSlots)
{
    const ParsedFile parsed = parseLanguageFile(bytes());
    for (const KeyedLine& line : parsed.keyed) {
        for (const SlotRun& run : slotRuns) {
            if (line.key < run.first || line.key > run.last)
                continue;
            const std::size_t limit = line.key == fullSlotKey ? run.capacity : run.capacity - 1;
            EXPECT_LE(line.text.size(), limit) << "slot " << line.key << " holds at most " << limit << " bytes";
        }
    }
}

// The reader must never take a shipped file for UTF-8, and must read one
// that an editor re-saved as UTF-8 into the very same texts.
TEST_P(ShippedLanguageFile, IsReadInItsCodePageAndAlikeWhenResavedAsUtf8)
{
    namespace lang = dravinor::lang;
    const std::string raw = bytes();
    const auto shipped = lang::parseLanguageFile(raw);
    ASSERT_EQ(shipped.status, lang::LanguageFileContent::Status::Read);
    EXPECT_EQ(shipped.encoding, lang::TextEncoding::CodePage);

    std::string utf8, problem;
    ASSERT_TRUE(decode(raw, GetParam().codePage, utf8, problem)) << problem;
    const auto resaved = lang::parseLanguageFile("\xEF\xBB\xBF" + utf8);
    ASSERT_EQ(resaved.status, lang::LanguageFileContent::Status::Read);
    EXPECT_EQ(resaved.encoding, lang::TextEncoding::Utf8);
    lang::SingleByteDecoder decoder(std::string(GetParam().codePage) == "WINDOWS-1250" ? lang::CodePage::Windows1250
                                                                                       : lang::CodePage::Windows1251);
    ASSERT_EQ(resaved.lines.size(), shipped.lines.size());
    for (std::size_t i = 0; i < shipped.lines.size(); ++i) {
        EXPECT_EQ(resaved.lines[i].key, shipped.lines[i].key);
        EXPECT_EQ(resaved.lines[i].text, decoder.toUtf8(shipped.lines[i].text)) << shipped.lines[i].key;
    }
}

INSTANTIATE_TEST_SUITE_P(LanguageFiles, ShippedLanguageFile,
                         testing::Values(LanguageFileCase{"polski.txt", "WINDOWS-1250", "Nie mogę zapisać parametru "},
                                         LanguageFileCase{"russian.txt", "WINDOWS-1251", "Не могу записать параметр "}),
                         [](const testing::TestParamInfo<LanguageFileCase>& test) {
                             return std::string(test.param.codePage).substr(8);
                         });

// The program appends to the texts that end in a blank; an editor that trims
// lines would glue the words together.
TEST(LanguageFiles, TranslationKeepsTheTrailingBlanksOfThePolishTexts)
{
    std::map<int, std::string> polish;
    for (const KeyedLine& line : parseLanguageFile(readFile(sourceDir / "lang" / "polski.txt")).keyed)
        polish[line.key] = line.text;
    ASSERT_FALSE(polish.empty());
    EXPECT_EQ(polish[40111].back(), ' ');

    for (const KeyedLine& line : parseLanguageFile(readFile(sourceDir / "lang" / "russian.txt")).keyed) {
        const std::string& original = polish[line.key];
        const bool polishBlank = !original.empty() && original.back() == ' ';
        const bool russianBlank = !line.text.empty() && line.text.back() == ' ';
        EXPECT_EQ(russianBlank, polishBlank) << "key " << line.key;
    }
}

// F1 opens the help of the language at the adaptation topic; links stay inside the document.
TEST(HelpDocuments, OpenAtTheAdaptationTopicAndLinkOnlyWithin)
{
    for (const char* name : {"RODADIDOROR_PL.html", "Rodadidoror_ru.html"}) {
        SCOPED_TRACE(name);
        const std::string html = readFile(sourceDir / "help" / name);
        std::string utf8, problem;
        EXPECT_TRUE(decode(html, "UTF-8", utf8, problem)) << problem;
        EXPECT_NE(html.find("<a name=\"IDH_210\"></a>"), std::string::npos);

        std::set<std::string> anchors;
        const std::regex anchor(R"#((?:name|id)="([^"]+)")#");
        for (auto it = std::sregex_iterator(html.begin(), html.end(), anchor); it != std::sregex_iterator(); ++it)
            anchors.insert((*it)[1]);
        const std::regex link(R"#(href="([^"]*)")#");
        for (auto it = std::sregex_iterator(html.begin(), html.end(), link); it != std::sregex_iterator(); ++it) {
            const std::string target = (*it)[1];
            ASSERT_FALSE(target.empty());
            EXPECT_EQ(target[0], '#') << "link out of the document: " << target;
            EXPECT_TRUE(anchors.count(target.substr(1))) << "no anchor for " << target;
        }
        // Pictures beside the document, small PNG files, so that the help
        // viewer finds them wherever the help is installed.
        const std::regex picture(R"#(<img src="([^"]*)")#");
        for (auto it = std::sregex_iterator(html.begin(), html.end(), picture); it != std::sregex_iterator(); ++it) {
            const std::string file = (*it)[1];
            SCOPED_TRACE(file);
            ASSERT_EQ(file.find('/'), std::string::npos) << "not beside the document";
            const std::string png = readFile(sourceDir / "help" / file);
            EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
            EXPECT_LT(png.size(), 100u * 1024);
        }
    }
}

}  // namespace

namespace {

std::map<int, std::string> textsOf(const char* fileName, const char* codePage)
{
    std::map<int, std::string> texts;
    for (const KeyedLine& line : parseLanguageFile(readFile(sourceDir / "lang" / fileName)).keyed) {
        std::string utf8, problem;
        EXPECT_TRUE(decode(line.text, codePage, utf8, problem)) << problem;
        texts[line.key] = utf8;
    }
    return texts;
}

}  // namespace

// The shipped Polish file is data and reads better than the built-in texts;
// a file restored from an old copy would bring the misspellings back.
TEST(LanguageFiles, ThePolishFileKeepsItsCorrectedSpelling)
{
    const auto polish = textsOf("polski.txt", "WINDOWS-1250");
    for (const char* wrong :
         {"opóżnienie",    "szybkosć",  "napewno",    "kontynuowac",   "Zaplon",     "przelacz",  "przełacz",
          "powyzej",       "ponizej",   "Ilosc",      "cylindrow",     "nakladania", "ukladu",    "Poczatek",
          "ustawic",       "jalowego",  "parametrow", "nagrzania sie", "Prosze ",    "przejscia", "jezyki",
          "rozdzielczosc", "BEZWLADNO", "moge",       "otworzyc"}) {
        for (const auto& [key, text] : polish)
            EXPECT_EQ(text.find(wrong), std::string::npos) << key << ": " << text;
    }
    // Each actuator-speed hint names its own range.
    EXPECT_NE(polish.at(40016).find("wysokich"), std::string::npos);
    EXPECT_NE(polish.at(40020).find("niskich"), std::string::npos);
}

// One term per thing: what the help calls a control is what the screen
// (the language file) shows on it.
TEST(HelpDocuments, NameTheControlsAsTheLanguageFilesShowThem)
{
    struct Help {
        const char* document;
        const char* languageFile;
        const char* codePage;
    };
    const int quotedKeys[] = {10006, 10009, 10010, 12401, 13000, 14000, 15101, 17101, 20002, 20003, 21005, 21008,
                              34003, 40105, 40107, 40112, 50100, 50102, 50200, 50201, 50300, 51104, 51200, 51201,
                              51206, 51300, 51400, 51401, 51402, 51403, 51404, 51405, 51410, 51411, 51412, 51413,
                              51414, 51415, 51420, 51421, 51422, 51430, 51431, 51432, 51433, 51434, 51435, 51436,
                              51437, 51438, 51439, 51444, 51445, 51454, 51468, 51471};
    for (const Help& help : {Help{"RODADIDOROR_PL.html", "polski.txt", "WINDOWS-1250"},
                             Help{"Rodadidoror_ru.html", "russian.txt", "WINDOWS-1251"}}) {
        SCOPED_TRACE(help.document);
        const std::string html = readFile(sourceDir / "help" / help.document);
        const auto texts = textsOf(help.languageFile, help.codePage);
        for (int key : quotedKeys) {
            std::string text = texts.at(key);
            // Trailing blanks and colons belong to the screen, not the sentence.
            while (!text.empty() && (text.back() == ' ' || text.back() == ':'))
                text.pop_back();
            EXPECT_NE(html.find(text), std::string::npos) << key << " \"" << text << "\" is not named in the help";
        }
    }
}
