#include "ui/pages/FieldCaptions.h"

#include "ui/language/SlotText.h"

#include "lang/ShownNumbers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace dravinor::ui {

namespace key = lang::slot::flagBytes;

namespace {

QString fromStd(const std::string& text)
{
    return QString::fromStdString(text);
}

// Names, labels and groups do not depend on the values: one list will do.
const std::vector<fields::PageValue>& allValues()
{
    static const std::vector<fields::PageValue> values = fields::pageValues(params::ParameterBlock{});
    return values;
}

}  // namespace

QString pageValueCaption(const fields::PageValue& value, const QWidget* root)
{
    if (value.hidden)
        return slotText(lang::slot::firstHiddenValue + value.hidden - 1);
    QString label;
    QString groupTitle;
    if (root) {
        if (auto* labelWidget = root->findChild<QLabel*>(fromStd(value.labelName)))
            label = labelWidget->text();
        else if (auto* check = root->findChild<QCheckBox*>(fromStd(value.labelName)))
            label = check->text();
        // An empty name would find any group box: only a named one counts.
        if (!value.groupName.empty())
            if (auto* group = root->findChild<QGroupBox*>(fromStd(value.groupName)))
                groupTitle = group->title();
    }
    return fromStd(fields::captionInLanguage(value, label.toStdString(), groupTitle.toStdString()));
}

QString pageValueText(const fields::PageValue& value, const QWidget* root)
{
    QString text = fromStd(value.shown);
    if (root && value.item >= 0 && !value.name.empty())
        if (auto* list = root->findChild<QComboBox*>(fromStd(value.name)); list && value.item < list->count())
            text = list->itemText(value.item);
    return value.unit.empty() ? text : text + " " + fromStd(lang::unitInLanguage(value.unit));
}

QString fieldCaption(std::string_view name, const QWidget* root)
{
    const auto& values = allValues();
    const auto value = std::find_if(values.begin(), values.end(),
                                    [name](const fields::PageValue& v) { return !name.empty() && v.name == name; });
    return value != values.end() ? pageValueCaption(*value, root) : QString();
}

QString addressCaption(int address, const QWidget* root)
{
    // A flag byte carries a dozen settings: name the byte, not one of them.
    if (address == 32)
        return slotText(key::flagByteA);
    if (address == 30)
        return slotText(key::flagByteB);
    const auto& values = allValues();
    const auto value = std::find_if(values.begin(), values.end(), [address](const fields::PageValue& v) {
        return std::find(v.addresses.begin(), v.addresses.end(), address) != v.addresses.end();
    });
    return value != values.end() ? pageValueCaption(*value, root) : QString::number(address);
}

}  // namespace dravinor::ui
