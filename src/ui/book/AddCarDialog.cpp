#include "ui/book/AddCarDialog.h"

#include "ui/book/CarBookTexts.h"
#include "ui/dialogs/CarDetailField.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dravinor::ui {

namespace {

std::string typed(const QString& text)
{
    return text.trimmed().toStdString();
}

}  // namespace

AddCarDialog::AddCarDialog(Add add, QWidget* parent)
    : QDialog(parent), add_(std::move(add)), registration_(carDetailField(this, "NowyRejestracja")),
      makeAndModel_(carDetailField(this, "NowyMarkaModel")), vin_(carDetailField(this, "NowyVIN")),
      notes_(new QPlainTextEdit(this)), problem_(new QLabel(this))
{
    setObjectName("NowySamochod");
    setWindowTitle(slotText(carbook::addCarTitle));
    notes_->setObjectName("NowyUwagi");
    notes_->setTabChangesFocus(true);
    notes_->setFixedHeight(notes_->fontMetrics().lineSpacing() * 4 + 12);
    auto* form = new QFormLayout;
    form->addRow(slotText(carbook::registrationLabel), registration_);
    form->addRow(slotText(carbook::makeModelLabel), makeAndModel_);
    form->addRow(slotText(carbook::vinLabel), vin_);
    form->addRow(slotText(carbook::notesLabel), notes_);
    problem_->setObjectName("NowyProblem");
    problem_->setTextFormat(Qt::PlainText);
    problem_->setWordWrap(true);
    problem_->setStyleSheet(QStringLiteral("color: #C00000;"));
    problem_->hide();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("NowyDodaj");
    connect(buttons, &QDialogButtonBox::accepted, this, &AddCarDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(problem_);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

book::Car AddCarDialog::car() const
{
    return {0, typed(registration_->text()), typed(makeAndModel_->text()), typed(vin_->text()),
            typed(notes_->toPlainText())};
}

void AddCarDialog::accept()
{
    book::Car wanted = car();
    QString why;
    if (wanted.registration.empty())
        why = slotText(carbook::registrationRequired);
    else
        why = add_(wanted);
    if (why.isEmpty()) {
        QDialog::accept();
        return;
    }
    problem_->setText(why);
    problem_->show();
    registration_->setFocus();
    registration_->selectAll();
}

}  // namespace dravinor::ui
