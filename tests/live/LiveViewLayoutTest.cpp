#include "live/LiveViewLayout.h"
#include "live/OscilloscopeGroup.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using namespace dravinor::live;

namespace {
LiveViewInput at(int width, int height, bool falling = false)
{
    LiveViewInput input;
    input.windowWidth = width;
    input.windowHeight = height;
    input.pageWidth = width - 8;
    input.pageHeight = height - 60;
    input.probeFalling = falling;
    input.textSize = [](const std::string&, int points) { return std::pair<int, int>{points, 2 * points}; };
    return input;
}
}  // namespace

TEST(LiveViewLayout, DesignSizeKeepsTheFormNumbers)
{
    const auto layout = layoutLiveView(at(800, 600));
    const Placement& bar = layout.controls.at("Lambda_Bar");
    EXPECT_EQ(bar, (Placement{50, 35, 65, 185, {}}));
    EXPECT_EQ(layout.lambdaMinimumBarWidth, 35);
    EXPECT_EQ(layout.controls.at("Lambda_boL").top, 35 - 25);       // rich above
    EXPECT_EQ(layout.controls.at("Lambda_ubL").top, 2 + 35 + 185);  // lean below
    EXPECT_EQ(layout.controls.at("Silnik_barIMG"), (Placement{285, 56, 240, 100, {}}));
    EXPECT_EQ(layout.controls.at("Silnik_Bar").left, 285 + 81);
    EXPECT_EQ(layout.controls.at("TermViz").left, 695);
    EXPECT_EQ(layout.controls.at("Manometr_TPS").width, 200);
    EXPECT_EQ(layout.controls.at("Manometr_RPM").height, 190);
    // The stepper panel sits 1.3 label heights under "zamknięty".
    EXPECT_EQ(layout.controls.at("Silnik_BarED").top, 2 + 56 + 100 + static_cast<int>(24 * 1.3));
}

TEST(LiveViewLayout, FallingProbeSwapsRichAndLean)
{
    const auto rising = layoutLiveView(at(800, 600));
    const auto falling = layoutLiveView(at(800, 600, true));
    EXPECT_EQ(falling.controls.at("Lambda_boL").top, rising.controls.at("Lambda_ubL").top);
    EXPECT_EQ(falling.controls.at("Lambda_ubL").top, rising.controls.at("Lambda_boL").top);
}

TEST(LiveViewLayout, MetersStandOnTheirPanelsAtTheFootOfThePage)
{
    for (const auto& [width, height] : {std::pair{640, 480}, {933, 677}, {1280, 1024}}) {
        const auto layout = layoutLiveView(at(width, height));
        const auto& tps = layout.controls.at("Manometr_TPS");
        const auto& panel = layout.controls.at("Manometr_TPSED");
        EXPECT_LT(*tps.top + *tps.height, *panel.top) << width;
        EXPECT_LE(*panel.top + *panel.height, height - 60) << width;
        const auto& rpm = layout.controls.at("Manometr_RPM");
        EXPECT_LE(*rpm.left + *rpm.width, width - 8) << width;
        EXPECT_GT(*rpm.left, *tps.left + *tps.width) << width;
    }
}

namespace {

struct Rect {
    std::string name;
    int left, top, right, bottom;
    bool overlaps(const Rect& o) const { return left < o.right && o.left < right && top < o.bottom && o.top < bottom; }
};

// Text sizes of the page's captions and panels, as a toolkit would give
// them roughly: a character is at most 0.8 of the point size wide, a line
// 1.6 points high.
std::pair<int, int> roughTextSize(const std::string& name, int points)
{
    static const std::map<std::string, std::pair<int, int>> texts{
        // characters, lines
        {"Lambda_L", {1, 6}},        {"Lambda_ubL", {5, 1}},      {"Lambda_boL", {6, 1}}, {"Silnik_Bar_NazL", {14, 1}},
        {"Silnik_Bar_OtwL", {7, 1}}, {"Silnik_Bar_ZamL", {9, 1}}, {"BenzGazLed", {7, 1}}, {"Przelacznik_NazL", {11, 1}},
        {"Lambda_BarED", {5, 1}},    {"Silnik_BarED", {3, 1}},    {"TermVizED", {4, 1}},  {"Manometr_TPSED", {6, 1}},
        {"Manometr_RPMED", {5, 1}},
    };
    const auto it = texts.find(name);
    const auto [chars, lines] = it == texts.end() ? std::pair{1, 1} : it->second;
    return {static_cast<int>(chars * points * 0.8), static_cast<int>(lines * points * 1.6)};
}

std::vector<Rect> pageRects(int w, int h)
{
    LiveViewInput input;
    input.windowWidth = w;
    input.windowHeight = h;
    input.pageWidth = w - 8;
    input.pageHeight = h - 60;
    input.textSize = roughTextSize;
    const auto layout = layoutLiveView(input);
    std::vector<Rect> rects;
    for (const auto& [name, p] : layout.controls) {
        if (name == "Silnik_Bar")
            continue;  // the gauge stands in the actuator's picture by design
        const auto text = roughTextSize(name, p.fontSize.value_or(8));
        const int width = p.width.value_or(text.first);
        const int height = p.height.value_or(text.second);
        rects.push_back({name, *p.left, *p.top, *p.left + width, *p.top + height});
    }
    // The oscilloscope group beside the TPS meter, laid out in the same area.
    const LiveViewArea& area = layout.area;
    const auto scope = layoutOscilloscope(area.windowWidth, area.windowHeight,
                                          *layout.controls.at("Manometr_TPS").width, area.pageHeight);
    const Placement& g = scope.controls.at("GroupBoxLambda");
    rects.push_back({"GroupBoxLambda", *g.left + area.dx, *g.top + area.dy, *g.left + area.dx + *g.width,
                     *g.top + area.dy + *g.height});
    return rects;
}

template <typename Check>
void overShapes(Check check)
{
    for (int w = 640; w <= 1920; w += 64)
        for (int h = 480; h <= 1200; h += 40)
            if (2 * w >= h && w <= 3 * h)
                check(w, h, std::to_string(w) + "x" + std::to_string(h));
}

}  // namespace

