// The report on paper: what a reader of the PDF finds in it (through
// pdftotext, as a search or a copy would), page breaks and numbers, the
// letters of both languages, and files written whole or not at all.
#include "reportpdf/ReportPdf.h"
#include "PdfText.h"
#include "reportpdf/ReportSheet.h"

#include "params/ParameterState.h"
#include "params/ParameterTable.h"

#include <QFont>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

using namespace dravinor;
using dravinor::testing::imagesIn;
using dravinor::testing::lineWith;
using dravinor::testing::pageCount;
using dravinor::testing::pdfText;
namespace fs = std::filesystem;

namespace {

reportpdf::ReportSheet sheetWithRows(int rows)
{
    report::ReportContent content;
    content.date = std::chrono::year{2026} / 12 / 8;
    content.car = {"WX 1234A", "Škoda Felicia", "182 400 km", "Auto-Gaz Łódź"};
    reportpdf::ReportSheet sheet = reportpdf::sheetFor(content);
    sheet.parameters.clear();
    for (int i = 1; i <= rows; ++i)
        sheet.parameters.append({QStringLiteral("Wiersz %1").arg(i), QStringLiteral("wartość %1").arg(i)});
    return sheet;
}

std::string slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct ReportPdf : ::testing::Test {
    QTemporaryDir folder;
    fs::path path(const char* name) const { return fs::path(folder.path().toStdString()) / name; }
    std::string saved(const reportpdf::ReportSheet& sheet, const char* name = "report.pdf")
    {
        const auto result = reportpdf::saveReportPdf(sheet, QString::fromStdString(path(name).string()));
        EXPECT_TRUE(result.ok()) << result.systemText.toStdString();
        return pdfText(path(name));
    }
};

}  // namespace

TEST_F(ReportPdf, ALongTableBreaksBetweenRowsRepeatsItsHeaderAndNumbersEveryPage)
{
    const std::string text = saved(sheetWithRows(150));
    const int pages = pageCount(text);
    ASSERT_GE(pages, 3);
    for (int page = 1; page <= pages; ++page)
        EXPECT_NE(text.find("Strona " + std::to_string(page) + " z " + std::to_string(pages)), std::string::npos)
            << "page " << page;
    // Every row once, none lost or doubled at a break.
    for (int i = 1; i <= 150; ++i) {
        const std::string row = "Wiersz " + std::to_string(i) + " ";
        const auto at = text.find(row);
        EXPECT_NE(at, std::string::npos) << row;
        EXPECT_EQ(text.find(row, at + 1), std::string::npos) << row;
        EXPECT_NE(lineWith(text, row, "wartość " + std::to_string(i)), "") << "caption and value side by side";
    }
    int headers = 0;
    for (std::size_t at = 0; (at = text.find("Parametr ", at)) != std::string::npos; ++at)
        headers += lineWith(text.substr(at), "Parametr", "Wartość").empty() ? 0 : 1;
    EXPECT_GE(headers, pages - 1) << "the header again on each page the table goes on to";
}

TEST_F(ReportPdf, PolishAndCyrillicLettersSurviveAsText)
{
    auto sheet = sheetWithRows(2);
    sheet.parameters.append({QStringLiteral("Zażółć gęślą jaźń"), QStringLiteral("Съешь же ещё этих булок")});
    const std::string text = saved(sheet);
    EXPECT_NE(text.find("Zażółć gęślą jaźń"), std::string::npos) << text;
    EXPECT_NE(text.find("Съешь же ещё этих булок"), std::string::npos) << text;
    EXPECT_NE(lineWith(text, "Marka i model", "Škoda Felicia"), "");
    EXPECT_NE(lineWith(text, "Warsztat", "Auto-Gaz Łódź"), "");
}

TEST_F(ReportPdf, ValuesNotReadShowTheMarkNeverTheValueAndTheNoteExplainsIt)
{
    report::ReportContent content;
    content.date = std::chrono::year{2026} / 12 / 8;
    params::ParameterState state;
    state.loadDefaults();
    params::AddressSet unread;
    unread.set(params::address::lambdaThreshold.index());
    content.values = report::reportValues(state.block(), unread);
    content.identity = link::ControllerIdentity(0x31);
    const auto sheet = reportpdf::sheetFor(content);
    const std::string text = saved(sheet);
    EXPECT_NE(lineWith(text, "Próg sondy lambda", "nie odczytano"), "") << text;
    EXPECT_EQ(lineWith(text, "Próg sondy lambda", " V"), "") << "no value beside the mark";
    EXPECT_NE(lineWith(text, "Próg czujnika tps", "1,40 V"), "");
    EXPECT_NE(text.find("sterownik nie podał tej wartości"), std::string::npos);
    EXPECT_NE(lineWith(text, "Sterownik", "typ 1, wersja oprogramowania 3"), "");
}

