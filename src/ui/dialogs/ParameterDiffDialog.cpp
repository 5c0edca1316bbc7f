#include "ui/dialogs/ParameterDiffDialog.h"

#include "fields/ParameterDiff.h"
#include "ui/language/SlotText.h"
#include "ui/pages/FieldCaptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace dravinor::ui {

namespace key = lang::slot::diff;

namespace {

QString fromStd(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

ParameterDiffDialog::ParameterDiffDialog(const params::ParameterBlock& pages, const params::ParameterBlock& file,
                                         const QString& path, QWidget* pagesRoot, QWidget* parent)
    : QDialog(parent)
{
    setObjectName("PorownanieParametrow");
    setWindowTitle(slotText(key::title));
    auto* layout = new QVBoxLayout(this);

    auto* fileLabel = new QLabel(path, this);
    fileLabel->setObjectName("PorownaniePlik");
    fileLabel->setTextFormat(Qt::PlainText);
    layout->addWidget(fileLabel);

    const auto differences = fields::compareParameterSets(pages, file);
    differences_ = static_cast<int>(differences.size());
    auto* summary = new QLabel(this);
    summary->setObjectName("PorownanieWynik");
    summary->setTextFormat(Qt::PlainText);
    summary->setText(differences.empty() ? slotText(key::same) : slotText(key::count).arg(differences_));
    layout->addWidget(summary);

    table_ = new QTableWidget(differences_, 3, this);
    table_->setObjectName("PorownanieTabela");
    table_->setHorizontalHeaderLabels(
        {slotText(key::parameterColumn), slotText(key::pagesColumn), slotText(key::fileColumn)});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();
    for (int row = 0; row < differences_; ++row) {
        const auto& [onPages, inFile] = differences[static_cast<std::size_t>(row)];
        const bool sameShown = onPages.shown == inFile.shown;
        const auto cell = [&](const fields::PageValue& value) {
            // Two periods of one RPM step look alike: the stored value tells them apart.
            QString text = pageValueText(value, pagesRoot);
            if (sameShown && value.hidden == 0)
                text += " [" + fromStd(value.stored) + "]";
            return new QTableWidgetItem(text);
        };
        table_->setItem(row, 0, new QTableWidgetItem(pageValueCaption(onPages, pagesRoot)));
        table_->setItem(row, 1, cell(onPages));
        table_->setItem(row, 2, cell(inFile));
    }
    table_->resizeColumnsToContents();
    table_->resizeRowsToContents();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setVisible(differences_ > 0);
    layout->addWidget(table_, 1);

    auto* buttons = new QDialogButtonBox(this);
    accept_ = buttons->addButton(slotText(key::loadButton), QDialogButtonBox::AcceptRole);
    accept_->setObjectName("WczytajPlik");
    QPushButton* close = buttons->addButton(slotText(key::closeButton), QDialogButtonBox::RejectRole);
    close->setObjectName("ZamknijPorownanie");
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    const int tableWidth = table_->horizontalHeader()->length() + 40;
    resize(std::clamp(tableWidth, 560, 900), differences_ > 0 ? 520 : 160);
}

void ParameterDiffDialog::setOtherSide(const QString& column, const QString& accept, bool acceptAllowed)
{
    table_->horizontalHeaderItem(2)->setText(column);
    accept_->setText(accept);
    accept_->setEnabled(acceptAllowed);
}

}  // namespace dravinor::ui
