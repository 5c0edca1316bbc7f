#include "live/LiveViewLayout.h"

#include <algorithm>
#include <cmath>

namespace dravinor::live {

namespace {

int roundHalfUp(double x)
{
    return static_cast<int>(std::trunc(x + 0.5));
}

int trunc(double x)
{
    return static_cast<int>(std::trunc(x));
}

// A panel at least as large as its widest value in its bold font.
void fitPanel(Placement& panel, std::pair<int, int> text)
{
    constexpr int frame = 6;  // sunken frame and a little air on both sides
    panel.width = std::max(panel.width.value_or(0), text.first + frame);
    panel.height = std::max(panel.height.value_or(0), text.second + frame / 2);
}

}  // namespace

LiveViewArea liveViewArea(int windowWidth, int windowHeight, int pageWidth, int pageHeight)
{
    constexpr double widest = 4.0 / 3.0;
    constexpr double narrowest = 5.0 / 4.0;
    LiveViewArea area{windowWidth, windowHeight, pageWidth, pageHeight, 0, 0};
    if (windowHeight <= 0 || windowWidth <= 0)
        return area;
    const double shape = static_cast<double>(windowWidth) / windowHeight;
    if (shape > widest + 1e-9)
        area.windowWidth = static_cast<int>(std::lround(windowHeight * widest));
    else if (shape < narrowest - 1e-9)
        area.windowHeight = static_cast<int>(std::lround(windowWidth / narrowest));
    area.pageWidth = pageWidth - (windowWidth - area.windowWidth);
    area.pageHeight = pageHeight - (windowHeight - area.windowHeight);
    area.dx = (windowWidth - area.windowWidth) / 2;
    area.dy = (windowHeight - area.windowHeight) / 2;
    return area;
}

namespace {

// Shares of the design the layout keeps to ten places, as drawn: written as
// the fractions they stand for they would round a pixel differently.
constexpr double lambdaPanelDrop = 0.4444444444;       // 4/9 of the bar's height
constexpr double pictureLeftShare = 0.3571428571;      // 25/70 of the width
constexpr double tankInPicture = 0.8196721311;         // 50/61 of the picture's height
constexpr double thermometerLeftShare = 0.8695652174;  // 20/23 of the width

// What every step of the layout scales and measures with.
struct Scale {
    float sx = 1;
    float sy = 1;
    int W = 0;
    int H = 0;
    const LiveViewInput& in;

