#pragma once

#include "ui/pages/ParameterPageLayout.h"

#include <map>
#include <string>

namespace dravinor::ui {

// Controls that share a place and are never shown together: the three row
// sets of PanelAA2_2 take turns.
enum class WizardLayer { Always, TpsRows, LambdaRows, EmulationRows };

struct WizardPlace {
    std::string page;  // AA1, AA2, AA4, AA5
    Geometry geometry;
    WizardLayer layer = WizardLayer::Always;
    bool container = false;  // a frame drawn behind other controls
    bool wraps = false;      // a label whose text breaks into lines
};

// The base design is drawn for a wizard page of this size (the page inside
// AutoTab of a 933 x 677 window) and scaled to the real one.
inline constexpr int wizardBaseWidth = 900;
inline constexpr int wizardBaseHeight = 540;

// The wizard pages' controls by objectName for a page of pageWidth x
// pageHeight pixels: rectangles in page coordinates and point sizes.
// Instruments keep their proportions (square dials).
std::map<std::string, WizardPlace> layoutWizardPages(int pageWidth, int pageHeight);

// The point size of the wizard's texts on a page of that size.
int wizardFontSize(int pageWidth, int pageHeight);

}  // namespace dravinor::ui
