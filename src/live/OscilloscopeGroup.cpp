#include "live/OscilloscopeGroup.h"

#include "live/TScope.h"
#include "live/TraceSamples.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>

#include <algorithm>
#include <cmath>

namespace dravinor::live {

namespace {

struct ChannelRow {
    const char* check;
    const char* checkCaption;
    const char* panel;
    const char* labelPrefix;  // the name label is <prefix>_0, the scale <prefix>_1 .. _5
    std::array<const char*, 6> captions;
    QRgb labelColor;
    QRgb nameColor;
};

// Channels a..d: lambda, TPS, stepper, engine speed.
constexpr std::array<ChannelRow, 4> channelRows{{
    {"CheckOscyLambda",
     "&LAMBDA",
     "PanelOscyLambda",
     "VLAB",
     {" [V]", "5,0", "3,8", "2,5", "1,2", "0,0"},
     0xFF0000,
     0xFF0000},
    {"CheckOscyTPS", "&TPS", "PanelOscyTPS", "TPSLAB", {"TPS", "12", "9", "6", "3", "0"}, 0xFF00FF, 0xFF00FF},
    {"CheckOscySTEP",
     "&STEP",
     "PanelOscySTEP",
     "STEPLAB",
     {"STEP", "255", "192", "128", "64", "0"},
     0x808080,
     0x808080},
    {"CheckOscyRPM", "&RPM", "PanelOscyRPM", "RPMLAB", {"RPM", "8", "6", "4", "2", "0"}, 0xFF8000, 0xFF8040},
}};

constexpr std::array<QRgb, 4> lineColors{0xFF0000, 0xFF00FF, 0xFF8040, 0x00FFFF};
constexpr QRgb silver = 0xC0C0C0;

// Left to right on the form; the lambda column stands next to the trace.
struct PanelColumn {
    const char* panel;
    int left;
};
constexpr std::array<PanelColumn, 4> panelColumns{
    {{"PanelOscySTEP", 8}, {"PanelOscyLambda", 36}, {"PanelOscyTPS", 320}, {"PanelOscyRPM", 344}}};
constexpr std::array<int, 6> axisLabelTops{5, 25, 60, 95, 130, 165};
constexpr int axisLabelLeft = 2;

struct CheckCell {
    const char* name;
    int left;
    int top;
};
constexpr std::array<CheckCell, 6> checkCells{{{"CheckSiatka", 8, 12},
                                               {"CheckOscyLambda", 124, 12},
                                               {"CheckOscyTPS", 240, 12},
                                               {"CheckOscySTEP", 8, 38},
                                               {"CheckOscyPauza", 124, 38},
                                               {"CheckOscyRPM", 240, 38}}};

int scaled(int value, float scale)
{
    return static_cast<int>(std::trunc(value * static_cast<double>(scale)));
}

QString labelName(const char* prefix, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(prefix)).arg(index);
}

}  // namespace

OscilloscopeLayout layoutOscilloscope(int windowWidth, int windowHeight, int tpsMeterWidth, int pageHeight)
{
    const float scaleX = static_cast<float>(windowWidth) / 800.0f;
    const float scaleY = static_cast<float>(windowHeight) / 600.0f;
    const auto x = [scaleX](int v) { return scaled(v, scaleX); };
    const auto y = [scaleY](int v) { return scaled(v, scaleY); };

    OscilloscopeLayout out;
    auto& c = out.controls;
    const int groupHeight = y(270);
    // In extended precision, as the layout always computed these two: in
    // double, 1.05 lies on the other side of its true value.
    c["GroupBoxLambda"] = {static_cast<int>(std::trunc(tpsMeterWidth * 1.03L)),
                           static_cast<int>(std::trunc(pageHeight - groupHeight * 1.05L)),
                           x(374),
                           groupHeight,
                           {}};
    for (const auto& column : panelColumns)
        c[column.panel] = {x(column.left), y(8), x(28), y(184), {}};
    for (const auto& row : channelRows)
        for (int i = 0; i < 6; ++i)
            c[labelName(row.labelPrefix, i).toStdString()] = {{}, y(axisLabelTops[i]), {}, {}, x(8)};
    c["Scope1"] = {x(56), y(32), x(256), y(160), {}};
    out.gridSpacing = x(36);
    c["PodpisWykresLambdaLAB"] = {x(66), y(8), {}, {}, x(10)};
    c["PodpisTH"] = {x(188), y(8), {}, {}, x(10)};
    c["TH_L"] = {x(212), y(8), {}, {}, x(10)};
    c["PodpisTL"] = {x(254), y(8), {}, {}, x(10)};
    c["TL_L"] = {x(278), y(8), {}, {}, x(10)};
    // The inner group's top scales with the width, as the dial meters' heights
    // do, but never comes up over the trace, whose foot scales with the height.
    c["GroupBoxLambdaIn"] = {x(8), std::max(x(200), y(32) + y(160) + y(8)), x(360), y(60), {}};
    for (const auto& cell : checkCells)
        c[cell.name] = {x(cell.left), y(cell.top), x(104), {}, x(8)};
    return out;
}

