#include "LiveViewLayout.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(layout.controls.at("Lambda_boL").top, 35 - 25);      // rich above
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
