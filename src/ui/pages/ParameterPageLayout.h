#pragma once

#include <array>
#include <map>
#include <string>

namespace dravinor::ui {

struct Geometry {
    int left = 0;
    int top = 0;
    int width = -1;     // -1: leave as it is
    int height = -1;    // -1: leave as it is
    int fontSize = -1;  // point size; -1: leave as it is
    bool operator==(const Geometry&) const = default;
};

// The proportional layout of the two parameter pages for an outer window
// size W x H. rowHeight is the height a single-line text field takes at
// font size F (the caller measures it with the toolkit).
struct ParameterPagesLayout {
    int usableWidth = 0;            // U
    int baseFont = 0;               // B
    int fontSize = 0;               // F
    int rowHeight = 0;              // R
    int fieldWidth = 0;             // FW
    int groupWidth = 0;             // GW
    int groupCaptionFont = 0;       // 0 at H <= 300: group boxes then keep their font
    int rowShift = 0;               // rows moved down to clear a tall group caption
    std::array<int, 40> rowTops{};  // y0..y39, inside a group box
    // By objectName: groups, caption labels, fields (MOAttuatora as the last
    // row of GroupBox8), check boxes, the hint labels Komentarz1L,
    // Komentarz2L, Komentarz3L and the five buttons.
    std::map<std::string, Geometry> widgets;
};

// The font size F of the pages for an outer window size (rowHeight is
// measured at it). It follows the height, but a window taller than 5:4
// takes it from its width, so that the fields' texts still fit their
// columns.
int parameterPagesFontSize(int windowWidth, int windowHeight);
// The group captions' font size; 0 where they keep the toolkit's.
int parameterPagesCaptionFontSize(int windowWidth, int windowHeight);
// captionHeight: the height of a group caption at its font (measured by the
// caller); the rows stay below it.
ParameterPagesLayout layoutParameterPages(int windowWidth, int windowHeight, int rowHeight, int captionHeight = 0);

}  // namespace dravinor::ui
