// The trace's kept picture as PNG and in a report's PDF, in Polish and
// Russian, to look at: run with --gtest_also_run_disabled_tests and
// DRAVINOR_TRACE_PICTURES set to a folder.
#include "TestLocations.h"
#include "lang/LanguageFile.h"
#include "lang/SingleByteDecoder.h"
#include "lang/TextSlots.h"
#include "live/OscilloscopeGroup.h"
#include "live/TScope.h"
#include "live/TraceChart.h"
#include "reportpdf/ReportPdf.h"
#include "reportpdf/ReportSheet.h"

#include <QCheckBox>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>

using namespace dravinor;

TEST(TraceExportPictures, DISABLED_FourChannelsAsPngAndInTheReportInBothLanguages)
{
    const char* folder = std::getenv("DRAVINOR_TRACE_PICTURES");
    if (!folder)
        GTEST_SKIP() << "DRAVINOR_TRACE_PICTURES not set";
    live::OscilloscopeGroup group;
    group.applyProbeType(0);
    for (const char* box : {"CheckOscyTPS", "CheckOscySTEP", "CheckOscyRPM"})
        group.findChild<QCheckBox*>(box)->click();
    for (int i = 0; i < 64; ++i) {
        const params::LiveFrame frame{.lambda = static_cast<std::uint8_t>(25 + 24 * std::sin(i / 2.0)),
                                      .tps = static_cast<std::uint8_t>(60 + 40 * std::sin(i / 15.0)),
                                      .stepperPosition = static_cast<std::uint8_t>(128 + 60 * std::sin(i / 9.0)),
                                      .rpmPeriod =
                                          static_cast<std::uint16_t>(15360000 / (2500 + 1500 * std::sin(i / 12.0)))};
        group.feed(frame, 19200.0f);
        group.scope()->step();
    }
    group.setFrozen(true);
    for (const auto& [language, file, codePage] : {std::tuple{"pl", "polski.txt", lang::CodePage::Windows1250},
                                                   std::tuple{"ru", "russian.txt", lang::CodePage::Windows1251}}) {
        const auto content = lang::readLanguageFile((dravinor::testing::sourceDir() + "/lang/") + file);
        ASSERT_EQ(content.status, lang::LanguageFileContent::Status::Read);
        lang::SingleByteDecoder decoder(codePage);
        for (const auto& line : content.lines)
            lang::textSlots().set(line.key, decoder.toUtf8(line.text));
        const QString base = QStringLiteral("%1/trace-%2").arg(QString::fromUtf8(folder), QString::fromUtf8(language));
        ASSERT_TRUE(group.savePicture(base + ".png"));
        reportpdf::ReportSheet sheet = reportpdf::sheetFor(report::ReportContent{});
        sheet.trace = {static_cast<double>(live::traceChartWidth) / live::traceChartHeight,
                       [chart = group.chart()](QPainter& painter, const QRectF& area) {
                           live::paintTraceChart(painter, area, chart);
                       }};
        ASSERT_TRUE(reportpdf::saveReportPdf(sheet, base + ".pdf").ok());
        lang::textSlots().restoreBuiltIn();
    }
}
