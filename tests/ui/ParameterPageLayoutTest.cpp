#include "ui/pages/ParameterPageLayout.h"
#include "UnderWine.h"
#include "fields/FieldCatalogue.h"

#include <QFont>
#include <QFontMetrics>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using dravinor::ui::Geometry;
using dravinor::ui::layoutParameterPages;
using dravinor::ui::parameterPagesFontSize;
using dravinor::ui::ParameterPagesLayout;

namespace {

// A plausible toolkit height of a one-line field at font size f.
int fieldHeightFor(int f)
{
    return f * 2 + 4;
}

ParameterPagesLayout layoutAt(int w, int h)
{
    return layoutParameterPages(w, h, fieldHeightFor(parameterPagesFontSize(w, h)));
}

const Geometry& at(const ParameterPagesLayout& l, const std::string& name)
{
    const auto it = l.widgets.find(name);
    if (it == l.widgets.end())
        throw std::runtime_error("not laid out: " + name);
    return it->second;
}

const std::vector<std::vector<std::string>> columns{
    {"GroupBox1", "GroupBox2", "GroupBox3"},
    {"GroupBox4", "GroupBox5", "GroupBox6", "GroupBox7"},
};

// Widgets placed on the page itself; every other one sits in a group box.
bool onPage(const std::string& name)
{
    return name.starts_with("GroupBox") || name.starts_with("Komentarz") || name == "ResButt" || name == "ZapPlik" ||
           name == "OdczPlik" || name == "ZapiszPar" || name == "OdczytPar";
}

}  // namespace

TEST(ParameterPageLayout, FontTiersAndWidths)
{
    const auto l800 = layoutParameterPages(800, 600, 21);
    EXPECT_EQ(l800.usableWidth, 700);
    EXPECT_EQ(l800.baseFont, 10);
    EXPECT_EQ(l800.fontSize, 10);
    EXPECT_EQ(l800.fieldWidth, 136);
    EXPECT_EQ(l800.groupWidth, 346);
    EXPECT_EQ(l800.groupCaptionFont, 9);

    const auto l640 = layoutParameterPages(640, 480, 15);
    EXPECT_EQ(l640.baseFont, 8);
    EXPECT_EQ(l640.fontSize, 6);
    EXPECT_EQ(l640.groupCaptionFont, 6);  // not above 500: the plain font size
    EXPECT_EQ(at(l640, "GroupBox1").fontSize, 6);

    const auto l1280 = layoutParameterPages(1280, 1024, 37);
    EXPECT_EQ(l1280.baseFont, 12);
    EXPECT_EQ(l1280.fontSize, 20);
    EXPECT_EQ(l1280.groupCaptionFont, 16);
    EXPECT_EQ(at(l1280, "GroupBox8").fontSize, 16);

    // The tier edges: H above 540, 800 and 896 raise B.
    EXPECT_EQ(parameterPagesFontSize(1280, 540), 7);   // 8 x 0.9 = 7.2
    EXPECT_EQ(parameterPagesFontSize(1280, 541), 9);   // 10 x 0.9016
    EXPECT_EQ(parameterPagesFontSize(1280, 801), 15);  // 11 x 1.335
    EXPECT_EQ(parameterPagesFontSize(1280, 897), 18);  // 12 x 1.495 = 17.94
}

TEST(ParameterPageLayout, RowsAt800x600)
{
    const auto l = layoutParameterPages(800, 600, 21);
    // y0 = trunc(15.75); then + R + 6.3 each.
    EXPECT_EQ(l.rowTops[0], 15);
    EXPECT_EQ(l.rowTops[1], 42);
    EXPECT_EQ(l.rowTops[2], 69);
    EXPECT_EQ(l.rowTops[9], 258);

    EXPECT_EQ(at(l, "RSLambdaL"), (Geometry{6, 21, -1, -1, 10}));  // trunc(15 + 6.67)
    EXPECT_EQ(at(l, "RSLambda"), (Geometry{203, 15, 136, 21, 10}));
    EXPECT_EQ(at(l, "PRLambda"), (Geometry{203, 42, 136, 21, 10}));
    // Rows count from the top of their own group.
    EXPECT_EQ(at(l, "TCTps").top, 15);
    EXPECT_EQ(at(l, "TJazdy").top, l.rowTops[6]);
    EXPECT_EQ(at(l, "TJazdyL").top, l.rowTops[6] + 6);
}

TEST(ParameterPageLayout, PairsSitSideBySideInsideTheFieldColumn)
{
    const auto l = layoutParameterPages(800, 600, 21);
    // a = round(2.72) = 3, half = 68 - 3 = 65.
    EXPECT_EQ(at(l, "ESLambda_1"), (Geometry{203, l.rowTops[3], 65, 21, 10}));
    EXPECT_EQ(at(l, "ESLambda_2"), (Geometry{274, l.rowTops[3], 65, 21, 10}));

    for (const auto& pair : {"ESLambda", "ZPAttuatoraPow", "ZPAttuatoraPon"}) {
        const std::string name = pair;
        const Geometry& first = at(l, name + "_1");
        const Geometry& second = at(l, name + "_2");
        EXPECT_EQ(first.top, second.top) << name;
        EXPECT_LT(first.left + first.width, second.left) << name;
        EXPECT_LE(second.left + second.width, first.left + l.fieldWidth) << name;
    }
}

