#include "ui/pages/PageEditor.h"

#include <QCheckBox>
#include <QComboBox>

namespace dravinor::ui {

using namespace fields;

PageEditor::PageEditor(QWidget* tabPar1, QWidget* tabPar2, PageServices services)
    : services_(std::move(services)), w_(buildPageWidgets(tabPar1, tabPar2)), hints_(w_), display_(w_, services_),
      edits_(w_, services_, hints_, display_), focus_(w_, edits_, services_.switchPageQuietly)
{
    for (const ListField& row : listFields()) {
        // activated, not currentIndexChanged: filling the pages must not write.
        connect(w_.list(row.name), &QComboBox::activated, this, [this, &row] { edits_.listChosen(row); });
    }
    for (QCheckBox* box : std::as_const(w_.checks)) {
        const FlagField* row = findFlagField(box->objectName().toStdString());
        connect(box, &QAbstractButton::clicked, this, [this, row] { edits_.boxClicked(*row); });
    }
}

void PageEditor::initialiseControls()
{
    for (QComboBox* list : std::as_const(w_.lists))
        list->setCurrentIndex(0);
    edits_.takeStartBits();
}

void PageEditor::fitHints()
{
    hints_.fitAll(w_.list("TPSterownika")->hasFocus());
}

void PageEditor::selectItem(const QString& name, int item)
{
    QComboBox* list = w_.lists.value(name);
    if (!list)
        return;
    list->setCurrentIndex(item);
    const ListField* field = findListField(name.toStdString());
    if (field && field->role == ListRole::ProbeType && services_.applyProbeType && list->currentIndex() >= 0)
        services_.applyProbeType(list->currentIndex());
    const QByteArray key = name.toLatin1();
    display_.applyDependants(key.constData());
}

void PageEditor::setChecked(const QString& name, bool checked)
{
    QCheckBox* box = w_.checks.value(name);
    if (!box)
        return;
    box->setChecked(checked);
    // The dependants follow the box as shown, even before the flag copy does.
    const QByteArray key = name.toLatin1();
    display_.followControl(key.constData(), checked);
}

}  // namespace dravinor::ui
