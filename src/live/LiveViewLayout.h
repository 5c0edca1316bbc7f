#pragma once

#include "Placement.h"

#include <functional>
#include <map>
#include <string>

namespace dravinor::live {

// What the live page's layout needs besides the window size.
struct LiveViewInput {
    int windowWidth = 800;   // outer size of the main window
    int windowHeight = 600;
    int pageWidth = 800;     // the page's own client size
    int pageHeight = 560;
    bool probeFalling = false;
    // Width and height of a label's text at a font size (points), measured
    // by the caller's toolkit.
    std::function<std::pair<int, int>(const std::string& name, int pointSize)> textSize;
};

struct LiveViewLayout {
    std::map<std::string, Placement> controls;  // by objectName
    int lambdaMinimumBarWidth = 0;
    int thermometerMinimumBarWidth = 0;
    int thermometerScaleFont = 0;
    int meterMainFont = 0;   // main and unit font of both pointer meters
    int meterScaleFont = 0;
};

// The visualisation page scaled from its 800 x 600 design: scaleX = W / 800,
// scaleY = H / 600; the oscilloscope group is laid out on its own.
LiveViewLayout layoutLiveView(const LiveViewInput& input);

}  // namespace dravinor::live
