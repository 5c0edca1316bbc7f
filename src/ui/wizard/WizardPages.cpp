#include "ui/wizard/WizardPages.h"

#include "live/ProbeType.h"
#include "live/widgets/HorizontalBar.h"
#include "ui/wizard/WizardControlNames.h"
#include "ui/wizard/WizardLayout.h"
#include "wizard/WizardTexts.h"

#include <QAbstractButton>
#include <QEvent>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

namespace dravinor::ui {

namespace {

constexpr wizard::WizardControl nextButtons[] = {wizard::WizardControl::StartNext, wizard::WizardControl::TpsPageNext,
                                                 wizard::WizardControl::ReducerNext,
                                                 wizard::WizardControl::FinishButton};
// A caption placed further right than this stands at the bar's right end.
constexpr int rightEndFrom = 200;

int indexOf(wizard::WizardPage page)
{
    return static_cast<int>(page);
}

}  // namespace

WizardPages::WizardPages(QTabWidget* autoTab) : QObject(autoTab), autoTab_(autoTab)
{
    void (*const builders[])(WizardWidgets&, QWidget*) = {buildWizardPage1, buildWizardPage2, buildWizardPage4,
                                                          buildWizardPage5};
    for (int i = 0; i < 4; ++i) {
        QWidget* page = autoTab_->widget(i);
        Q_ASSERT(page && page->objectName() == QLatin1String(wizard::wizardPageNames[static_cast<std::size_t>(i)]));
        const std::string_view caption = wizard::pageCaption(static_cast<wizard::WizardPage>(i));
        autoTab_->setTabText(i, QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
        builders[i](widgets_, page);
        page->installEventFilter(this);
    }
    showPage(wizard::WizardPage::Start);
}

void WizardPages::showPage(wizard::WizardPage page)
{
    const int current = indexOf(page);
    // Show the new tab before hiding the old one, so that the tab widget
    // never falls back on a page of its own choosing.
    autoTab_->setTabVisible(current, true);
    autoTab_->setCurrentIndex(current);
    for (int i = 0; i < autoTab_->count(); ++i)
        if (i != current)
            autoTab_->setTabVisible(i, false);
}

bool WizardPages::showsOnly(wizard::WizardPage page) const
{
    const int current = indexOf(page);
    if (autoTab_->currentIndex() != current)
        return false;
    for (int i = 0; i < autoTab_->count(); ++i)
        if (autoTab_->isTabVisible(i) != (i == current))
            return false;
    return true;
}

QAbstractButton* WizardPages::nextButton(wizard::WizardPage page) const
{
    return qobject_cast<QAbstractButton*>(control(widgetName(nextButtons[indexOf(page)])));
}

void WizardPages::applyProbeType(int item)
{
    const auto settings = live::probeTypeSettings(item);
    if (!settings)
        return;
    for (auto name : {wizard::WizardControl::LambdaBar, wizard::WizardControl::ReducerLambdaBar}) {
        auto* bar = qobject_cast<live::HorizontalBar*>(control(widgetName(name)));
        bar->setValueFrom(settings->barFrom);
        bar->setValueTo(settings->barTo);
    }
}

void WizardPages::placeCaption(wizard::WizardControl caption, int left)
{
    const bool rightEnd = left >= rightEndFrom;
    if (caption == wizard::WizardControl::ReducerLeanCaption)
        leanOnRight_ = rightEnd;
    else if (caption == wizard::WizardControl::ReducerRichCaption)
        leanOnRight_ = !rightEnd;
    else
        return;
    layout(autoTab_->widget(indexOf(wizard::WizardPage::Reducer)));
}

void WizardPages::layout(QWidget* only)
{
    // The page captions grow with the pages' texts.
    if (QWidget* first = autoTab_->widget(0); first && first->width() > 0) {
        QFont font = autoTab_->tabBar()->font();
        font.setPointSize(wizardFontSize(first->width(), first->height()) + 1);
        if (font != autoTab_->tabBar()->font())
            autoTab_->tabBar()->setFont(font);
    }
    for (int i = 0; i < autoTab_->count(); ++i) {
        QWidget* page = autoTab_->widget(i);
        if (only && page != only)
            continue;
        const auto places = layoutWizardPages(page->width(), page->height());
        for (const auto& [name, place] : places) {
            if (place.page != wizard::wizardPageNames[static_cast<std::size_t>(i)])
                continue;
            QString key = QString::fromStdString(name);
            // A falling probe swaps the lean and rich captions.
            if (leanOnRight_ && key == QLatin1String("Uboga_AA_P4"))
                key = QStringLiteral("Bogata_AA_P4");
            else if (leanOnRight_ && key == QLatin1String("Bogata_AA_P4"))
                key = QStringLiteral("Uboga_AA_P4");
            QWidget* widget = control(key);
            if (!widget)
                continue;
            const Geometry& g = place.geometry;
            if (g.fontSize > 0) {
                QFont font = widget->font();
                font.setPointSize(g.fontSize);
                widget->setFont(font);
            }
            widget->setGeometry(g.left, g.top, g.width, g.height);
            if (auto* button = qobject_cast<QToolButton*>(widget))
                button->setIconSize(button->size() - QSize(4, 4));
        }
        if (QLabel* rich = qobject_cast<QLabel*>(control(QStringLiteral("Bogata_AA_P4"))))
            rich->setAlignment(leanOnRight_ ? Qt::AlignLeft : Qt::AlignRight);
        if (QLabel* lean = qobject_cast<QLabel*>(control(QStringLiteral("Uboga_AA_P4"))))
            lean->setAlignment(leanOnRight_ ? Qt::AlignRight : Qt::AlignLeft);
    }
}

bool WizardPages::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize)
        layout(static_cast<QWidget*>(watched));
    return QObject::eventFilter(watched, event);
}

}  // namespace dravinor::ui
