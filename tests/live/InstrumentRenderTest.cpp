#include "live/widgets/BarThermometer.h"
#include "live/widgets/DialMeter.h"
#include "live/widgets/HalfDialMeter.h"
#include "live/widgets/HorizontalBar.h"
#include "live/widgets/InstrumentColor.h"
#include "live/widgets/StatusLed.h"
#include "live/widgets/TankGauge.h"
#include "live/widgets/VerticalBar.h"

#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace dravinor::live;

// The instruments as the live page sets them up, drawn offscreen. With
// DRAVINOR_WIDGET_PNG_DIR set, every picture is also saved there for a look.

namespace {

QImage render(QWidget& w, QSize size, const char* name)
{
    w.resize(size);
    const QImage image = w.grab().toImage();
    if (const char* dir = std::getenv("DRAVINOR_WIDGET_PNG_DIR")) {
        QDir().mkpath(QString::fromLocal8Bit(dir));
        image.save(QStringLiteral("%1/%2-%3x%4.png")
                       .arg(QString::fromLocal8Bit(dir), QLatin1String(name))
                       .arg(size.width())
                       .arg(size.height()));
    }
    return image;
}

// Pixels close to a colour inside a rectangle of the image.
int countNear(const QImage& image, const QRect& area, const QColor& c, int tolerance = 40)
{
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor p = image.pixelColor(x, y);
            if (std::abs(p.red() - c.red()) + std::abs(p.green() - c.green()) + std::abs(p.blue() - c.blue()) <=
                tolerance)
                ++n;
        }
    }
    return n;
}

void setUpTps(HalfDialMeter& m)
{
    m.setDigitalTo(255);
    m.setValueTo(12.0f);
    m.setName1(QStringLiteral("TPS"));
    m.setValueUnit(QStringLiteral("V"));
    m.setSteps(6);
    m.setSubSteps(2);
    m.setScaleColor(Qt::black);
    m.setPointerColor(QColor(colour::lime));
    m.setLimits(0.0001f, 12.0f);
    // TPS falling: red below the threshold band, yellow in it, green above.
    m.setSectors(
        {{{0, 380, QColor(colour::red)}, {380, 450, QColor(colour::yellow)}, {450, 1000, QColor(colour::green)}}});
}

void setUpRpm(DialMeter& m)
{
    m.setDigitalTo(8000);
    m.setValueTo(8.0f);
    m.setName1(QStringLiteral("Obroty"));
    m.setValueUnit(QStringLiteral("RPM"));
    m.setSteps(8);
    m.setSubSteps(2);
    m.setScaleColor(QColor(colour::yellow));
    m.setPointerColor(QColor(colour::lime));
    m.setLimits(0.6f, 6.5f);
    m.setSectors(
        {{{0, 200, QColor(colour::yellow)}, {200, 800, QColor(colour::green)}, {800, 1000, QColor(colour::red)}}});
}

void setUpLambdaBar(VerticalBar& b)
{
    b.setDigitalTo(255);
    b.setValueTo(255.0f);
    b.setLedStyle(true);
    b.setSectorColors(true);
    b.setBidirectional(true);
    b.setBackgroundColor(Qt::black);
    b.setSectors(
        {{{0, 500, QColor(colour::green)}, {501, 502, QColor(colour::green)}, {503, 1000, QColor(colour::red)}}});
    b.setLimits(0.0001f, 255.0f);
}

}  // namespace

TEST(InstrumentRender, HalfDialPointsLeftAtZeroAndRightAtFullScale)
{
    HalfDialMeter m;
    setUpTps(m);
    const QColor lime = QColor(colour::lime);
    m.setLimitBlink(false);  // a steady pointer for the pixel count

    m.setValue(0.1f);
    QImage image = render(m, {200, 140}, "tps-low");
    EXPECT_GT(countNear(image, {0, 0, 100, 140}, lime), 40);
    EXPECT_EQ(countNear(image, {110, 0, 90, 140}, lime), 0);

    m.setValue(11.9f);
    image = render(m, {200, 140}, "tps-high");
    EXPECT_EQ(countNear(image, {0, 0, 90, 140}, lime), 0);
    EXPECT_GT(countNear(image, {100, 0, 100, 140}, lime), 40);

    m.setValue(6.19f);
    image = render(m, {200, 140}, "tps-mid");
    EXPECT_GT(countNear(image, {90, 0, 20, 70}, lime), 20) << "half scale points straight up";

    m.setMainFontSize(15);
    m.setUnitFontSize(15);
    m.setScaleFontSize(14);
    render(m, {200, 140}, "tps-layout-fonts");
    m.setMainFontSize(0);
    m.setUnitFontSize(0);
    m.setScaleFontSize(0);
    render(m, {400, 280}, "tps-mid");
    render(m, {120, 84}, "tps-mid");
}

