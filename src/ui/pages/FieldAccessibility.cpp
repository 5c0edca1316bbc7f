#include "ui/pages/FieldAccessibility.h"

#include "fields/FieldCatalogue.h"
#include "ui/pages/PageWidgets.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace dravinor::ui {

namespace {

// The label of a pair also names the pair's second field.
constexpr const char* pairedFieldProperty = "dravinorPairedField";

}  // namespace

void linkCaptionBuddies(const PageWidgets& widgets)
{
    for (const fields::TextField& row : fields::textFields()) {
        QLabel* label = widgets.label(row.label);
        QLineEdit* field = widgets.text(row.name);
        if (!label || !field)
            continue;
        if (row.caption)
            label->setBuddy(field);
        else
            label->setProperty(pairedFieldProperty, QVariant::fromValue(static_cast<QObject*>(field)));
    }
    for (const fields::ListField& row : fields::listFields()) {
        const QByteArray labelName = QByteArray(row.name) + "L";
        if (QLabel* label = widgets.label(labelName.constData()))
            label->setBuddy(widgets.list(row.name));
    }
    if (!widgets.pages[0])
        return;
    nameFieldsAfterCaptions(widgets.pages[0]);
    if (widgets.pages[1] && !widgets.pages[0]->isAncestorOf(widgets.pages[1]))
        nameFieldsAfterCaptions(widgets.pages[1]);
}

void nameFieldsAfterCaptions(QWidget* root)
{
    const auto labels = root->findChildren<QLabel*>();
    for (QLabel* label : labels) {
        QWidget* field = label->buddy();
        if (!field)
            continue;
        auto* second = qobject_cast<QWidget*>(label->property(pairedFieldProperty).value<QObject*>());
        // Two halves of one caption are told apart by their order.
        field->setAccessibleName(second ? label->text() + QStringLiteral(" (1)") : label->text());
        if (second)
            second->setAccessibleName(label->text() + QStringLiteral(" (2)"));
    }
}

}  // namespace dravinor::ui