    std::pair<int, int> measure(const std::string& name, int points) const
    {
        return in.textSize ? in.textSize(name, points) : std::pair<int, int>{0, 0};
    }
};

// Where the lambda caption stands and its font: the fuel switch lines up with it.
struct LambdaCaption {
    int left = 0;
    int font = 0;
};

// The lambda bar and its captions; rich and lean swap sides with a falling
// probe.
LambdaCaption placeLambdaBar(const Scale& s, LiveViewLayout& out)
{
    auto& c = out.controls;
    const float sx = s.sx;
    const float sy = s.sy;
    const int barLeft = s.W / 16;
    const int barTop = roundHalfUp(35 * sy);
    const int barWidth = roundHalfUp(65 * sx);
    const int barHeight = roundHalfUp(185 * sy);
    c["Lambda_Bar"] = {barLeft, barTop, barWidth, barHeight, {}};
    out.lambdaMinimumBarWidth = trunc(35 * sx);
    const int richLeanFont = roundHalfUp(12 * sx);
    const int aboveBar = barTop - s.H / 24;
    const int belowBar = s.H / 240 + barTop + barHeight;
    // A caption wider than the bar (Russian "богатая") widens about the
    // bar's middle instead of losing its first and last letters.
    const auto richLean = [&](const char* name, int top) {
        const int width = std::max(barWidth, s.measure(name, richLeanFont).first + 4);
        return Placement{barLeft - (width - barWidth) / 2, top, width, {}, richLeanFont};
    };
    c["Lambda_boL"] = richLean("Lambda_boL", s.in.probeFalling ? belowBar : aboveBar);
    c["Lambda_ubL"] = richLean("Lambda_ubL", s.in.probeFalling ? aboveBar : belowBar);
    const int lambdaFont = roundHalfUp(14 * sx);
    const int lambdaLabelLeft = trunc(barLeft - 2.0 * lambdaFont);
    c["Lambda_L"] = {lambdaLabelLeft, barTop + barHeight / 8, {}, {}, lambdaFont};
    c["Lambda_BarED"] = {trunc(barLeft + barWidth * 1.1), trunc(barTop + barHeight * lambdaPanelDrop),
                         roundHalfUp(64 * sx), roundHalfUp(28 * sy), roundHalfUp(14 * sx)};
    return {lambdaLabelLeft, lambdaFont};
}

// The actuator picture with its tank gauge in the window.
void placeActuatorPicture(const Scale& s, LiveViewLayout& out)
{
    auto& c = out.controls;
    const float sx = s.sx;
    const float sy = s.sy;
    const int H = s.H;
    const int pictureLeft = trunc(s.W * pictureLeftShare);
    const int pictureTop = trunc(56 * sy);
    const int pictureWidth = roundHalfUp(240 * sx);
    const int pictureHeight = roundHalfUp(100 * sy);
    c["Silnik_barIMG"] = {pictureLeft, pictureTop, pictureWidth, pictureHeight, {}};
    const int tankLeft = trunc(pictureLeft + pictureHeight * tankInPicture);
    c["Silnik_Bar"] = {
        tankLeft, trunc(pictureTop + pictureHeight * 0.15), roundHalfUp(80 * sx), roundHalfUp(80 * sy), {}};
    // "otwarty" sits on the picture and the name on "otwarty"; where their
    // fonts are tall for the room the formula leaves, they move up instead
    // of running into each other.
    const int nameFont = roundHalfUp(20 * sx);
    const int openFont = roundHalfUp(12 * sx);
    const int openTop = std::min(pictureTop - H / 30, pictureTop - s.measure("Silnik_Bar_OtwL", openFont).second);
    const int nameTop = std::min(pictureTop - H / 12, openTop - s.measure("Silnik_Bar_NazL", nameFont).second);
    c["Silnik_Bar_NazL"] = {pictureLeft, nameTop, pictureWidth, {}, nameFont};
    c["Silnik_Bar_OtwL"] = {pictureLeft, openTop, pictureWidth, {}, openFont};
    const int closedTop = H / 240 + pictureTop + pictureHeight;
    const int closedFont = roundHalfUp(12 * sx);
    c["Silnik_Bar_ZamL"] = {pictureLeft, closedTop, pictureWidth, {}, closedFont};
    const int stepperPanelHeight = roundHalfUp(28 * sy);
    c["Silnik_BarED"] = {stepperPanelHeight / 3 + tankLeft,
                         trunc(closedTop + s.measure("Silnik_Bar_ZamL", closedFont).second * 1.3), roundHalfUp(64 * sx),
                         stepperPanelHeight, roundHalfUp(14 * sx)};
}

// The thermometer and its panel at the right.
void placeThermometer(const Scale& s, LiveViewLayout& out)
{
    auto& c = out.controls;
    const int thermometerLeft = trunc(s.W * thermometerLeftShare);
    const int thermometerTop = trunc(30 * s.sy);
    const int thermometerHeight = roundHalfUp(185 * s.sy);
    c["TermViz"] = {thermometerLeft, thermometerTop, roundHalfUp(65 * s.sx), thermometerHeight, {}};
    out.thermometerMinimumBarWidth = roundHalfUp(6 * s.sy);
    out.thermometerScaleFont = trunc(8 * s.sx);
    c["TermVizED"] = {thermometerLeft, thermometerTop + thermometerHeight, roundHalfUp(64 * s.sx),
                      roundHalfUp(28 * s.sy), roundHalfUp(14 * s.sx)};
}

// The fuel switch under the lambda bar, its state beside it.
void placeFuelSwitch(const Scale& s, const LambdaCaption& lambda, LiveViewLayout& out)
{
    auto& c = out.controls;
    const float sx = s.sx;
    const int buttonWidth = trunc(43 * sx);
    const int buttonHeight = trunc(43 * s.sy);
    const int buttonTop = trunc(270 * s.sy);
    const int lambdaLabelWidth = s.measure("Lambda_L", lambda.font).first;
    const int buttonLeft = trunc(lambda.left - sx * 0.5 * lambdaLabelWidth);
    c["SwitchVIZ"] = {buttonLeft, buttonTop, buttonWidth, buttonHeight, {}};
    // The fuel state beside the switch, never under it.
    const int stateLeft = std::max(trunc(sx * 0.3 * buttonWidth + buttonWidth), buttonLeft + buttonWidth + 2);
    c["BenzGazLed"] = {
        stateLeft, trunc(buttonTop + static_cast<float>(buttonHeight) * s.sy * 0.2), {}, {}, roundHalfUp(12 * sx)};
    c["Przelacznik_NazL"] = {buttonLeft, trunc(buttonTop + buttonHeight * 1.1), {}, {}, trunc(10 * sx)};
}

// The two pointer meters in the lower corners; their heights scale with the
// width so they keep their proportions.
void placeMeters(const Scale& s, LiveViewLayout& out)
{
    auto& c = out.controls;
    const float sx = s.sx;
    out.meterMainFont = trunc(15 * sx);
    out.meterScaleFont = trunc(14 * sx);
    const int panelWidth = trunc(64 * sx);
    const int panelHeight = trunc(28 * s.sy);
    const int panelTop = trunc(s.in.pageHeight - panelHeight * 1.5);
    const int tpsWidth = roundHalfUp(200 * sx);
    const int tpsHeight = roundHalfUp(140 * sx);
    c["Manometr_TPS"] = {0, trunc(panelTop - tpsHeight * 1.05), tpsWidth, tpsHeight, {}};
    c["Manometr_TPSED"] = {tpsWidth / 3, panelTop, panelWidth, panelHeight, trunc(14 * sx)};
    const int rpmWidth = roundHalfUp(200 * sx);
    const int rpmHeight = roundHalfUp(190 * sx);
    const int rpmLeft = trunc(s.in.pageWidth - rpmWidth * 1.05);
    c["Manometr_RPM"] = {rpmLeft, trunc(panelTop - rpmHeight * 1.05), rpmWidth, rpmHeight, {}};
    c["Manometr_RPMED"] = {rpmWidth / 3 + rpmLeft, panelTop, panelWidth, panelHeight, trunc(14 * sx)};
}

}  // namespace

LiveViewLayout layoutLiveView(const LiveViewInput& whole)
{
    LiveViewInput in = whole;
    const LiveViewArea area = liveViewArea(whole.windowWidth, whole.windowHeight, whole.pageWidth, whole.pageHeight);
    in.windowWidth = area.windowWidth;
    in.windowHeight = area.windowHeight;
    in.pageWidth = area.pageWidth;
    in.pageHeight = area.pageHeight;
    const Scale scale{static_cast<float>(in.windowWidth) / 800.0f, static_cast<float>(in.windowHeight) / 600.0f,
                      in.windowWidth, in.windowHeight, in};
    LiveViewLayout out;
    out.area = area;

    const LambdaCaption lambda = placeLambdaBar(scale, out);
    placeActuatorPicture(scale, out);
    placeThermometer(scale, out);
    placeFuelSwitch(scale, lambda, out);
    placeMeters(scale, out);

    for (const char* name : livePanels) {
        Placement& panel = out.controls[name];
        fitPanel(panel, scale.measure(name, panel.fontSize.value_or(0)));
    }
    // Into the centred area.
    for (auto& [name, placement] : out.controls) {
        if (placement.left)
            *placement.left += area.dx;
        if (placement.top)
            *placement.top += area.dy;
    }
    return out;
}

}  // namespace dravinor::live
