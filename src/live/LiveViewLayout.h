#pragma once

#include "live/Placement.h"

#include <functional>
#include <map>
#include <string>

namespace dravinor::live {

// What the live page's layout needs besides the window size.
struct LiveViewInput {
    int windowWidth = 800;  // outer size of the main window
    int windowHeight = 600;
    int pageWidth = 800;  // the page's own client size
    int pageHeight = 560;
    bool probeFalling = false;
    // Width and height of a label's text at a font size (points), measured
    // by the caller's toolkit.
    std::function<std::pair<int, int>(const std::string& name, int pointSize)> textSize;
};

// The part of the page the design is scaled into. A window shaped like the
// menu sizes (from 5:4 to 4:3) uses all of it; a wider or taller one uses
// the largest such area, centred, so that nothing is stretched apart or
// pushed into its neighbour.
struct LiveViewArea {
    int windowWidth = 0;  // the outer size the scale factors come from
    int windowHeight = 0;
    int pageWidth = 0;
    int pageHeight = 0;
    int dx = 0;  // offset of the area inside the page
    int dy = 0;
    bool operator==(const LiveViewArea&) const = default;
};
LiveViewArea liveViewArea(int windowWidth, int windowHeight, int pageWidth, int pageHeight);

// The value panels: their bold text must fit at their font, so the caller's
// text measure gives the size of each panel's widest value for them.
inline constexpr const char* livePanels[] = {"Lambda_BarED", "Silnik_BarED", "TermVizED", "Manometr_TPSED",
                                             "Manometr_RPMED"};

struct LiveViewLayout {
    LiveViewArea area;
    std::map<std::string, Placement> controls;  // by objectName
    int lambdaMinimumBarWidth = 0;
    int thermometerMinimumBarWidth = 0;
    int thermometerScaleFont = 0;
    int meterMainFont = 0;  // main and unit font of both pointer meters
    int meterScaleFont = 0;
};

// The visualisation page scaled from its 800 x 600 design: scaleX = W / 800,
// scaleY = H / 600; the oscilloscope group is laid out on its own.
LiveViewLayout layoutLiveView(const LiveViewInput& input);

}  // namespace dravinor::live