TEST_F(ReportPdf, TheTracePictureIsOnlyThereWhenGivenAndDrawnInVector)
{
    auto sheet = sheetWithRows(3);
    const std::string without = saved(sheet, "without.pdf");
    EXPECT_EQ(without.find("Obraz oscyloskopu (zamrożony)"), std::string::npos);
    QRectF drawnInto;
    sheet.trace = {2.0, [&drawnInto](QPainter& painter, const QRectF& area) {
                       drawnInto = area;
                       painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 10));
                       painter.drawText(area, Qt::AlignCenter, QStringLiteral("Sonda lambda [V]"));
                       painter.drawRect(area);
                   }};
    const std::string text = saved(sheet, "with.pdf");
    EXPECT_NE(text.find("Obraz oscyloskopu (zamrożony)"), std::string::npos);
    EXPECT_NE(text.find("Sonda lambda [V]"), std::string::npos) << "the picture's words stay text";
    EXPECT_EQ(imagesIn(path("with.pdf")), 0) << "no bitmap";
    EXPECT_NEAR(drawnInto.width() / drawnInto.height(), 2.0, 0.01);
}

TEST_F(ReportPdf, AFileThatCannotBeMadeIsReportedAndWhatStoodThereStays)
{
    // A folder of that name: nothing can replace it.
    fs::create_directory(path("taken.pdf"));
    auto result = reportpdf::saveReportPdf(sheetWithRows(3), QString::fromStdString(path("taken.pdf").string()));
    EXPECT_EQ(result.outcome, reportpdf::PdfOutcome::CannotCreate);
    EXPECT_TRUE(fs::is_directory(path("taken.pdf")));
    result =
        reportpdf::saveReportPdf(sheetWithRows(3), QString::fromStdString((path("no-such-folder") / "r.pdf").string()));
    EXPECT_EQ(result.outcome, reportpdf::PdfOutcome::CannotCreate);
    EXPECT_FALSE(fs::exists(path("no-such-folder")));
}

TEST_F(ReportPdf, SavingAgainReplacesTheFileWholeAndLeavesNoTemporaryBeside)
{
    std::ofstream(path("report.pdf")) << "an older report";
    saved(sheetWithRows(3));
    EXPECT_TRUE(slurp(path("report.pdf")).starts_with("%PDF-"));
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.path().toStdString()))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST_F(ReportPdf, AnAdaptationOfTheSessionShowsItsFiguresItsEndAndTheWritesNotAcknowledged)
{
    report::ReportContent content;
    content.date = std::chrono::year{2026} / 12 / 8;
    report::AdaptationSummary summary;
    summary.lines = {{report::AdaptationFigure::Tps, {"0,62", "0,82", "1,96"}, "V"},
                     {report::AdaptationFigure::EmulationTimes, {"0,350", "-"}, "s"},
                     {report::AdaptationFigure::ActuatorBelowTps, {"70", "100", "85"}, ""}};
    summary.unacknowledged = {2, 32};
    summary.doubtfulPhases = 1;
    content.adaptation = summary;
    std::string text = saved(reportpdf::sheetFor(content));
    EXPECT_NE(text.find("Autoadaptacja w tej sesji: przerwana przed końcem"), std::string::npos) << text;
    EXPECT_NE(lineWith(text, "TPS: dolny / próg / górny", "0,62 / 0,82 / 1,96 V"), "");
    EXPECT_NE(lineWith(text, "Emulacja sondy: TH / TL", "0,350 / - s"), "") << "a figure not measured says so";
    EXPECT_NE(lineWith(text, "Silnik krokowy poniżej progu TPS", "70 / 100 / 85"), "");
    EXPECT_NE(lineWith(text, "Zapisy niepotwierdzone przez sterownik", "2, 32"), "");
    EXPECT_NE(lineWith(text, "Pomiary przy zawodnym połączeniu", "1"), "");

    content.adaptation->finished = true;
    text = saved(reportpdf::sheetFor(content), "finished.pdf");
    EXPECT_NE(text.find("Autoadaptacja w tej sesji: zakończona"), std::string::npos);
}

TEST_F(ReportPdf, AnAdaptationOnAFailedProbeSaysSoAndWhetherItWentOn)
{
    report::ReportContent content;
    content.date = std::chrono::year{2026} / 12 / 8;
    report::AdaptationSummary summary;
    summary.lines = {{report::AdaptationFigure::LambdaProbe, {"0,10", "0,10", "0,10"}, "V"}};
    summary.finished = true;
    summary.failedProbe = report::ProbeFailureSummary{diagnostics::ProbeVerdict::StuckLean, 0.1f, 0.1f, true};
    content.adaptation = summary;
    std::string text = saved(reportpdf::sheetFor(content));
    // The value wraps in its column.
    EXPECT_NE(lineWith(text, "Sonda lambda podczas autoadaptacji", "stale uboga, 0,10-0,10 V:"), "") << text;
    EXPECT_NE(text.find("wątpliwe"), std::string::npos) << text;

    content.adaptation->finished = false;
    content.adaptation->failedProbe->wentOn = false;
    text = saved(reportpdf::sheetFor(content), "stopped.pdf");
    EXPECT_NE(text.find("Autoadaptacja w tej sesji: przerwana przed końcem"), std::string::npos);
    EXPECT_NE(lineWith(text, "Sonda lambda podczas autoadaptacji", "stale uboga, 0,10-0,10 V:"), "") << text;
    EXPECT_NE(text.find("autoadaptację przerwano"), std::string::npos) << text;
}