TEST(InstrumentRender, DialSweepsFromLowerLeftToLowerRight)
{
    DialMeter m;
    setUpRpm(m);
    m.setLimitBlink(false);
    const QColor lime = QColor(colour::lime);

    m.setValue(0.0f);
    QImage image = render(m, {200, 190}, "rpm-zero");
    EXPECT_GT(countNear(image, {0, 95, 100, 95}, lime), 20) << "lower left";
    EXPECT_EQ(countNear(image, {0, 0, 200, 90}, lime), 0);

    m.setValue(8.0f);
    image = render(m, {200, 190}, "rpm-full");
    EXPECT_GT(countNear(image, {100, 95, 100, 95}, lime), 20) << "lower right";
    EXPECT_EQ(countNear(image, {0, 0, 95, 190}, lime), 0);

    m.setValue(2.3f);
    render(m, {200, 190}, "rpm-idle");
    m.setMainFontSize(15);
    m.setUnitFontSize(15);
    m.setScaleFontSize(14);
    render(m, {200, 190}, "rpm-layout-fonts");
    m.setMainFontSize(0);
    m.setUnitFontSize(0);
    m.setScaleFontSize(0);
    m.setValue(4.6f);
    render(m, {400, 380}, "rpm-cruise");
    render(m, {120, 114}, "rpm-cruise");
}

TEST(InstrumentRender, LambdaBarGrowsFromTheMiddleInTheSectorColour)
{
    VerticalBar b;
    setUpLambdaBar(b);
    b.setMinimumBarWidth(35);
    const QSize size(65, 185);

    b.setValue(230.0f);  // rich: up from the middle, red
    QImage image = render(b, size, "lambda-rich");
    EXPECT_GT(countNear(image, {0, 0, 65, 80}, Qt::red), 200);
    EXPECT_EQ(countNear(image, {0, 100, 65, 85}, QColor(colour::green)), 0);

    b.setValue(25.0f);  // lean: down from the middle, green
    image = render(b, size, "lambda-lean");
    EXPECT_GT(countNear(image, {0, 100, 65, 85}, QColor(colour::green)), 200);
    EXPECT_EQ(countNear(image, {0, 0, 65, 85}, Qt::red), 0);

    // Byte 60 on the 0-1 V probe is above the scale: the bar stands full, not beyond.
    b.setValueTo(51.0f);
    b.setValue(60.0f);
    EXPECT_EQ(b.ppt(), 1000);
    EXPECT_GE(b.fillRect().top(), b.trackRect().top());
    render(b, size, "lambda-over");
    b.setMinimumBarWidth(70);
    render(b, {130, 370}, "lambda-over");
}

TEST(InstrumentRender, TankFillsFromTheBottom)
{
    TankGauge t;
    t.setDigitalTo(255);
    t.setValueTo(255.0f);
    const QColor lime = QColor(colour::lime);
    t.setValue(64.0f);
    const QImage image = render(t, {80, 80}, "tank-quarter");
    EXPECT_GT(countNear(image, {10, 62, 60, 10}, lime, 90), 100);
    EXPECT_EQ(countNear(image, {10, 10, 60, 40}, lime, 90), 0);
    t.setValue(200.0f);
    render(t, {80, 80}, "tank-open");
    render(t, {160, 160}, "tank-open");
}

TEST(InstrumentRender, ThermometerBelowItsScaleShowsAnEmptyColumn)
{
    BarThermometer t;
    t.setDigitalTo(90);
    t.setValueTo(90.0f);
    t.setColumnColor(QColor(QRgb(0xFF0080)));
    t.setLimits(10.0f, 180.0f);
    t.setMinimumBarWidth(6);

    t.setValue(-40.0f);
    EXPECT_DOUBLE_EQ(t.columnRect().top(), t.levelY(0));
    render(t, {65, 185}, "thermo-cold");
    t.setValue(72.0f);
    EXPECT_DOUBLE_EQ(t.columnRect().top(), t.levelY(800));
    t.setScaleFontSize(8);
    render(t, {65, 185}, "thermo-warm");
    t.setScaleFontSize(0);
    t.setMinimumBarWidth(12);
    render(t, {130, 370}, "thermo-warm");
}

TEST(InstrumentRender, HorizontalBarsAndLamps)
{
    HorizontalBar progress;
    progress.setDigitalTo(100);
    progress.setValueTo(100.0f);
    progress.setValueUnit(QStringLiteral("%"));
    progress.setValue(37.0f);
    render(progress, {300, 24}, "bar-progress");

    HorizontalBar lambda;
    lambda.setDigitalTo(255);
    lambda.setValueTo(255.0f);
    lambda.setLedStyle(true);
    lambda.setSectorColors(true);
    lambda.setSectors(
        {{{0, 500, QColor(colour::green)}, {501, 502, QColor(colour::green)}, {503, 1000, QColor(colour::red)}}});
    lambda.setValue(180.0f);
    const QImage image = render(lambda, {300, 24}, "bar-lambda-led");
    EXPECT_GT(countNear(image, {0, 0, 200, 24}, Qt::red), 100);
    EXPECT_EQ(countNear(image, {220, 0, 80, 24}, Qt::red), 0);

    StatusLed on(QStringLiteral("Zasilanie benzynowe"));
    on.setChecked(true);
    render(on, on.sizeHint(), "led-on");
    StatusLed off(QStringLiteral("Ustawiono zakres sondy"));
    render(off, off.sizeHint(), "led-off");
}
