#include "ui/pages/ParameterPageLayout.h"

#include "params/Conversions.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

namespace dravinor::ui {

namespace {

using params::roundHalfUp;

int trunc(double x)
{
    return static_cast<int>(std::trunc(x));
}

struct Row {
    const char* label;
    const char* field;
    const char* secondField = nullptr;  // the upper/maximum half of a pair
};

struct Group {
    const char* name;
    int firstRow;
    int rows;
    std::array<const char*, 2> checkBoxes{};  // placed in the rows after the fields
    int checkBoxCount() const { return (checkBoxes[0] ? 1 : 0) + (checkBoxes[1] ? 1 : 0); }
};

constexpr std::array<Row, 31> rows{{
    {"RSLambdaL", "RSLambda"},
    {"PRLambdaL", "PRLambda"},
    {"RSYLambdaL", "RSYLambda"},
    {"ESLambdaL", "ESLambda_1", "ESLambda_2"},
    {"TCTpsL", "TCTps"},
    {"PCTpsL", "PCTps"},
    {"ODPBenzynaGasL", "ODPBenzynaGas"},
    {"RObrotowL", "RObrotow"},
    {"DObrotowL", "DObrotow"},
    {"CNPaliwL", "CNPaliw"},
    {"MONGazL", "MONGaz"},
    {"TPWStopniachL", "TPWStopniach"},
    {"RUZaplonowegoL", "RUZaplonowego"},
    {"ZPAttuatoraPowL", "ZPAttuatoraPow_1", "ZPAttuatoraPow_2"},
    {"PSAttuatoraPowL", "PSAttuatoraPow"},
    {"PAttuatoraPowL", "PAttuatoraPow"},
    {"ZPAttuatoraPonL", "ZPAttuatoraPon_1", "ZPAttuatoraPon_2"},
    {"PSAttuatoraPonL", "PSAttuatoraPon"},
    {"PAttuatoraPonL", "PAttuatoraPon"},
    {"IKDCutOffL", "IKDCutOff"},
    {"OSDCutOffL", "OSDCutOff"},
    {"TPSterownikaL", "TPSterownika"},
    {"TSRezerwyL", "TSRezerwy"},
    {"BTpsL", "BTps"},
    {"CLambdaL", "CLambda"},
    {"DOAttuatoraCheckL", "DOAttuatoraCheck"},
    {"AVoltageL", "AVoltage"},
    {"DOAttuatoraL", "DOAttuatora"},
    {"RPMSignalL", "RPMSignal"},
    {"TJazdyL", "TJazdy"},
    {"MOAttuatoraL", "MOAttuatora"},  // shown but stored nowhere; last row of its group
}};

constexpr std::array<Group, 8> groups{{
    {"GroupBox1", 0, 4},
    {"GroupBox2", 4, 2},
    {"GroupBox3", 6, 7, {"WMObroty", "WCTemperatury"}},
    {"GroupBox4", 13, 3},
    {"GroupBox5", 16, 3},
    {"GroupBox6", 19, 2, {"WCutOff", nullptr}},
    {"GroupBox7", 21, 2},
    {"GroupBox8", 23, 8},
}};

constexpr std::array<const char*, 5> buttons{"ResButt", "ZapPlik", "OdczPlik", "ZapiszPar", "OdczytPar"};

int baseFont(int h)
{
    if (h > 896)
        return 12;
    if (h > 800)
        return 11;
    if (h > 540)
        return 10;
    return 8;
}

int captionFont(int h, int f)
{
    if (h > 900)
        return trunc(f * 0.8);
    if (h > 500)
        return trunc(f * 0.9);
    if (h > 300)
        return f;
    return 0;
}

// The rows move down by shift where the group's caption needs the room.
int groupHeight(const Group& g, int rowHeight, int shift)
{
    const double pitch = 1.3 * rowHeight;
    return trunc(pitch * g.rows + pitch * g.checkBoxCount() + rowHeight) + shift;
}

struct CommentPosition {
    int left;
    int top;
};

class Builder {
public:
    Builder(ParameterPagesLayout& out) : out_(out) {}

    void group(const Group& g)
    {
        const int f = out_.fontSize;
        const int r = out_.rowHeight;
        const int fw = out_.fieldWidth;
        const int gw = out_.groupWidth;
        const int a = roundHalfUp(static_cast<float>(fw * 0.02));
        const int half = fw / 2 - a;
        const int fieldLeft = trunc(gw - fw - gw * 0.02);
        const int labelLeft = trunc(gw * 0.02);

        const auto firstRow = static_cast<std::size_t>(g.firstRow);
        for (int n = 0; n < g.rows; ++n) {
            const Row& row = rows[firstRow + static_cast<std::size_t>(n)];
            const int top = out_.rowTops[static_cast<std::size_t>(n)];
            out_.widgets[row.label] = {labelLeft, trunc(top + f * 2.0 / 3.0), -1, -1, f};
            if (row.secondField) {
                out_.widgets[row.field] = {fieldLeft, top, half, r, f};
                out_.widgets[row.secondField] = {fieldLeft + half + 2 * a, top, half, r, f};
            } else {
                out_.widgets[row.field] = {fieldLeft, top, fw, r, f};
            }
        }
        // The check boxes stand in the rows below the group's fields.
        for (std::size_t k = 0; k < static_cast<std::size_t>(g.checkBoxCount()); ++k)
            out_.widgets[g.checkBoxes[k]] = {labelLeft, out_.rowTops[static_cast<std::size_t>(g.rows) + k], gw - 30, r,
                                             f};
    }

