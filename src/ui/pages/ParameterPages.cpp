#include "ui/pages/ParameterPages.h"

#include <algorithm>
#include <vector>

#include "ui/pages/PageEditor.h"
#include "ui/pages/ParameterPageLayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace dravinor::ui {

namespace {

// One font per kind of text on a page: the largest size, up to the page's
// own, at which every text of that kind fits the room its widget gives it.
// Shrinking them one by one would leave a page of mixed sizes.
struct TextFit {
    QWidget* widget;
    QStringList texts;
    int room;  // pixels for the widest text
};

int commonFontSize(const std::vector<TextFit>& fits, const QFont& base, int largest)
{
    constexpr int smallest = 6;
    QFont font = base;
    for (int size = largest; size > smallest; --size) {
        font.setPointSize(size);
        const QFontMetrics metrics(font);
        const bool allFit = std::all_of(fits.begin(), fits.end(), [&](const TextFit& fit) {
            return std::all_of(fit.texts.begin(), fit.texts.end(),
                               [&](const QString& text) { return metrics.horizontalAdvance(text) <= fit.room; });
        });
        if (allFit)
            return size;
    }
    return smallest;
}

void applyFontSize(const std::vector<TextFit>& fits, int size)
{
    for (const TextFit& fit : fits) {
        QFont font = fit.widget->font();
        font.setPointSize(size);
        fit.widget->setFont(font);
        if (auto* label = qobject_cast<QLabel*>(fit.widget))
            label->adjustSize();
    }
}

// Captions, list texts and check-box texts of the groups of one page get one
// font each.
int widestText(const QFont& font, const QStringList& texts)
{
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const QString& text : texts)
        widest = std::max(widest, metrics.horizontalAdvance(text));
    return widest;
}

// The left edge of the fields beside a caption: its row's fields, or the
// field column where the row has none.
int fieldEdgeBeside(const QLabel* label, const QGroupBox* group, int fieldLeft)
{
    int edge = fieldLeft;
    for (const QWidget* field : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!qobject_cast<const QComboBox*>(field) && !qobject_cast<const QLineEdit*>(field))
            continue;
        if (field->y() < label->y() + label->height() && label->y() < field->y() + field->height())
            edge = std::min(edge, field->x());
    }
    return edge;
}

// Captions, list texts and check-box texts of the groups of one page get one
// font each. A list whose longest item does not fit even at the smallest
// font grows to the left, into its caption's room, rather than cut it.
void fitPageTexts(const std::vector<QGroupBox*>& groups, int fieldLeft, int fontSize)
{
    constexpr int gap = 4;
    constexpr int listDecoration = 28;   // arrow and frame of a drop-down list
    constexpr int checkDecoration = 24;  // the box before a check box's text
    std::vector<TextFit> lists;
    std::vector<TextFit> checks;
    for (QGroupBox* group : groups) {
        for (QComboBox* list : group->findChildren<QComboBox*>(Qt::FindDirectChildrenOnly)) {
            QStringList items;
            for (int i = 0; i < list->count(); ++i)
                items << list->itemText(i);
            lists.push_back({list, items, list->width() - listDecoration});
        }
        for (QCheckBox* box : group->findChildren<QCheckBox*>(Qt::FindDirectChildrenOnly))
            checks.push_back({box, {box->text()}, box->width() - checkDecoration});
    }
    for (const auto* kind : {&lists, &checks})
        if (!kind->empty())
            applyFontSize(*kind, commonFontSize(*kind, kind->front().widget->font(), fontSize));
    for (const TextFit& list : lists) {
        const int deficit = widestText(list.widget->font(), list.texts) - list.room;
        if (deficit > 0)
            list.widget->setGeometry(list.widget->geometry().adjusted(-deficit, 0, 0, 0));
    }

    std::vector<TextFit> captions;
    for (QGroupBox* group : groups)
        for (QLabel* label : group->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
            captions.push_back({label, {label->text()}, fieldEdgeBeside(label, group, fieldLeft) - label->x() - gap});
    if (!captions.empty())
        applyFontSize(captions, commonFontSize(captions, captions.front().widget->font(), fontSize));
}

}  // namespace

