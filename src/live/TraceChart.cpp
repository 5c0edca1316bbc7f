// The trace drawn for keeping: a PNG picture and the report's PDF share this
// drawing, made in a fixed space of traceChartWidth x traceChartHeight and
// scaled to the rectangle it is given.
#include "live/TraceChart.h"

#include "lang/TextSlots.h"
#include "live/TraceSamples.h"
#include "params/NumberFormat.h"

#include <QDateTime>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace dravinor::live {

namespace {

constexpr double chartWidth = traceChartWidth;
constexpr double chartHeight = traceChartHeight;
constexpr double margin = 16;
constexpr double axisWidth = 84;  // tick labels, then the axis's name turned upright
constexpr double plotTop = 104;
constexpr double plotBottom = chartHeight - 70;

// The screen's line colours, darkened where white paper would swallow them.
constexpr std::array<QRgb, 4> inks{0xD00000, 0xC000C0, 0xE06010, 0x0090B0};
// Left of the plot the stepper's axis stands outside the lambda's, right of
// it the engine speed's outside the TPS's, as the screen's scale columns do.
constexpr std::array<TraceChannel, 2> leftAxes{LambdaTrace, StepperTrace};
constexpr std::array<TraceChannel, 2> rightAxes{TpsTrace, SpeedTrace};

QString slotText(int key)
{
    const std::string& text = lang::textSlots().text(key);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString channelName(TraceChannel channel)
{
    return slotText(lang::slot::traceChart::firstChannelName + channel);
}

QFont chartFont(double pixels, bool bold = false)
{
    // A face with Polish and Cyrillic letters, as the report's.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(static_cast<int>(pixels));
    font.setBold(bold);
    return font;
}

QString number(double value, int decimals)
{
    return QString::fromStdString(params::formatDecimalComma(value, decimals));
}

// Values a step apart that read well (1, 2, 2.5 or 5 times a power of ten),
// about `wanted` of them across the span, and the decimals they need.
struct Ticks {
    double first = 0;
    double step = 1;
    int decimals = 0;
};

Ticks ticksFor(double low, double high, int wanted)
{
    Ticks ticks;
    const double raw = std::max(high - low, 1e-9) / wanted;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    ticks.step = 10 * power;
    for (double multiple : {1.0, 2.0, 2.5, 5.0})
        if (multiple * power >= raw) {
            ticks.step = multiple * power;
            break;
        }
    while (ticks.decimals < 3 && std::abs(ticks.step * std::pow(10.0, ticks.decimals) -
                                          std::round(ticks.step * std::pow(10.0, ticks.decimals))) > 1e-6)
        ++ticks.decimals;
    ticks.first = std::ceil(low / ticks.step - 1e-9) * ticks.step;
    return ticks;
}

// Every tick from the first up to high.
template <typename Each>
void forEachTick(double high, const Ticks& ticks, Each each)
{
    for (int i = 0;; ++i) {
        const double value = ticks.first + i * ticks.step;
        if (value > high + ticks.step * 1e-6)
            return;
        each(std::abs(value) < ticks.step * 1e-6 ? 0.0 : value);
    }
}

double sampleValue(const TraceSample& sample, TraceChannel channel)
{
    switch (channel) {
    case LambdaTrace: return sample.lambdaVolts;
    case TpsTrace: return sample.tpsVolts;
    case StepperTrace: return sample.stepper;
    case SpeedTrace: break;
    }
    return sample.rpm;
}

class ChartPainter {
public:
    ChartPainter(QPainter& painter, const TraceChart& chart) : p_(painter), chart_(chart)
    {
        const auto shown = [&chart](const auto& axes) {
            return std::count_if(axes.begin(), axes.end(), [&chart](TraceChannel c) { return chart.channels[c]; });
        };
        plot_ = QRectF(QPointF(margin + axisWidth * static_cast<double>(shown(leftAxes)), plotTop),
                       QPointF(chartWidth - margin - axisWidth * static_cast<double>(shown(rightAxes)), plotBottom));
        if (!chart.samples.empty())
            duration_ = chart.samples.back().seconds - chart.samples.front().seconds;
        // A picture of one sample, or none, still has a time axis to stand on.
        span_ = std::max(duration_, 1.0);
    }

    void paint()
    {
        p_.fillRect(QRectF(0, 0, chartWidth, chartHeight), Qt::white);
        heading();
        legend();
        grid();
        axes();
        for (int channel = 0; channel < 4; ++channel)
            if (chart_.channels[static_cast<std::size_t>(channel)])
                trace(static_cast<TraceChannel>(channel));
        p_.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.5));
        p_.setBrush(Qt::NoBrush);
        p_.drawRect(plot_);
    }

private:
    double percentToY(double percent) const { return plot_.bottom() - percent / 100.0 * plot_.height(); }
    double secondsToX(double seconds) const { return plot_.left() + seconds / span_ * plot_.width(); }

