#pragma once

#include <array>
#include <map>
#include <string>

namespace dravinor::ui {

struct Geometry {
    int left = 0;
    int top = 0;
    int width = -1;   // -1: leave as it is
    int height = -1;  // -1: leave as it is
    int fontSize = -1;  // point size; -1: leave as it is
    bool operator==(const Geometry&) const = default;
};

// The proportional layout of the two parameter pages for an outer window
// size W x H. rowHeight is the height a single-line text field takes at
// font size F (the caller measures it with the toolkit).
struct ParameterPagesLayout {
    int usableWidth = 0;       // U
    int baseFont = 0;          // B
    int fontSize = 0;          // F
    int rowHeight = 0;         // R
    int fieldWidth = 0;        // FW
    int groupWidth = 0;        // GW
    int groupCaptionFont = 0;  // 0 at H <= 300: group boxes then keep their font
    std::array<int, 40> rowTops{};  // y0..y39, inside a group box
    // By objectName: groups, caption labels, fields, check boxes, the hint
    // labels Komentarz1L/Komentarz2L/Komentarz3L and the five buttons.
    std::map<std::string, Geometry> widgets;
};

// The font size F of the pages at window height H (rowHeight is measured at it).
int parameterPagesFontSize(int windowHeight);
ParameterPagesLayout layoutParameterPages(int windowWidth, int windowHeight, int rowHeight);

}  // namespace dravinor::ui