OscilloscopeGroup::OscilloscopeGroup(QWidget* parent) : QGroupBox(parent)
{
    setObjectName(QStringLiteral("GroupBoxLambda"));
    resize(374, 270);

    // Created first so the label panels stand above the trace where they meet.
    scope_ = new TScope(this, TScope::Creation::Loading);
    scope_->setObjectName(QStringLiteral("Scope1"));
    scope_->setGridSpacing(34);
    scope_->setActive(true);
    for (int channel = 0; channel < TScope::channelCount; ++channel) {
        const auto index = static_cast<std::size_t>(channel);
        scope_->setPosition(channel, std::array{15, 50, 0, 0}[index]);
        scope_->setChannelDrawn(channel, channel == LambdaTrace);
        scope_->setLineColor(channel, QColor(lineColors[index]));
    }
    scope_->setInterval(10);
    scope_->setColor(QColor(QRgb(0xFFFFCA)));
    scope_->setBaseColor(QColor(QRgb(0xDFDFFF)));
    scope_->setGeometry(56, 32, 256, 160);
    scope_->loaded();

    auto* heading = new QLabel(QStringLiteral("CZASY LAMBDA:"), this);
    heading->setObjectName(QStringLiteral("PodpisWykresLambdaLAB"));
    auto* highCaption = new QLabel(QStringLiteral("TH:"), this);
    highCaption->setObjectName(QStringLiteral("PodpisTH"));
    highTime_ = new QLabel(QStringLiteral("0"), this);
    highTime_->setObjectName(QStringLiteral("TH_L"));
    auto* lowCaption = new QLabel(QStringLiteral("TL:"), this);
    lowCaption->setObjectName(QStringLiteral("PodpisTL"));
    lowTime_ = new QLabel(QStringLiteral("0"), this);
    lowTime_->setObjectName(QStringLiteral("TL_L"));

    buildPanels();
    buildChecks();
    buildTraceMenu();

    // The form's own arrangement is the 800 x 600 one, with its own grid.
    OscilloscopeLayout form = layoutOscilloscope(800, 600, 0, 0);
    form.controls.erase("GroupBoxLambda");
    form.controls.erase("Scope1");
    place(form);
}

void OscilloscopeGroup::buildPanels()
{
    for (std::size_t channel = 0; channel < channelRows.size(); ++channel) {
        const ChannelRow& row = channelRows[channel];
        auto* panel = new QFrame(this);
        panel->setObjectName(QLatin1String(row.panel));
        for (int i = 0; i < 6; ++i) {
            auto* label = new QLabel(QString::fromUtf8(row.captions[static_cast<std::size_t>(i)]), panel);
            label->setObjectName(labelName(row.labelPrefix, i));
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, QColor(i == 0 ? row.nameColor : row.labelColor));
            label->setPalette(palette);
            label->move(axisLabelLeft, 0);
        }
        panel->setVisible(channel == LambdaTrace);
        panels_[channel] = panel;
    }
}

void OscilloscopeGroup::buildChecks()
{
    auto* inner = new QGroupBox(this);
    inner->setObjectName(QStringLiteral("GroupBoxLambdaIn"));
    const auto makeCheck = [inner](const char* name, const char* caption, bool checked) {
        auto* box = new QCheckBox(QString::fromUtf8(caption), inner);
        box->setObjectName(QLatin1String(name));
        box->setChecked(checked);
        return box;
    };
    gridCheck_ = makeCheck("CheckSiatka", "S&IATKA", true);
    connect(gridCheck_, &QCheckBox::toggled, this, &OscilloscopeGroup::setGridShown);
    for (std::size_t channel = 0; channel < channelRows.size(); ++channel) {
        QCheckBox* box =
            makeCheck(channelRows[channel].check, channelRows[channel].checkCaption, channel == LambdaTrace);
        connect(box, &QCheckBox::toggled, this,
                [this, channel](bool on) { setChannelShown(static_cast<int>(channel), on); });
        channelChecks_[channel] = box;
    }
    pauseCheck_ = makeCheck("CheckOscyPauza", "&PAUZA", false);
    connect(pauseCheck_, &QCheckBox::toggled, this, [this](bool on) { scope_->setActive(!on); });
}