    // The values at the bottom and the top of the plot, from the screen's scale.
    std::pair<double, double> valueRange(TraceChannel channel) const
    {
        const double atZero = tracePercent(channel, 0, chart_.lambdaTraceDivisor);
        const double perUnit = tracePercent(channel, 1, chart_.lambdaTraceDivisor) - atZero;
        return {std::max(0.0, -atZero / perUnit), (100 - atZero) / perUnit};
    }

    void heading()
    {
        QString span;
        if (!chart_.samples.empty() && chart_.samples.front().wallClockMs > 0) {
            const QDateTime start = QDateTime::fromMSecsSinceEpoch(chart_.samples.front().wallClockMs);
            const QDateTime end = QDateTime::fromMSecsSinceEpoch(chart_.samples.back().wallClockMs);
            span = slotText(lang::slot::traceChart::span)
                       .arg(start.toString(QStringLiteral("yyyy-MM-dd")), start.toString(QStringLiteral("HH:mm:ss")),
                            end.toString(QStringLiteral("HH:mm:ss")), number(duration_, 1));
        } else {
            span = slotText(lang::slot::traceChart::spanWithoutClock).arg(number(duration_, 1));
        }
        p_.setPen(Qt::black);
        p_.setFont(chartFont(24, true));
        const QRectF line(margin, margin, chartWidth - 2 * margin, 34);
        p_.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, span);
        if (!chart_.probeName.isEmpty()) {
            p_.setFont(chartFont(20));
            p_.drawText(line, Qt::AlignRight | Qt::AlignVCenter,
                        slotText(lang::slot::traceChart::probe).arg(chart_.probeName));
        }
    }

    void legend()
    {
        const QFont font = chartFont(19);
        const QFontMetricsF metrics(font, p_.device());
        p_.setFont(font);
        double x = margin;
        const double y = 64;
        for (int channel = 0; channel < 4; ++channel) {
            if (!chart_.channels[static_cast<std::size_t>(channel)])
                continue;
            const auto c = static_cast<TraceChannel>(channel);
            p_.setPen(QPen(QColor(inks[static_cast<std::size_t>(channel)]), 4));
            p_.drawLine(QPointF(x, y + 12), QPointF(x + 34, y + 12));
            p_.setPen(Qt::black);
            const QString name = channelName(c);
            const double width = metrics.horizontalAdvance(name);
            p_.drawText(QRectF(x + 42, y, width + 4, 24), Qt::AlignLeft | Qt::AlignVCenter, name);
            x += 42 + width + 32;
        }
    }

    // Lines across at the first shown channel's values, down at the seconds.
    void grid()
    {
        p_.setPen(QPen(QColor(0xD8, 0xD8, 0xD8), 1));
        for (int channel = 0; channel < 4; ++channel) {
            if (!chart_.channels[static_cast<std::size_t>(channel)])
                continue;
            const auto c = static_cast<TraceChannel>(channel);
            const auto [low, high] = valueRange(c);
            forEachTick(high, ticksFor(low, high, 6), [&](double value) {
                const double y = percentToY(tracePercent(c, value, chart_.lambdaTraceDivisor));
                p_.drawLine(QPointF(plot_.left(), y), QPointF(plot_.right(), y));
            });
            break;
        }
        const Ticks seconds = ticksFor(0, span_, 10);
        const QFont font = chartFont(17);
        forEachTick(span_, seconds, [&](double value) {
            const double x = secondsToX(value);
            p_.setPen(QPen(QColor(0xD8, 0xD8, 0xD8), 1));
            p_.drawLine(QPointF(x, plot_.top()), QPointF(x, plot_.bottom()));
            p_.setPen(Qt::black);
            p_.setFont(font);
            p_.drawText(QRectF(x - 50, plot_.bottom() + 6, 100, 22), Qt::AlignHCenter | Qt::AlignTop,
                        number(value, seconds.decimals));
        });
        p_.setFont(chartFont(18));
        p_.drawText(QRectF(plot_.left(), plot_.bottom() + 32, plot_.width(), 26), Qt::AlignHCenter | Qt::AlignVCenter,
                    slotText(lang::slot::traceChart::time));
    }

    void axes()
    {
        double left = plot_.left();
        for (TraceChannel c : leftAxes)
            if (chart_.channels[c]) {
                axis(c, left, -1);
                left -= axisWidth;
            }
        double right = plot_.right();
        for (TraceChannel c : rightAxes)
            if (chart_.channels[c]) {
                axis(c, right, +1);
                right += axisWidth;
            }
    }

    // An axis along x, its labels on the side away from the plot (-1 left,
    // +1 right), the channel's name turned upright beyond them.
    void axis(TraceChannel channel, double x, int side)
    {
        const QColor ink(inks[static_cast<std::size_t>(channel)]);
        p_.setPen(QPen(ink, 2));
        p_.drawLine(QPointF(x, plot_.top()), QPointF(x, plot_.bottom()));
        const auto [low, high] = valueRange(channel);
        const Ticks ticks = ticksFor(low, high, 6);
        p_.setFont(chartFont(17));
        forEachTick(high, ticks, [&](double value) {
            const double y = percentToY(tracePercent(channel, value, chart_.lambdaTraceDivisor));
            p_.drawLine(QPointF(x, y), QPointF(x + side * 7, y));
            const QRectF box = side < 0 ? QRectF(x - 62, y - 11, 52, 22) : QRectF(x + 10, y - 11, 52, 22);
            p_.drawText(box, (side < 0 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                        number(value, ticks.decimals));
        });
        p_.save();
        const double nameX = x + side * (axisWidth - 12);
        p_.translate(nameX, (plot_.top() + plot_.bottom()) / 2);
        p_.rotate(-90);
        p_.setFont(chartFont(17));
        p_.drawText(QRectF(-plot_.height() / 2, -12, plot_.height(), 24), Qt::AlignCenter, channelName(channel));
        p_.restore();
    }

    void trace(TraceChannel channel)
    {
        if (chart_.samples.empty())
            return;
        QPainterPath path;
        const double start = chart_.samples.front().seconds;
        bool first = true;
        for (const TraceSample& sample : chart_.samples) {
            const double percent =
                std::clamp(tracePercent(channel, sampleValue(sample, channel), chart_.lambdaTraceDivisor), 0.0, 100.0);
            const QPointF point(secondsToX(sample.seconds - start), percentToY(percent));
            if (first)
                path.moveTo(point);
            else
                path.lineTo(point);
            first = false;
        }
        p_.setPen(
            QPen(QColor(inks[static_cast<std::size_t>(channel)]), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p_.setBrush(Qt::NoBrush);
        p_.drawPath(path);
    }

    QPainter& p_;
    const TraceChart& chart_;
    QRectF plot_;
    double duration_ = 0;  // from the first sample to the last
    double span_ = 0;      // the time axis's length
};

}  // namespace

void paintTraceChart(QPainter& painter, const QRectF& area, const TraceChart& chart)
{
    painter.save();
    painter.translate(area.topLeft());
    painter.scale(area.width() / chartWidth, area.height() / chartHeight);
    painter.setClipRect(QRectF(0, 0, chartWidth, chartHeight));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    ChartPainter(painter, chart).paint();
    painter.restore();
}

QImage traceChartImage(const TraceChart& chart)
{
    QImage image(traceChartWidth, traceChartHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintTraceChart(painter, QRectF(0, 0, traceChartWidth, traceChartHeight), chart);
    return image;
}

}  // namespace dravinor::live
