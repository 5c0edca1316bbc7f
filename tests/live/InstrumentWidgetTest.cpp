#include "SteppedTime.h"
#include "live/widgets/BarThermometer.h"
#include "live/widgets/DialMeter.h"
#include "live/widgets/HalfDialMeter.h"
#include "live/widgets/HorizontalBar.h"
#include "live/widgets/StatusLed.h"
#include "live/widgets/TankGauge.h"
#include "live/widgets/VerticalBar.h"

#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace dravinor::live;

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

void showAndSettle(QWidget& w)
{
    w.resize(w.sizeHint());
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QCoreApplication::processEvents();
}

const std::function<std::unique_ptr<InstrumentWidget>()> analogKinds[] = {
    [] { return std::make_unique<HalfDialMeter>(); },  [] { return std::make_unique<DialMeter>(); },
    [] { return std::make_unique<BarThermometer>(); }, [] { return std::make_unique<VerticalBar>(); },
    [] { return std::make_unique<TankGauge>(); },      [] { return std::make_unique<HorizontalBar>(); },
};

std::unique_ptr<HalfDialMeter> tpsMeter()
{
    auto m = std::make_unique<HalfDialMeter>();
    m->setDigitalTo(255);
    m->setValueTo(12.0f);
    m->setLimits(0.0001f, 12.0f);
    return m;
}

}  // namespace

TEST(InstrumentWidget, SameValueTwiceRepaintsOnce)
{
    for (const auto& make : analogKinds) {
        auto w = make();
        showAndSettle(*w);
        PaintCounter paints(w.get());
        w->setValue(42.0f);
        QCoreApplication::processEvents();
        EXPECT_EQ(paints.count, 1) << w->metaObject()->className();
        w->setValue(42.0f);
        w->setDigit(w->digit());
        QCoreApplication::processEvents();
        EXPECT_EQ(paints.count, 1) << w->metaObject()->className();
    }

    StatusLed led(QStringLiteral("Zasilanie benzynowe"));
    showAndSettle(led);
    PaintCounter paints(&led);
    led.setChecked(true);
    led.setChecked(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(paints.count, 1);
    EXPECT_EQ(led.currentColor(), QColor(0, 128, 0));
    led.setChecked(false);
    EXPECT_EQ(led.currentColor(), QColor(255, 0, 0));
}

TEST(InstrumentWidget, StaticLayerSurvivesValuesAndIsDroppedOnResizeAndFont)
{
    auto w = tpsMeter();
    showAndSettle(*w);
    ASSERT_TRUE(w->hasStaticLayer());
    w->setValue(3.0f);
    QCoreApplication::processEvents();
    EXPECT_TRUE(w->hasStaticLayer()) << "a new value redraws only the pointer";

    w->resize(300, 210);
    EXPECT_FALSE(w->hasStaticLayer());
    QCoreApplication::processEvents();
    ASSERT_TRUE(w->hasStaticLayer());

    QFont bigger = w->font();
    bigger.setPointSize(bigger.pointSize() + 4);
    w->setFont(bigger);
    EXPECT_FALSE(w->hasStaticLayer());
    QCoreApplication::processEvents();
    w->setScaleFontSize(14);
    EXPECT_FALSE(w->hasStaticLayer());
    QCoreApplication::processEvents();
    w->setValueTo(8.0f);
    EXPECT_FALSE(w->hasStaticLayer()) << "the scale labels follow the range";
}

TEST(InstrumentWidget, SectorBoundsAndColoursSetApartKeepTheOtherPart)
{
    // Page entry recolours the outer TPS zones and moves all bounds; the middle stays yellow.
    auto m = tpsMeter();
    m->setSectorColor(0, Qt::green);  // the form's TPS colours
    m->setSectorColor(1, QColor(255, 255, 0));
    m->setSectorColor(0, Qt::red);
    m->setSectorColor(2, Qt::green);
    m->setSectorBounds(0, 0, 380);
    m->setSectorBounds(1, 380, 450);
    m->setSectorBounds(2, 450, 1000);
    m->setSectorBounds(3, 0, 1);
    const Sectors expected{{{0, 380, Qt::red}, {380, 450, QColor(255, 255, 0)}, {450, 1000, Qt::green}}};
    EXPECT_EQ(m->model().sectors(), expected);
}

TEST(InstrumentWidget, StepsOutsideOneToThirtyAreIgnored)
{
    DialMeter m;
    m.setSteps(8);
    for (int bad : {0, -3, 31})
        m.setSteps(bad);
    EXPECT_EQ(m.steps(), 8);
    m.setSteps(30);
    m.setSteps(1);
    EXPECT_EQ(m.steps(), 1);
}

TEST(PointerMeterWidget, PointerBlinksOnlyOutsideItsLimits)
{
    dravinor::testing::SteppedTime time;
    auto m = tpsMeter();
    // Starting at 0 V, below the lower limit of 0.0001.
    EXPECT_TRUE(m->isBelowLowerLimit());
    EXPECT_TRUE(m->isBlinking());
    m->setValue(6.0f);
    EXPECT_FALSE(m->isBlinking());
    m->setValue(12.3f);
    EXPECT_TRUE(m->isAboveUpperLimit());
    EXPECT_TRUE(m->isBlinking()) << "blinks also while hidden";
    m->setLimitBlink(false);
    EXPECT_FALSE(m->isBlinking());
    m->setLimitBlink(true);
    EXPECT_TRUE(m->isBlinking());
    m->setLimits(0.0001f, 13.0f);
    EXPECT_FALSE(m->isBlinking());

    // The blink alternates the look of the pointer on the screen.
    m->setLimits(0.0001f, 12.0f);
    m->setPointerColor(Qt::green);
    showAndSettle(*m);
    const QImage first = m->grab().toImage();
    time.advance(249);
    EXPECT_EQ(m->grab().toImage(), first) << "a blink lasts a quarter second";
    time.advance(1);
    const QImage second = m->grab().toImage();
    EXPECT_NE(first, second);
    time.advance(250);
    EXPECT_EQ(m->grab().toImage(), first);
}

TEST(BarWidget, TextOfAPlainBarIsItsShareOfTheScaleInPercent)
{
    HorizontalBar bar;
    bar.setDigitalTo(600);
    bar.setValueTo(600.0f);
    bar.setValue(300.0f);
    EXPECT_EQ(bar.barText(), QString());
    bar.setValueUnit(QStringLiteral("%"));
    EXPECT_EQ(bar.barText(), QStringLiteral("50 %"));
    bar.setLedStyle(true);
    EXPECT_EQ(bar.barText(), QString()) << "LED bars carry no text";
}

TEST(BarWidget, SectorColourOptionColoursTheWholeBar)
{
    VerticalBar bar;
    bar.setDigitalTo(255);
    bar.setValueTo(255.0f);
    bar.setBarColor(Qt::blue);
    bar.setSectors({{{0, 500, Qt::green}, {501, 502, Qt::green}, {503, 1000, Qt::red}}});
    bar.setValue(200.0f);
    EXPECT_EQ(bar.currentBarColor(), QColor(Qt::blue));
    bar.setSectorColors(true);
    EXPECT_EQ(bar.currentBarColor(), QColor(Qt::red));
    bar.setValue(20.0f);
    EXPECT_EQ(bar.currentBarColor(), QColor(Qt::green));
}
