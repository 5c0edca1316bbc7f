#include "ui/pages/PageWidgets.h"

#include "fields/FieldCatalogue.h"
#include "lang/ItemTexts.h"
#include "params/FieldDisplay.h"
#include "ui/pages/FieldAccessibility.h"
#include "ui/pages/FieldInput.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace dravinor::ui {

namespace {

using namespace fields;

template <std::size_t N>
QStringList itemList(const std::array<std::string_view, N>& items)
{
    QStringList list;
    for (const auto item : items)
        list << QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size()));
    return list;
}

QStringList itemsFor(ListRole role, const char* name)
{
    using namespace lang;
    const std::string_view n(name);
    switch (role) {
    case ListRole::ProbeType: return itemList(probeTypeItems);
    case ListRole::EmulationType: return itemList(emulationTypeItems);
    case ListRole::Ignition: return itemList(ignitionItems);
    case ListRole::ControllerMode: return itemList(controllerModeItems);
    case ListRole::FuelOverlap: {
        QStringList list;
        for (int item = 0; item < fuelOverlapItemCount; ++item)
            list << QString::fromStdString(params::fuelOverlapItemText(item));
        return list;
    }
    case ListRole::FlagBit:
    case ListRole::Inert: break;
    }
    if (n == "TCTps")
        return itemList(tpsTypeItems);
    if (n == "RObrotow")
        return itemList(rpmTypeItems);
    if (n == "TSRezerwy")
        return itemList(reserveGaugeItems);
    return itemList(offOnItems);
}

template <typename W>
W* named(W* widget, const char* name, PageWidgets& out)
{
    widget->setObjectName(QString::fromLatin1(name));
    out.all.insert(widget->objectName(), widget);
    return widget;
}

QLabel* captionLabel(const char* name, const char* text, QWidget* parent, PageWidgets& out)
{
    auto* label = named(new QLabel(QString::fromUtf8(text), parent), name, out);
    label->setTextFormat(Qt::PlainText);
    out.labels.insert(label->objectName(), label);
    return label;
}

QLabel* commentLabel(const char* name, QWidget* parent, PageWidgets& out)
{
    auto* label = named(new QLabel(parent), name, out);
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0xFF, 0x00, 0x00));
    label->setPalette(palette);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    out.labels.insert(label->objectName(), label);
    return label;
}

void addTextField(const TextField& row, PageWidgets& out)
{
    QWidget* parent = out.group(row.group);
    if (row.caption)
        captionLabel(row.label, row.caption, parent, out);
    auto* edit = named(new QLineEdit(parent), row.name, out);
    edit->setValidator(new FieldValidator(row.filter, row.maxLength, edit));
    out.texts.insert(edit->objectName(), edit);
}

void addListField(const ListField& row, PageWidgets& out)
{
    QWidget* parent = out.group(row.group);
    const QByteArray labelName = QByteArray(row.name) + "L";
    captionLabel(labelName.constData(), row.caption, parent, out);
    auto* combo = named(new QComboBox(parent), row.name, out);
    combo->setEditable(false);
    combo->addItems(itemsFor(row.role, row.name));
    combo->setMaxVisibleItems(16);
    out.lists.insert(combo->objectName(), combo);
}

void addCheckField(const CheckField& row, PageWidgets& out)
{
    auto* box = named(new QCheckBox(QString::fromUtf8(row.caption), out.group(row.group)), row.name, out);
    out.checks.insert(box->objectName(), box);
}

}  // namespace

PageWidgets buildPageWidgets(QWidget* tabPar1, QWidget* tabPar2)
{
    PageWidgets out;
    out.pages = {tabPar1, tabPar2};

    for (int number = 1; number <= 8; ++number) {
        QWidget* page = out.pages[static_cast<std::size_t>(pageOfGroup(number))];
        const QByteArray name = "GroupBox" + QByteArray::number(number);
        auto* box = named(new QGroupBox(QString::fromUtf8(groupCaption(number)), page), name.constData(), out);
        out.groups[static_cast<std::size_t>(number - 1)] = box;
        // The connection step of start-up shows the first page's groups.
        box->setVisible(number == advancedGroup);
    }

    // Built in tab order, so that the focus chain follows the rows.
    QWidget* previous = nullptr;
    for (const Control& control : tabOrder()) {
        if (control.kind == ControlKind::Text)
            addTextField(*findTextField(control.name), out);
        else if (control.kind == ControlKind::List)
            addListField(*findListField(control.name), out);
        else
            for (const CheckField& check : checkFields())
                if (std::string_view(check.name) == control.name)
                    addCheckField(check, out);
        QWidget* current = out.widget(control.name);
        // Pages built apart (as in tests) have no chain between them.
        if (previous && previous->window() == current->window())
            QWidget::setTabOrder(previous, current);
        previous = current;
    }

    out.comments[0] = commentLabel("Komentarz1L", tabPar1, out);
    out.comments[1] = commentLabel("Komentarz2L", tabPar2, out);
    out.footnote = named(new QLabel(QString::fromUtf8(footnoteText), tabPar2), "Komentarz3L", out);
    out.footnote->setWordWrap(true);
    out.footnote->setTextFormat(Qt::PlainText);
    out.labels.insert(out.footnote->objectName(), out.footnote);

    for (int mode = 1; mode <= 3; ++mode) {
        const QByteArray name = "ImageKoment" + QByteArray::number(mode);
        // Its picture is drawn when it is first shown (PageHints).
        auto* picture = named(new QLabel(tabPar1), name.constData(), out);
        picture->setScaledContents(true);
        picture->resize(140, 70);
        picture->hide();
        out.pictures[static_cast<std::size_t>(mode - 1)] = picture;
    }

    out.hiddenButton = named(new QPushButton(tabPar1), "Button1", out);
    out.hiddenButton->hide();

    // Speed buttons: only the mouse presses them. The keyboard focus never
    // reaches them, so no Tab and Space fires a bulk write unasked.
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        out.buttons[i] = named(new QPushButton(QString::fromUtf8(buttons[i].caption), tabPar2), buttons[i].name, out);
        out.buttons[i]->setFocusPolicy(Qt::NoFocus);
    }
    linkCaptionBuddies(out);
    return out;
}

}  // namespace dravinor::ui
