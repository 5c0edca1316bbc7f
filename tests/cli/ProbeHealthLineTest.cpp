#include "ProbeHealthLine.h"

#include <gtest/gtest.h>

using namespace dravinor;
using diagnostics::ProbeVerdict;

TEST(ProbeHealthLine, FiguresThenVerdictAndADashForAnEdgeNotSeen)
{
    diagnostics::ProbeHealthFigures figures;
    figures.verdict = ProbeVerdict::StuckRich;
    figures.judgedSeconds = 9.5;
    figures.minVolts = 0.7f;
    figures.maxVolts = 0.88f;
    figures.crossingsPerSecond = 0;
    figures.richShare = 1.0;
    figures.leanToRichSeconds = 0.071;
    EXPECT_EQ(cli::probeHealthLine(figures),
              "probe: 0.70-0.88 V, 0.0 crossings/s, rich 100 %, lean->rich 0.07 s, rich->lean -: stuck rich");

    EXPECT_EQ(cli::probeHealthLine({}), "probe: not judged yet (0.0 of 5 s above idle)")
        << "no figures before the engine ran above idle";
}
