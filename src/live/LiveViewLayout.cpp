#include "LiveViewLayout.h"

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

LiveViewLayout layoutLiveView(const LiveViewInput& whole)
{
    LiveViewInput in = whole;
    const LiveViewArea area = liveViewArea(whole.windowWidth, whole.windowHeight, whole.pageWidth, whole.pageHeight);
    in.windowWidth = area.windowWidth;
    in.windowHeight = area.windowHeight;
    in.pageWidth = area.pageWidth;
    in.pageHeight = area.pageHeight;
    const float sx = static_cast<float>(in.windowWidth) / 800.0f;
    const float sy = static_cast<float>(in.windowHeight) / 600.0f;
    const int W = in.windowWidth;
    const int H = in.windowHeight;
    const auto measure = [&](const std::string& name, int points) {
        return in.textSize ? in.textSize(name, points) : std::pair<int, int>{0, 0};
    };
    LiveViewLayout out;
    out.area = area;
    auto& c = out.controls;

    // The lambda bar and its captions; rich and lean swap sides with a
    // falling probe.
    const int barLeft = W / 16;
    const int barTop = roundHalfUp(35 * sy);
    const int barWidth = roundHalfUp(65 * sx);
    const int barHeight = roundHalfUp(185 * sy);
    c["Lambda_Bar"] = {barLeft, barTop, barWidth, barHeight, {}};
    out.lambdaMinimumBarWidth = trunc(35 * sx);
    const int richLeanFont = roundHalfUp(12 * sx);
    const int aboveBar = barTop - H / 24;
    const int belowBar = H / 240 + barTop + barHeight;
    c["Lambda_boL"] = {barLeft, in.probeFalling ? belowBar : aboveBar, barWidth, {}, richLeanFont};
    c["Lambda_ubL"] = {barLeft, in.probeFalling ? aboveBar : belowBar, barWidth, {}, richLeanFont};
    const int lambdaFont = roundHalfUp(14 * sx);
    const int lambdaLabelLeft = trunc(barLeft - 2.0 * lambdaFont);
    c["Lambda_L"] = {lambdaLabelLeft, barTop + barHeight / 8, {}, {}, lambdaFont};
    c["Lambda_BarED"] = {trunc(barLeft + barWidth * 1.1), trunc(barTop + barHeight * 0.4444444444),
                         roundHalfUp(64 * sx), roundHalfUp(28 * sy), roundHalfUp(14 * sx)};

    // The actuator picture with its tank gauge in the window.
    const int pictureLeft = trunc(W * 0.3571428571);
    const int pictureTop = trunc(56 * sy);
    const int pictureWidth = roundHalfUp(240 * sx);
    const int pictureHeight = roundHalfUp(100 * sy);
    c["Silnik_barIMG"] = {pictureLeft, pictureTop, pictureWidth, pictureHeight, {}};
    const int tankLeft = trunc(pictureLeft + pictureHeight * 0.8196721311);
    c["Silnik_Bar"] = {tankLeft, trunc(pictureTop + pictureHeight * 0.15), roundHalfUp(80 * sx),
                       roundHalfUp(80 * sy), {}};
    // "otwarty" sits on the picture and the name on "otwarty"; where their
    // fonts are tall for the room the formula leaves, they move up instead
    // of running into each other.
    const int nameFont = roundHalfUp(20 * sx);
    const int openFont = roundHalfUp(12 * sx);
    const int openTop = std::min(pictureTop - H / 30, pictureTop - measure("Silnik_Bar_OtwL", openFont).second);
    const int nameTop = std::min(pictureTop - H / 12, openTop - measure("Silnik_Bar_NazL", nameFont).second);
    c["Silnik_Bar_NazL"] = {pictureLeft, nameTop, pictureWidth, {}, nameFont};
    c["Silnik_Bar_OtwL"] = {pictureLeft, openTop, pictureWidth, {}, openFont};
    const int closedTop = H / 240 + pictureTop + pictureHeight;
    const int closedFont = roundHalfUp(12 * sx);
    c["Silnik_Bar_ZamL"] = {pictureLeft, closedTop, pictureWidth, {}, closedFont};
    const int stepperPanelHeight = roundHalfUp(28 * sy);
    c["Silnik_BarED"] = {stepperPanelHeight / 3 + tankLeft,
                         trunc(closedTop + measure("Silnik_Bar_ZamL", closedFont).second * 1.3),
                         roundHalfUp(64 * sx), stepperPanelHeight, roundHalfUp(14 * sx)};

    // The thermometer and its panel at the right.
    const int thermometerLeft = trunc(W * 0.8695652174);
    const int thermometerTop = trunc(30 * sy);
    const int thermometerHeight = roundHalfUp(185 * sy);
    c["TermViz"] = {thermometerLeft, thermometerTop, roundHalfUp(65 * sx), thermometerHeight, {}};
    out.thermometerMinimumBarWidth = roundHalfUp(6 * sy);
    out.thermometerScaleFont = trunc(8 * sx);
    c["TermVizED"] = {thermometerLeft, thermometerTop + thermometerHeight, roundHalfUp(64 * sx),
                      roundHalfUp(28 * sy), roundHalfUp(14 * sx)};

    // The fuel switch under the lambda bar, its state beside it.
    const int buttonWidth = trunc(43 * sx);
    const int buttonHeight = trunc(43 * sy);
    const int buttonTop = trunc(270 * sy);
    const int lambdaLabelWidth = measure("Lambda_L", lambdaFont).first;
    const int buttonLeft = trunc(lambdaLabelLeft - sx * 0.5 * lambdaLabelWidth);
    c["SwitchVIZ"] = {buttonLeft, buttonTop, buttonWidth, buttonHeight, {}};
    // The fuel state beside the switch, never under it.
    const int stateLeft = std::max(trunc(sx * 0.3 * buttonWidth + buttonWidth), buttonLeft + buttonWidth + 2);
    c["BenzGazLed"] = {stateLeft, trunc(buttonTop + buttonHeight * sy * 0.2), {}, {}, roundHalfUp(12 * sx)};
    c["Przelacznik_NazL"] = {buttonLeft, trunc(buttonTop + buttonHeight * 1.1), {}, {}, trunc(10 * sx)};

    // The two pointer meters in the lower corners; their heights scale
    // with the width so they keep their proportions.
    out.meterMainFont = trunc(15 * sx);
    out.meterScaleFont = trunc(14 * sx);
    const int panelWidth = trunc(64 * sx);
    const int panelHeight = trunc(28 * sy);
    const int panelTop = trunc(in.pageHeight - panelHeight * 1.5);
    const int tpsWidth = roundHalfUp(200 * sx);
    const int tpsHeight = roundHalfUp(140 * sx);
    c["Manometr_TPS"] = {0, trunc(panelTop - tpsHeight * 1.05), tpsWidth, tpsHeight, {}};
    c["Manometr_TPSED"] = {tpsWidth / 3, panelTop, panelWidth, panelHeight, trunc(14 * sx)};
    const int rpmWidth = roundHalfUp(200 * sx);
    const int rpmHeight = roundHalfUp(190 * sx);
    const int rpmLeft = trunc(in.pageWidth - rpmWidth * 1.05);
    c["Manometr_RPM"] = {rpmLeft, trunc(panelTop - rpmHeight * 1.05), rpmWidth, rpmHeight, {}};
    c["Manometr_RPMED"] = {rpmWidth / 3 + rpmLeft, panelTop, panelWidth, panelHeight, trunc(14 * sx)};

    for (const char* name : livePanels) {
        Placement& panel = c[name];
        fitPanel(panel, measure(name, panel.fontSize.value_or(0)));
    }
    for (auto& [name, placement] : c) {
        if (placement.left)
            *placement.left += area.dx;
        if (placement.top)
            *placement.top += area.dy;
    }
    return out;
}

}  // namespace dravinor::live