// At 1500 x 560 the captions sat on the instruments and the thermometer
// behind the RPM dial; at 560 x 900 the parts ran into each other the other
// way. At every shape the controls stay apart and on the page.
TEST(LiveViewLayout, CaptionsOnTheInstrumentsAtWideAndTallWindows)
{
    overShapes([](int w, int h, const std::string& where) {
        const auto rects = pageRects(w, h);
        for (std::size_t i = 0; i < rects.size(); ++i) {
            const Rect& a = rects[i];
            EXPECT_GE(a.left, 0) << where << " " << a.name;
            EXPECT_GE(a.top, 0) << where << " " << a.name;
            EXPECT_LE(a.right, w - 8) << where << " " << a.name;
            EXPECT_LE(a.bottom, h - 60) << where << " " << a.name;
            for (std::size_t j = i + 1; j < rects.size(); ++j)
                EXPECT_FALSE(a.overlaps(rects[j])) << where << " " << a.name << " / " << rects[j].name;
        }
    });
}

// Inside the oscilloscope group the check boxes' panel stays under the
// trace, and the trace and its panel stay inside the group.
TEST(LiveViewLayout, CheckBoxPanelCoversTheTrace)
{
    overShapes([](int w, int h, const std::string& where) {
        const LiveViewArea area = liveViewArea(w, h, w - 8, h - 60);
        const auto c = layoutOscilloscope(area.windowWidth, area.windowHeight, 200, area.pageHeight).controls;
        const Placement& scope = c.at("Scope1");
        const Placement& checks = c.at("GroupBoxLambdaIn");
        const Placement& group = c.at("GroupBoxLambda");
        EXPECT_LE(*scope.top + *scope.height, *checks.top) << where;
        EXPECT_LE(*checks.top + *checks.height, *group.height) << where;
        EXPECT_LE(*checks.left + *checks.width, *group.width) << where;
    });
}

// The menu sizes keep the design's numbers; other shapes take the largest
// area between 5:4 and 4:3, centred.
TEST(LiveViewLayout, AreaFollowsTheMenuShapes)
{
    for (const auto& [w, h] : {std::pair{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}}) {
        const LiveViewArea area = liveViewArea(w, h, w - 8, h - 60);
        EXPECT_EQ(area, (LiveViewArea{w, h, w - 8, h - 60, 0, 0})) << w;
    }
    EXPECT_EQ(liveViewArea(1500, 560, 1492, 500), (LiveViewArea{747, 560, 739, 500, 376, 0}));
    EXPECT_EQ(liveViewArea(640, 1200, 632, 1140), (LiveViewArea{640, 512, 632, 452, 0, 344}));
}

// The bold value panels hold their widest value: "12.30V" was cut.
TEST(LiveViewLayout, TpsPanelCutsTheBoldValue)
{
    LiveViewInput input = at(800, 600);
    input.textSize = [](const std::string& name, int points) {
        return name == "Manometr_TPSED" ? std::pair{80, points * 2} : std::pair{points, 2 * points};
    };
    const auto layout = layoutLiveView(input);
    EXPECT_EQ(layout.controls.at("Manometr_TPSED").width, 86);
    EXPECT_EQ(layout.controls.at("Manometr_RPMED").width, 64);  // room enough: the design's width
}
