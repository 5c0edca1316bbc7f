#include "wizard/WizardTexts.h"
#include "ui/wizard/WizardControlNames.h"
#include "ui/wizard/WizardPages.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTabWidget>

#include <gtest/gtest.h>

using namespace dravinor;

namespace {

QString fromTable(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

// The pages are built with the wizard's own table of texts, the one the
// command line tells: a caption, prompt or button worded on its own in the
// window would drift from what dravinor-cli adapt says.
TEST(WizardTexts, ThePagesShowTheWizardsTableBeforeAnyLanguageFile)
{
    QTabWidget tabs;
    for (const char* name : {"AA1", "AA2", "AA4", "AA5"}) {
        auto* page = new QWidget;
        page->setObjectName(name);
        tabs.addTab(page, name);
    }
    const ui::WizardPages pages(&tabs);
    int worded = 0;
    for (std::size_t i = 0; i < wizard::wizardControlCount; ++i) {
        const auto control = static_cast<wizard::WizardControl>(i);
        const QString text = fromTable(wizard::pageText(control));
        QWidget* widget = pages.control(ui::widgetName(control));
        ASSERT_NE(widget, nullptr);
        if (const auto* label = qobject_cast<QLabel*>(widget)) {
            // Panels show their readings' starting values, not words.
            if (!text.isEmpty() || label->text().isEmpty()) {
                EXPECT_EQ(label->text(), text) << ui::widgetName(control).toStdString();
            }
        } else if (const auto* button = qobject_cast<QAbstractButton*>(widget); button && !text.isEmpty()) {
            EXPECT_EQ(button->text(), text) << ui::widgetName(control).toStdString();
        } else {
            continue;
        }
        worded += text.isEmpty() ? 0 : 1;
    }
    EXPECT_GT(worded, 60);
    for (int i = 0; i < tabs.count(); ++i)
        EXPECT_EQ(tabs.tabText(i), fromTable(wizard::pageCaption(static_cast<wizard::WizardPage>(i))));
}