    CommentPosition column(std::span<const Group> column, int left, int space)
    {
        int sum = 0;
        for (const Group& g : column)
            sum += groupHeight(g, out_.rowHeight, out_.rowShift);
        const int count = static_cast<int>(column.size());
        // A lone group has nothing to spread against; the font size keeps its comment clear of it.
        // Where the groups are taller than the space they stand one under the
        // other rather than over each other.
        const int gap = count == 1 ? out_.fontSize : std::max(0, (space - sum) / (count - 1));

        // An unreadable caption font stays as the toolkit has it.
        const int groupFont = out_.groupCaptionFont > 0 ? out_.groupCaptionFont : -1;
        int top = 0;
        for (const Group& g : column) {
            const int height = groupHeight(g, out_.rowHeight, out_.rowShift);
            out_.widgets[g.name] = {left, top, out_.groupWidth, height, groupFont};
            group(g);
            top += height + gap;
        }
        return {left, trunc(sum + count * gap * 0.9)};
    }

    void comment(const char* name, CommentPosition at)
    {
        out_.widgets[name] = {at.left, at.top, out_.groupWidth, -1, out_.fontSize};
    }

    void buttonsAndFootnote()
    {
        const int f = out_.fontSize;
        const int left = 5 + out_.groupWidth + 160;
        const int width = trunc(0.7 * out_.groupWidth);
        const int firstTop = trunc(0.7 * f);
        int top = firstTop;
        for (const char* name : buttons) {
            out_.widgets[name] = {left, top, width, 5 * f, trunc(1.5 * f)};
            top += 7 * f;
        }
        out_.widgets["Komentarz3L"] = {left, firstTop + 5 * 7 * f, width, -1, f};
    }

private:
    ParameterPagesLayout& out_;
};

}  // namespace

int fontHeight(int windowWidth, int windowHeight)
{
    return std::min(windowHeight, windowWidth * 4 / 5);
}

int parameterPagesFontSize(int windowWidth, int windowHeight)
{
    const int h = fontHeight(windowWidth, windowHeight);
    const float scale = static_cast<float>(h) / 600.0f;
    return roundHalfUp(static_cast<float>(baseFont(h)) * scale);
}

int parameterPagesCaptionFontSize(int windowWidth, int windowHeight)
{
    return captionFont(fontHeight(windowWidth, windowHeight), parameterPagesFontSize(windowWidth, windowHeight));
}

ParameterPagesLayout layoutParameterPages(int windowWidth, int windowHeight, int rowHeight, int captionHeight)
{
    ParameterPagesLayout out;
    out.usableWidth = windowWidth - 100;
    out.baseFont = baseFont(fontHeight(windowWidth, windowHeight));
    out.fontSize = parameterPagesFontSize(windowWidth, windowHeight);
    out.rowHeight = rowHeight;
    out.fieldWidth = roundHalfUp(static_cast<float>(out.usableWidth) / 800.0f * 155.0f);
    out.groupWidth = trunc(out.fieldWidth * 2.55);
    out.groupCaptionFont = parameterPagesCaptionFontSize(windowWidth, windowHeight);

    // The first row starts below the group's caption, which straddles the
    // group's top border; a large caption pushes the rows down.
    constexpr int captionGap = 2;
    out.rowShift = std::max(0, captionHeight + captionGap - trunc(0.75 * rowHeight));
    out.rowTops[0] = trunc(0.75 * rowHeight) + out.rowShift;
    for (std::size_t n = 1; n < out.rowTops.size(); ++n)
        out.rowTops[n] = trunc(out.rowTops[n - 1] + rowHeight + 0.3 * rowHeight);

    const std::span<const Group> all(groups);
    Builder b(out);
    b.column(all.subspan(0, 3), 5, windowHeight - 100);
    const CommentPosition afterColumn1 =
        b.column(all.subspan(3, 4), out.usableWidth - out.groupWidth + 5, windowHeight - 200);
    b.comment("Komentarz1L", afterColumn1);
    b.comment("Komentarz2L", b.column(all.subspan(7, 1), 5, windowHeight - 150));
    b.buttonsAndFootnote();
    return out;
}

}  // namespace dravinor::ui