TEST(ParameterPageLayout, CheckBoxesFollowTheFieldRows)
{
    const auto l = layoutParameterPages(800, 600, 21);
    EXPECT_EQ(at(l, "WMObroty"), (Geometry{6, l.rowTops[7], 316, 21, 10}));
    EXPECT_EQ(at(l, "WCTemperatury"), (Geometry{6, l.rowTops[8], 316, 21, 10}));
    EXPECT_EQ(at(l, "WCutOff"), (Geometry{6, l.rowTops[2], 316, 21, 10}));
}

// The inert list is a row of GroupBox8 like the others, inside the group.
TEST(ParameterPageLayout, MOAttuatoraSitsInsideGroupBox8)
{
    const auto l = layoutParameterPages(800, 600, 21);
    EXPECT_EQ(at(l, "MOAttuatora"), (Geometry{203, l.rowTops[7], 136, 21, 10}));
    EXPECT_EQ(at(l, "MOAttuatoraL").top, l.rowTops[7] + 6);
    EXPECT_LE(l.rowTops[7] + 21, at(l, "GroupBox8").height);
}

TEST(ParameterPageLayout, ColumnsSpreadTheirGroupsOverTheirSpace)
{
    const auto l = layoutParameterPages(800, 600, 21);
    // Heights trunc(27.3 x (rows + boxes) + 21): 130, 75, 266 | 102, 102, 102, 75 | 212.
    EXPECT_EQ(at(l, "GroupBox1"), (Geometry{5, 0, 346, 130, 9}));
    // Column 0: S = 471, gap = (500 - 471) / 2 = 14.
    EXPECT_EQ(at(l, "GroupBox2").top, 144);
    EXPECT_EQ(at(l, "GroupBox3"), (Geometry{5, 233, 346, 266, 9}));
    // Column 1 at U - GW + 5: S = 381, gap = (400 - 381) / 3 = 6.
    EXPECT_EQ(at(l, "GroupBox4"), (Geometry{359, 0, 346, 102, 9}));
    EXPECT_EQ(at(l, "GroupBox7").top, 324);
    // Komentarz1L at trunc(381 + 4 x 6 x 0.9).
    EXPECT_EQ(at(l, "Komentarz1L"), (Geometry{359, 402, 346, -1, 10}));
    // A lone group takes F as its gap: trunc(239 + 10 x 0.9); its eight
    // rows include MOAttuatora.
    EXPECT_EQ(at(l, "GroupBox8"), (Geometry{5, 0, 346, 239, 9}));
    EXPECT_EQ(at(l, "Komentarz2L"), (Geometry{5, 248, 346, -1, 10}));
}

TEST(ParameterPageLayout, ButtonsOfTheSecondPage)
{
    const auto l = layoutParameterPages(800, 600, 21);
    // Left 5 + 346 + 160, width trunc(242.2), height 5F, pitch 7F from trunc(0.7F).
    EXPECT_EQ(at(l, "ResButt"), (Geometry{511, 7, 242, 50, 15}));
    EXPECT_EQ(at(l, "ZapPlik"), (Geometry{511, 77, 242, 50, 15}));
    EXPECT_EQ(at(l, "OdczytPar"), (Geometry{511, 287, 242, 50, 15}));
    EXPECT_EQ(at(l, "Komentarz3L"), (Geometry{511, 357, 242, -1, 10}));

    const auto big = layoutParameterPages(1280, 1024, 37);
    EXPECT_EQ(at(big, "OdczPlik").top, 14 + 2 * 140);
    EXPECT_EQ(at(big, "OdczPlik").height, 100);
    EXPECT_EQ(at(big, "OdczPlik").fontSize, 30);
}

