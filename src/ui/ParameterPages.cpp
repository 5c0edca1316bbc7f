#include "ParameterPages.h"

#include <algorithm>
#include <vector>

#include "Encoders.h"
#include "FieldDisplay.h"
#include "FlagBits.h"
#include "PageEditor.h"
#include "ParameterPageLayout.h"
#include "ParameterState.h"
#include "ParameterTable.h"
#include "UnreadFieldMarks.h"
#include "UnreadValues.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QComboBox>
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

struct ParameterPages::Impl : PageEditor {
    using PageEditor::PageEditor;

    // The list item the parameter block stands for.
    int shownItem(const ListField& field) const
    {
        const auto& state = services.state;
        const auto& block = state.block();
        switch (field.role) {
        case ListRole::ProbeType: return block.get(params::address::probeType);
        case ListRole::EmulationType: return block.get(params::address::emulationType);
        case ListRole::Ignition: return block.get(params::address::ignitionType);
        case ListRole::FuelOverlap: return params::fuelOverlapItem(block.get(params::address::fuelOverlap));
        case ListRole::ControllerMode: return params::controllerModeItem(state.flagByteA(), state.flagByteB());
        case ListRole::FlagBit: return flagBitSet(*findFlagField(field.name)) ? 1 : 0;
        case ListRole::Inert: break;
        }
        return w.list(field.name)->currentIndex();
    }

    // One field from the parameter block, with its dependants.
    void showField(const char* name)
    {
        const auto& state = services.state;
        if (const TextField* text = findTextField(name)) {
            w.text(name)->setText(shownText(*text, state.block(), state.ignitionConstant()));
            return;
        }
        if (const ListField* list = findListField(name)) {
            QComboBox* combo = w.list(name);
            combo->setCurrentIndex(shownItem(*list));
            // A probe type beyond the list (a foreign block) leaves the live view's ranges alone.
            if (list->role == ListRole::ProbeType && services.applyProbeType && combo->currentIndex() >= 0)
                services.applyProbeType(combo->currentIndex());
        } else {
            w.check(name)->setChecked(flagBitSet(*findFlagField(name)));
        }
        applyDependants(name);
    }

    // After an edit: a field whose addresses the controller has now taken
    // shows its value again; one still unread shows none (a refused edit
    // went back to its entry value).
    void refreshUnreadMarks() override
    {
        const auto& unread = services.state.unreadAddresses();
        for (const char* name : showOrder()) {
            QWidget* field = w.widget(name);
            if (!isMarkedUnread(field))
                continue;
            if (shownValueUnread(name, unread)) {
                markUnread(field);
            } else {
                clearUnreadMark(field);
                showField(name);
            }
        }
    }

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
    for (QComboBox* list : std::as_const(impl_->w.lists))
        list->setCurrentIndex(0);
    // The controlling boxes start unchecked and RObrotow at its first item:
    // the flag bits and the dependants follow them.
    for (const Dependency& dependency : dependencies()) {
        if (!dependency.derivedAtStartUp)
            continue;
        impl_->setFlagBit(*findFlagField(dependency.controller), impl_->controlValue(dependency.controller) != 0);
        impl_->applyDependency(dependency);
    }
}

void ParameterPages::showParameters()
{
    Impl& d = *impl_;
    const auto& unread = d.services.state.unreadAddresses();
    for (const char* name : showOrder()) {
        // A value the controller did not give is never shown as one.
        QWidget* field = d.w.widget(name);
        if (shownValueUnread(name, unread)) {
            markUnread(field);
            d.applyDependants(name);
        } else {
            clearUnreadMark(field);
            d.showField(name);
        }
    }
}

void ParameterPages::refreshUnreadMarks()
{
    impl_->refreshUnreadMarks();
}

void ParameterPages::showGroups()
{
    for (int group = 1; group < advancedGroup; ++group)
        impl_->w.group(group)->show();
}

void ParameterPages::redrawHints()
{
    impl_->redrawHints();
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
    for (QLabel* comment : d.w.comments)
        d.fitComment(comment, comment->width());
    d.fitComment(d.w.footnote, d.w.footnote->width());
    if (d.w.list("TPSterownika")->hasFocus())
        d.showModeComment(0);
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
    Impl& d = *impl_;
    QComboBox* list = d.w.lists.value(name);
    if (!list)
        return;
    list->setCurrentIndex(item);
    const ListField* field = findListField(name.toStdString());
    if (field && field->role == ListRole::ProbeType && d.services.applyProbeType && list->currentIndex() >= 0)
        d.services.applyProbeType(list->currentIndex());
    const QByteArray key = name.toLatin1();
    d.applyDependants(key.constData());
}

void ParameterPages::setChecked(const QString& name, bool checked)
{
    Impl& d = *impl_;
    QCheckBox* box = d.w.checks.value(name);
    if (!box)
        return;
    box->setChecked(checked);
    // The dependants follow the box as shown, even before the flag copy does.
    for (const Dependency& dependency : dependencies()) {
        if (QLatin1String(dependency.controller) != name)
            continue;
        for (const char* field : dependency.fields)
            if (field)
                d.setFieldEnabled(checked == dependency.enabledWhenSet, d.w.widget(field),
                                  d.w.label(findTextField(field)->label));
    }
}

}  // namespace dravinor::ui