bool OscilloscopeGroup::paused() const
{
    return pauseCheck_->isChecked();
}

void OscilloscopeGroup::setChannelShown(int channel, bool on)
{
    const auto index = static_cast<std::size_t>(channel);
    traceFeed_[index] = on;
    scope_->setChannelDrawn(channel, on);
    panels_[index]->setVisible(on);
}

void OscilloscopeGroup::setGridShown(bool on)
{
    // Shows from the next wipe: the picture is not redrawn here.
    scope_->setGridColor(on ? QColor(silver) : scope_->color());
}

void OscilloscopeGroup::feed(const params::LiveFrame& frame, float ignitionConstant)
{
    latest_.lambdaVolts = params::lambdaVolts(frame.lambda);
    latest_.tpsVolts = params::tpsVolts(frame.tps);
    latest_.stepper = frame.stepperPosition;
    latest_.rpm = params::engineRpm(frame, ignitionConstant);
    const auto samples = traceSamples(frame, lambdaTraceDivisor_, ignitionConstant);
    for (int channel = 0; channel < TScope::channelCount; ++channel)
        if (traceFeed(channel))
            scope_->setPosition(channel, samples[static_cast<std::size_t>(channel)]);
}

void OscilloscopeGroup::showHighTime(int ms)
{
    highTime_->setText(QString::number(ms));
    highTime_->adjustSize();
}

void OscilloscopeGroup::showLowTime(int ms)
{
    lowTime_->setText(QString::number(ms));
    lowTime_->adjustSize();
}

void OscilloscopeGroup::applyProbeType(int item)
{
    const auto settings = probeTypeSettings(item);
    if (!settings)
        return;
    probeSettings_ = settings;
    probeItem_ = item;
    probeClampRange_ = {settings->clampLow, settings->clampHigh};
    lambdaTraceDivisor_ = settings->traceDivisor;
    probeFalling_ = settings->falling;
    for (int i = 1; i <= 5; ++i) {
        auto* label = findChild<QLabel*>(labelName("VLAB", i));
        const auto text = settings->axisLabels[static_cast<std::size_t>(i - 1)];
        label->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        label->adjustSize();
    }
    emit probeTypeApplied(*settings);
}

void OscilloscopeGroup::layout(int windowWidth, int windowHeight, int tpsMeterWidth, int pageHeight)
{
    const OscilloscopeLayout numbers = layoutOscilloscope(windowWidth, windowHeight, tpsMeterWidth, pageHeight);
    place(numbers);
    // The new size first, then the grid, which wipes the resized picture.
    scope_->setGridSpacing(numbers.gridSpacing);
}

void OscilloscopeGroup::place(const OscilloscopeLayout& layout)
{
    for (const auto& [name, where] : layout.controls) {
        QWidget* widget = name == "GroupBoxLambda" ? this : findChild<QWidget*>(QString::fromStdString(name));
        if (!widget)
            continue;
        // A size 0 font would mean the toolkit's default; tiny windows keep theirs.
        if (where.fontSize && *where.fontSize > 0) {
            QFont font = widget->font();
            font.setPointSize(*where.fontSize);
            widget->setFont(font);
        }
        QRect geometry = widget->geometry();
        if (qobject_cast<QLabel*>(widget))
            geometry.setSize(widget->sizeHint());  // labels size themselves to their text
        else if (qobject_cast<QCheckBox*>(widget))
            geometry.setHeight(widget->sizeHint().height());
        geometry.moveTo(where.left.value_or(geometry.left()), where.top.value_or(geometry.top()));
        if (where.width)
            geometry.setWidth(*where.width);
        if (where.height)
            geometry.setHeight(*where.height);
        widget->setGeometry(geometry);
    }
}

}  // namespace dravinor::live