// Over the sizes a window can take, fields stay inside their groups, columns
// stay apart, and groups of a column do not overlap when the space holds them.
// The row height is a stand-in for the toolkit's.
TEST(ParameterPageLayout, SaneAtEverySize)
{
    for (int w = 640; w <= 1600; w += 37) {
        for (int h = 480; h <= 1200; h += 23) {
            const auto l = layoutAt(w, h);
            const std::string where = std::to_string(w) + "x" + std::to_string(h);
            ASSERT_EQ(l.widgets.size(), 8u + 31u + 34u + 3u + 3u + 5u) << where;

            for (const auto& [name, g] : l.widgets) {
                if (onPage(name) || g.width < 0)
                    continue;
                EXPECT_GT(g.left, 0) << where << " " << name;
                EXPECT_LE(g.left + g.width, l.groupWidth) << where << " " << name;
            }

            EXPECT_LT(at(l, "GroupBox1").left + l.groupWidth, at(l, "GroupBox4").left) << where;
            EXPECT_LE(at(l, "GroupBox4").left + l.groupWidth, w) << where;
            // The lone group of the second page keeps F as its gap.
            EXPECT_EQ(at(l, "Komentarz2L").top, static_cast<int>(at(l, "GroupBox8").height + l.fontSize * 0.9))
                << where;

            const int spaces[] = {h - 100, h - 200};
            for (int c = 0; c < 2; ++c) {
                int sum = 0;
                for (const auto& name : columns[static_cast<std::size_t>(c)])
                    sum += at(l, name).height;
                if (sum > spaces[c])
                    continue;
                const auto& col = columns[static_cast<std::size_t>(c)];
                for (std::size_t i = 1; i < col.size(); ++i) {
                    const Geometry& above = at(l, col[i - 1]);
                    EXPECT_LE(above.top + above.height, at(l, col[i]).top) << where << " " << col[i];
                }
                if (c == 1) {
                    const Geometry& last = at(l, col.back());
                    EXPECT_GE(at(l, "Komentarz1L").top, last.top + last.height) << where;
                }
            }
        }
    }
}

namespace {

// The sizes a window can take: 640 x 480 up to 1920 x 1200, shaped from
// 1:2 (tall) to 3:1 (wide).
template <typename Check>
void overSizes(Check check)
{
    for (int w = 640; w <= 1920; w += 64)
        for (int h = 480; h <= 1200; h += 40)
            if (2 * w >= h && w <= 3 * h)
                check(w, h, std::to_string(w) + "x" + std::to_string(h));
}

// The layout with the heights the pages measure: the toolkit's font height.
ParameterPagesLayout measuredLayout(int w, int h)
{
    QFont font;
    font.setPointSize(parameterPagesFontSize(w, h));
    QFont caption;
    if (const int size = dravinor::ui::parameterPagesCaptionFontSize(w, h); size > 0)
        caption.setPointSize(size);
    return layoutParameterPages(w, h, QFontMetrics(font).height() + 6, QFontMetrics(caption).height());
}

}  // namespace

// At any window shape the groups of a column stay apart and on the page,
// the two columns and the buttons stay apart, and the first row stays below
// its group's caption.
TEST(ParameterPageLayout, NoControlCoversAnotherAtAnyShape)
{
    overSizes([](int w, int h, const std::string& where) {
        const auto l = measuredLayout(w, h);
        const int pageHeight = h - 60;  // menu, page tabs and frame
        for (const auto& column : columns)
            for (std::size_t i = 0; i < column.size(); ++i) {
                const Geometry& g = at(l, column[i]);
                EXPECT_LE(g.top + g.height, pageHeight) << where << " " << column[i];
                if (i > 0) {
                    const Geometry& above = at(l, column[i - 1]);
                    EXPECT_LE(above.top + above.height, g.top) << where << " " << column[i];
                }
            }
        EXPECT_LT(at(l, "GroupBox1").left + l.groupWidth, at(l, "GroupBox4").left) << where;
        EXPECT_LE(at(l, "GroupBox4").left + l.groupWidth, w) << where;
        const Geometry& last = at(l, "OdczytPar");
        EXPECT_LT(at(l, "GroupBox8").left + l.groupWidth, last.left) << where;
        EXPECT_LE(last.left + last.width, w) << where;
        EXPECT_LE(last.top + last.height, pageHeight) << where;
        EXPECT_LE(at(l, "GroupBox8").height, pageHeight) << where;

        QFont caption;
        if (l.groupCaptionFont > 0)
            caption.setPointSize(l.groupCaptionFont);
        EXPECT_GE(l.rowTops[0], QFontMetrics(caption).height()) << where;
        for (const auto& [name, g] : l.widgets) {
            int group = 0;
            if (const auto* text = dravinor::fields::findTextField(name))
                group = text->group;
            else if (const auto* list = dravinor::fields::findListField(name))
                group = list->group;
            if (group > 0) {
                EXPECT_LE(g.top + g.height, at(l, "GroupBox" + std::to_string(group)).height) << where << " " << name;
            }
        }
    });
}

// "115" must not read ".15" nor "0,496" read "496": every text field holds
// its longest value at its font, whatever the window's shape.
TEST(ParameterPageLayout, FieldTextsCutAtNarrowTallWindows)
{
    DRAVINOR_SKIP_WITHOUT_REAL_FONTS();
    constexpr int frameAndMargins = 8;
    overSizes([](int w, int h, const std::string& where) {
        const auto l = measuredLayout(w, h);
        for (const auto& [name, g] : l.widgets) {
            const auto* field = dravinor::fields::findTextField(name);
            if (!field)
                continue;
            QFont font;
            font.setPointSize(g.fontSize);
            const QString widest(field->maxLength, QChar('8'));
            EXPECT_LE(QFontMetrics(font).horizontalAdvance(widest) + frameAndMargins, g.width) << where << " " << name;
            EXPECT_LE(QFontMetrics(font).height(), g.height) << where << " " << name;
        }
    });
}
