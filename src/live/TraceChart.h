#pragma once

#include "live/ProbeType.h"
#include "live/TraceHistory.h"

#include <QImage>
#include <QString>

#include <array>
#include <vector>

class QPainter;
class QRectF;

namespace dravinor::live {

// What a picture of the trace shows: its samples in units, the channels the
// screen draws (TraceChannel order), how the lambda channel is scaled, and
// the probe's name as the parameter page lists it.
struct TraceChart {
    std::vector<TraceSample> samples;
    std::array<bool, 4> channels{true, false, false, false};
    float lambdaTraceDivisor = initialTraceDivisor;
    QString probeName;  // empty before any probe type is applied
};

// The chart's own drawing space. It is painted scaled to whatever rectangle
// it is given, so the exported picture and the report's PDF (in vector)
// show the same drawing.
inline constexpr int traceChartWidth = 1200;
inline constexpr int traceChartHeight = 700;

// Draws the chart into area: each channel as a line over the time since the
// first sample, on the screen's scale, with an axis of values and its unit;
// the legend; the date, the time span and the probe type above.
void paintTraceChart(QPainter& painter, const QRectF& area, const TraceChart& chart);

// The chart as a picture of traceChartWidth x traceChartHeight pixels.
QImage traceChartImage(const TraceChart& chart);

}  // namespace dravinor::live
