// A recording --replay cannot play: the box says why in the window's
// language only, and keeps the long header out of its lines.
#include "ui/recording/ReplayProblem.h"
#include "TestLocations.h"
#include "lang/LanguageFile.h"
#include "lang/SingleByteDecoder.h"
#include "lang/TextSlots.h"
#include "live/TraceHistory.h"
#include "params/LiveCsv.h"

#include <QDir>
#include <QMessageBox>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace dravinor;
using params::LiveCsvError;
using params::LiveCsvFault;
using params::LiveCsvValue;

namespace {

LiveCsvError parsed(const std::string& text)
{
    std::vector<params::LiveSample> samples;
    LiveCsvError error;
    EXPECT_FALSE(params::parseLiveCsv(text, samples, error));
    return error;
}

// Every fault the reader can report, each with what it carries.
std::vector<LiveCsvError> everyFault()
{
    std::vector<LiveCsvError> errors;
    for (auto fault : {LiveCsvFault::Missing, LiveCsvFault::Folder, LiveCsvFault::NotAFile, LiveCsvFault::TooLarge,
                       LiveCsvFault::Empty, LiveCsvFault::NoPolls, LiveCsvFault::TimeGoesBack})
        errors.push_back({.line = 3, .fault = fault});
    errors.push_back({.fault = LiveCsvFault::CannotOpen, .systemText = "Permission denied"});
    errors.push_back({.fault = LiveCsvFault::CannotRead, .systemText = "Input/output error"});
    errors.push_back({.line = 1, .fault = LiveCsvFault::WrongHeader, .text = "Czas;Lambda"});
    errors.push_back({.line = 1, .fault = LiveCsvFault::WrongHeader, .text = "# Dravinor trace samples"});
    errors.push_back({.line = 2, .fault = LiveCsvFault::ColumnCount, .columns = 16});
    errors.push_back({.line = 2, .fault = LiveCsvFault::ColumnCount, .columns = 18});
    for (auto value : {LiveCsvValue::Seconds, LiveCsvValue::ZeroOrOne, LiveCsvValue::Byte, LiveCsvValue::StatusByte,
                       LiveCsvValue::Word, LiveCsvValue::IgnitionConstant, LiveCsvValue::UtcTime})
        errors.push_back({.line = 2, .fault = LiveCsvFault::BadValue, .column = 4, .expected = value, .text = "abc"});
    return errors;
}

// English words of the reader's old messages, which once ran into the box.
const QRegularExpression english(QStringLiteral("\\b(not|the|file|line|column|header|cannot|recording)\\b"));

}  // namespace

TEST(ReplayProblem, EveryFaultIsToldInPolishAndNamesTheFileAndLine)
{
    for (const LiveCsvError& error : everyFault()) {
        const auto text = ui::replayProblemText("/home/fitter/drive.csv", error);
        EXPECT_EQ(text.text, QString::fromUtf8("Nie mogę odtworzyć nagrania"));
        // As the system writes file names.
        EXPECT_TRUE(text.informative.startsWith(QDir::toNativeSeparators("/home/fitter/drive.csv") + '\n'))
            << text.informative.toStdString();
        const QString reason = text.informative.section('\n', 1);
        EXPECT_FALSE(reason.isEmpty()) << static_cast<int>(error.fault);
        EXPECT_FALSE(reason.contains(english)) << reason.toStdString();
        EXPECT_FALSE(reason.contains('%')) << "an unfilled place: " << reason.toStdString();
        if (error.line > 0) {
            EXPECT_TRUE(reason.startsWith(QString("wiersz %1: ").arg(error.line))) << reason.toStdString();
        }
    }
    const auto bad = ui::replayProblemText("x.csv", {.line = 2,
                                                     .fault = LiveCsvFault::BadValue,
                                                     .column = 8,
                                                     .expected = LiveCsvValue::StatusByte,
                                                     .text = "0x1G"});
    EXPECT_EQ(bad.informative.section('\n', 1),
              QString::fromUtf8("wiersz 2: kolumna 8 (0x1G): to nie jest bajt stanu 0x00..0xFF"));
    EXPECT_EQ(ui::replayProblemText("x.csv", {.line = 5, .fault = LiveCsvFault::ColumnCount, .columns = 18})
                  .informative.section('\n', 1),
              QString::fromUtf8("wiersz 5: więcej niż 17 kolumn"));
}

TEST(ReplayProblem, TheExpectedHeaderStandsInTheDetailsNotInTheBoxsLines)
{
    const auto text = ui::replayProblemText("table.csv", parsed("Czas;Lambda;TPS\n1;2;3\n"));
    EXPECT_EQ(text.informative, QString::fromUtf8("table.csv\nwiersz 1: to nie jest nagranie danych na żywo: "
                                                  "pierwszy wiersz nie jest nagłówkiem nagrania"));
    EXPECT_FALSE(text.informative.contains("time_s"));
    EXPECT_TRUE(text.details.contains(QString::fromStdString(params::liveCsvHeader())));
    EXPECT_TRUE(text.details.contains("Czas;Lambda;TPS"));
    EXPECT_TRUE(text.details.startsWith(QString::fromUtf8("Oczekiwany nagłówek nagrania:\n")))
        << text.details.toStdString();

    const auto box = ui::replayProblemBox(text);
    EXPECT_EQ(box->detailedText(), text.details);
    EXPECT_EQ(box->informativeText(), text.informative);
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    // Other faults have nothing to add below.
    EXPECT_TRUE(
        ui::replayProblemBox(ui::replayProblemText("x.csv", {.fault = LiveCsvFault::Empty}))->detailedText().isEmpty());
}

// The trace's exported samples are no recording: the box says what they are,
// which recording a replay wants and where it is made; older exports too.
TEST(ReplayProblem, TheTracesOwnSamplesAreToldApartWithHowToRecordOne)
{
    const std::string exported = live::traceCsv({{32.4, 0.38f, 1.2f, 90, 2500, 1796817912300}});
    const std::string older = "time_s,lambda_V,tps_V,stepper,rpm\n32.4,0.38,1.20,90,2500\n";
    for (const std::string& csv : {exported, older}) {
        const auto text = ui::replayProblemText("trace.csv", parsed(csv));
        EXPECT_TRUE(text.informative.contains(QString::fromUtf8("próbki oscyloskopu")))
            << text.informative.toStdString();
        EXPECT_TRUE(text.informative.contains(QString::fromUtf8("„Nagrywaj dane na żywo…”")));
        EXPECT_TRUE(text.details.contains(QString::fromStdString(params::liveCsvHeader())));
    }
}

// The shipped Russian file reaches every line of the box.
TEST(ReplayProblem, TheRussianFileLeavesNoPolishInTheBox)
{
    const auto file = lang::readLanguageFile(dravinor::testing::sourcePath("lang/russian.txt"));
    ASSERT_EQ(file.status, lang::LanguageFileContent::Status::Read);
    lang::SingleByteDecoder decoder(lang::CodePage::Windows1251);
    for (const auto& line : file.lines)
        lang::textSlots().set(line.key, decoder.toUtf8(line.text));
    const QRegularExpression polish(QStringLiteral("[ąćęłńóśźżĄĆĘŁŃÓŚŹŻ]|\\b(nie|jest|plik|wiersz|kolumna)\\b"));
    for (const LiveCsvError& error : everyFault()) {
        const auto text = ui::replayProblemText("drive.csv", error);
        for (const QString& part : {text.text, text.informative, text.details})
            EXPECT_FALSE(part.contains(polish)) << part.toStdString();
    }
    lang::textSlots().restoreBuiltIn();
}