using namespace fields;

struct ParameterPages::Impl {
    Impl(QWidget* tabPar1, QWidget* tabPar2, PageServices services)
        : editor(tabPar1, tabPar2, std::move(services)), w(editor.widgets())
    {
    }

    PageEditor editor;
    const PageWidgets& w;

    void applyGeometry(QWidget* widget, const Geometry& g)
    {
        if (g.fontSize > 0) {
            QFont font = widget->font();
            font.setPointSize(g.fontSize);
            widget->setFont(font);
        }
        widget->move(g.left, g.top);
        if (g.width >= 0 || g.height >= 0) {
            const int width = g.width >= 0 ? g.width : widget->sizeHint().width();
            const int height = g.height >= 0 ? g.height : widget->sizeHint().height();
            widget->resize(width, height);
        } else {
            widget->adjustSize();
        }
    }
};

ParameterPages::ParameterPages(QWidget* tabPar1, QWidget* tabPar2, PageServices services)
    : impl_(std::make_unique<Impl>(tabPar1, tabPar2, std::move(services)))
{
}

ParameterPages::~ParameterPages() = default;

void ParameterPages::initialiseControls()
{
    impl_->editor.initialiseControls();
}

void ParameterPages::showParameters()
{
    impl_->editor.showParameters();
}

void ParameterPages::refreshUnreadMarks()
{
    impl_->editor.refreshUnreadMarks();
}

void ParameterPages::showGroups()
{
    for (int group = 1; group < advancedGroup; ++group)
        impl_->w.group(group)->show();
}

void ParameterPages::redrawHints()
{
    impl_->editor.redrawHints();
}

void ParameterPages::layout(int windowWidth, int windowHeight)
{
    Impl& d = *impl_;
    const int fontSize = parameterPagesFontSize(windowWidth, windowHeight);
    // A text field's natural height: its text plus frame and margins. Qt's
    // own size hint never goes below 14 pixels of text, which at the small
    // fonts of 640 x 480 would push the groups into each other.
    QFont font = d.w.pages[0]->font();
    font.setPointSize(fontSize);
    const int rowHeight = QFontMetrics(font).height() + 6;
    QFont captionFont = d.w.group(1)->font();
    if (const int captionSize = parameterPagesCaptionFontSize(windowWidth, windowHeight); captionSize > 0)
        captionFont.setPointSize(captionSize);
    const ParameterPagesLayout layout =
        layoutParameterPages(windowWidth, windowHeight, rowHeight, QFontMetrics(captionFont).height());
    for (const auto& [name, geometry] : layout.widgets)
        if (QWidget* widget = d.w.widget(name.c_str()))
            d.applyGeometry(widget, geometry);
    const int fieldLeft = layout.widgets.at("PRLambda").left;
    fitPageTexts({d.w.groups.begin(), d.w.groups.begin() + 7}, fieldLeft, fontSize);
    fitPageTexts({d.w.group(advancedGroup)}, fieldLeft, fontSize);
    d.editor.fitHints();
}

QAbstractButton* ParameterPages::button(const char* objectName) const
{
    for (QPushButton* button : impl_->w.buttons)
        if (button->objectName() == QLatin1String(objectName))
            return button;
    return nullptr;
}

bool ParameterPages::hasField(const QString& name) const
{
    return impl_->w.texts.contains(name) || impl_->w.lists.contains(name) || impl_->w.checks.contains(name);
}

QString ParameterPages::fieldText(const QString& name) const
{
    if (QLineEdit* edit = impl_->w.texts.value(name))
        return edit->text();
    if (QComboBox* list = impl_->w.lists.value(name))
        return list->currentText();
    return {};
}

void ParameterPages::setFieldText(const QString& name, const QString& text)
{
    if (QLineEdit* edit = impl_->w.texts.value(name))
        edit->setText(text);
}

void ParameterPages::selectItem(const QString& name, int item)
{
    impl_->editor.selectItem(name, item);
}

void ParameterPages::setChecked(const QString& name, bool checked)
{
    impl_->editor.setChecked(name, checked);
}

}  // namespace dravinor::ui
