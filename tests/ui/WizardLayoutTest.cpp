#include "ui/wizard/WizardLayout.h"
#include "UnderWine.h"
#include "ui/wizard/WizardControlNames.h"
#include "ui/wizard/WizardPages.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <set>

using namespace dravinor::ui;

namespace {

QRect rectOf(const Geometry& g)
{
    return {g.left, g.top, g.width, g.height};
}

bool shareAPlace(WizardLayer a, WizardLayer b)
{
    // Row sets that take turns may stand on each other; nothing else may.
    return a == WizardLayer::Always || b == WizardLayer::Always || a == b;
}

// The wizard pages' sizes in windows from 640 x 480 to 1280 x 1024.
std::vector<QSize> pageSizes()
{
    std::vector<QSize> sizes;
    for (int width = 605; width <= 1250; width += 45)
        for (int height = 340; height <= 890; height += 50)
            sizes.emplace_back(width, height);
    return sizes;
}

// The wizard's four empty pages, as the window's AutoTab holds them.
void addWizardTabs(QTabWidget& tabs)
{
    for (const char* name : {"AA1", "AA2", "AA4", "AA5"}) {
        auto* page = new QWidget;
        page->setObjectName(name);
        tabs.addTab(page, name);
    }
}

}  // namespace

TEST(WizardLayout, BaseDesignAndScaling)
{
    const auto base = layoutWizardPages(wizardBaseWidth, wizardBaseHeight);
    EXPECT_EQ(rectOf(base.at("AAP1_Dalej").geometry), QRect(740, 490, 140, 34));
    EXPECT_EQ(wizardFontSize(wizardBaseWidth, wizardBaseHeight), 9);
    // Dials stay round and keep their column's centre.
    const auto wide = layoutWizardPages(1250, 600);
    const Geometry dial = wide.at("Manometr_RPMAA_P2").geometry;
    EXPECT_EQ(dial.width, dial.height);
    EXPECT_NEAR(dial.left + dial.width / 2.0, 110 * 1250.0 / 900, 1.0);
    // Small pages never get unreadable texts.
    EXPECT_EQ(wizardFontSize(600, 340), 6);
}

TEST(WizardLayout, NoTwoControlsOverlapAndAllStayOnThePage)
{
    for (const QSize size : pageSizes()) {
        const auto places = layoutWizardPages(size.width(), size.height());
        const QRect page(0, 0, size.width(), size.height());
        for (auto a = places.begin(); a != places.end(); ++a) {
            const QRect ra = rectOf(a->second.geometry);
            EXPECT_TRUE(page.contains(ra)) << a->first << " at " << size.width() << "x" << size.height();
            if (a->second.container)
                continue;
            for (auto b = std::next(a); b != places.end(); ++b) {
                if (b->second.container || b->second.page != a->second.page ||
                    !shareAPlace(a->second.layer, b->second.layer))
                    continue;
                EXPECT_FALSE(ra.intersects(rectOf(b->second.geometry)))
                    << a->first << " and " << b->first << " at " << size.width() << "x" << size.height();
            }
        }
    }
}

TEST(WizardLayout, EveryTextFitsItsPlace)
{
    DRAVINOR_SKIP_WITHOUT_REAL_FONTS();
    QTabWidget tabs;
    addWizardTabs(tabs);
    WizardPages pages(&tabs);
    // Value panels must hold their longest readings.
    const QString longest = QStringLiteral("12,75");
    for (const QSize size : pageSizes()) {
        const auto places = layoutWizardPages(size.width(), size.height());
        for (const auto& [name, place] : places) {
            QWidget* widget = pages.control(QString::fromStdString(name));
            ASSERT_NE(widget, nullptr) << name;
            const Geometry& g = place.geometry;
            if (g.fontSize <= 0)
                continue;
            QFont font = widget->font();
            font.setPointSize(g.fontSize);
            const QFontMetrics metrics(font);
            QString text;
            int decoration = 4;
            if (auto* label = qobject_cast<QLabel*>(widget))
                text = label->text() == "......" || label->text() == "0" ? longest : label->text();
            else if (auto* box = qobject_cast<QCheckBox*>(widget))
                text = box->text(), decoration = 24;
            else if (auto* button = qobject_cast<QAbstractButton*>(widget))
                text = button->text(), decoration = 12;
            else if (auto* list = qobject_cast<QComboBox*>(widget)) {
                decoration = 28;
                for (int i = 0; i < list->count(); ++i)
                    if (metrics.horizontalAdvance(list->itemText(i)) > metrics.horizontalAdvance(text))
                        text = list->itemText(i);
            }
            const QString where =
                QStringLiteral("%1 at %2x%3").arg(QString::fromStdString(name)).arg(size.width()).arg(size.height());
            if (place.wraps) {
                const QRect needed = metrics.boundingRect(QRect(0, 0, g.width, 10000), Qt::TextWordWrap, text);
                EXPECT_LE(needed.height(), g.height) << where.toStdString();
            } else {
                EXPECT_LE(metrics.horizontalAdvance(text) + decoration, g.width) << where.toStdString();
                EXPECT_LE(metrics.height(), g.height) << where.toStdString();
            }
        }
    }
}

// The engine names the pages' controls by what they do; a name in the one
// list that no widget carries would drop that control's state silently.
TEST(WizardLayout, EveryControlTheEngineNamesHasItsOwnWidget)
{
    QTabWidget tabs;
    addWizardTabs(tabs);
    WizardPages pages(&tabs);
    std::set<QWidget*> widgets;
    for (std::size_t i = 0; i < dravinor::wizard::wizardControlCount; ++i) {
        const QString name = widgetName(static_cast<dravinor::wizard::WizardControl>(i));
        QWidget* widget = pages.control(name);
        ASSERT_NE(widget, nullptr) << name.toStdString();
        EXPECT_TRUE(widgets.insert(widget).second) << name.toStdString() << " stands for two controls";
    }
}
