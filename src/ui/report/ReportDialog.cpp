#include "ui/report/ReportDialog.h"

#include "ui/dialogs/CarDetailField.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/language/SlotText.h"
#include "ui/window/FileMemory.h"

#include "live/SaveRefusalText.h"
#include "reportpdf/ReportPainter.h"
#include "reportpdf/ReportPdf.h"

#include <QCheckBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#if DRAVINOR_PRINTING
#include <QPrintDialog>
#include <QPrinter>
#endif

namespace dravinor::ui {

namespace key = lang::slot::report;

namespace {

std::string typed(const QLineEdit* field)
{
    return field->text().trimmed().toStdString();
}

}  // namespace

ReportDialog::ReportDialog(ReportSources sources, Dialogs& dialogs, FileMemory& memory, QWidget* parent)
    : QDialog(parent), sources_(std::move(sources)), dialogs_(dialogs), memory_(memory)
{
    setObjectName("RaportDialog");
    setWindowTitle(slotText(key::dialogTitle));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    registration_ = carDetailField(this, "RaportRejestracja");
    makeAndModel_ = carDetailField(this, "RaportMarkaModel");
    odometer_ = carDetailField(this, "RaportPrzebieg");
    workshop_ = carDetailField(this, "RaportWarsztat");
    workshop_->setText(memory_.workshopName());
    form->addRow(slotText(key::registration), registration_);
    form->addRow(slotText(key::makeAndModel), makeAndModel_);
    form->addRow(slotText(key::odometer), odometer_);
    form->addRow(slotText(key::workshop), workshop_);
    layout->addLayout(form);

    includeTrace_ = new QCheckBox(slotText(key::includeTrace), this);
    includeTrace_->setObjectName("RaportObrazOscyloskopu");
    const bool frozen = sources_.traceFrozen && sources_.traceFrozen();
    includeTrace_->setEnabled(frozen);
    includeTrace_->setChecked(frozen);
    if (!frozen)
        includeTrace_->setToolTip(slotText(key::freezeFirst));
    layout->addWidget(includeTrace_);

    result_ = new QLabel(this);
    result_->setObjectName("RaportWynik");
    result_->setTextFormat(Qt::PlainText);
    result_->setWordWrap(true);
    layout->addWidget(result_);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* save = buttons->addButton(slotText(key::savePdf), QDialogButtonBox::ActionRole);
    save->setObjectName("RaportZapiszPDF");
    save->setDefault(true);
    connect(save, &QPushButton::clicked, this, &ReportDialog::savePdf);
#if DRAVINOR_PRINTING
    QPushButton* printButton = buttons->addButton(slotText(key::print), QDialogButtonBox::ActionRole);
    printButton->setObjectName("RaportDrukuj");
    connect(printButton, &QPushButton::clicked, this, &ReportDialog::print);
#endif
    QPushButton* close = buttons->addButton(slotText(key::close), QDialogButtonBox::RejectRole);
    close->setObjectName("RaportZamknij");
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(460);
}

reportpdf::ReportSheet ReportDialog::sheet() const
{
    const report::CarDetails car{typed(registration_), typed(makeAndModel_), typed(odometer_), typed(workshop_)};
    reportpdf::ReportSheet sheet = reportpdf::sheetFor(sources_.content(car), sources_.texts);
    // Only a picture held now: the trace may have been let go meanwhile.
    if (includeTrace_->isEnabled() && includeTrace_->isChecked() && sources_.traceFrozen() && sources_.tracePicture)
        sheet.trace = sources_.tracePicture();
    return sheet;
}

bool ReportDialog::saveTo(const QString& path)
{
    rememberWorkshop();
    const auto result = reportpdf::saveReportPdf(sheet(), path);
    if (!result.ok()) {
        result_->clear();
        QString why = slotText(key::notSaved).arg(QDir::toNativeSeparators(path));
        if (!result.target.savable())
            why += ": " + live::saveRefusalText(result.target);
        else if (!result.systemText.isEmpty())
            why += " (" + result.systemText + ")";
        dialogs_.showMessage(why);
        return false;
    }
    memory_.noteChosen(FileMemory::Kind::Reports, path);
    result_->setText(slotText(key::saved).arg(QDir::toNativeSeparators(path)));
    emit saved(path);
    return true;
}

bool ReportDialog::printOn(QPagedPaintDevice& device)
{
    rememberWorkshop();
    if (reportpdf::paintReport(sheet(), device))
        return true;
    dialogs_.showMessage(slotText(key::notPrinted));
    return false;
}

void ReportDialog::done(int code)
{
    rememberWorkshop();
    QDialog::done(code);
}

void ReportDialog::savePdf()
{
    const QString folder = memory_.folder(FileMemory::Kind::Reports);
    const QString path = dialogs_.chooseSaveFile(QDir(folder).filePath(suggestedFileName()),
                                                 slotText(key::pdfFilter) + " (*.pdf)", QStringLiteral("pdf"));
    if (!path.isEmpty())
        saveTo(path);
}

void ReportDialog::print()
{
#if DRAVINOR_PRINTING
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(slotText(key::dialogTitle));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        printOn(printer);
#endif
}

// "raport-WX1234A-2026-12-08.pdf": the registration without what a file
// name may not hold.
QString ReportDialog::suggestedFileName() const
{
    QString registration = registration_->text().trimmed();
    registration.remove(QRegularExpression(QStringLiteral("[\\s/\\\\:*?\"<>|]")));
    const QString date = QDate::currentDate().toString(Qt::ISODate);
    const QString stem = slotText(key::fileName);
    return registration.isEmpty() ? QStringLiteral("%1-%2.pdf").arg(stem, date)
                                  : QStringLiteral("%1-%2-%3.pdf").arg(stem, registration, date);
}

void ReportDialog::rememberWorkshop()
{
    if (workshop_->text().trimmed() != memory_.workshopName())
        memory_.setWorkshopName(workshop_->text().trimmed());
}

}  // namespace dravinor::ui
