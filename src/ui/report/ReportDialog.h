#pragma once

#include "ui/report/ReportSources.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPagedPaintDevice;
class QPushButton;

namespace dravinor::ui {

class Dialogs;
class FileMemory;

// "Raport…": the car's registration number, make and model and odometer
// typed by the fitter, the workshop's name (remembered between runs), the
// frozen trace's picture when asked for (only while the trace is frozen);
// saved as an A4 PDF or printed.
class ReportDialog : public QDialog {
    Q_OBJECT
public:
    ReportDialog(ReportSources sources, Dialogs& dialogs, FileMemory& memory, QWidget* parent = nullptr);

    // The report as the fields say now, in the current language.
    reportpdf::ReportSheet sheet() const;
    // Save as PDF at path; tells the outcome in the dialog, or in a message.
    bool saveTo(const QString& path);
    // Paint the report on a printer (or any paged device); false, with a message, when it cannot.
    bool printOn(QPagedPaintDevice& device);

    QLineEdit* registration() const { return registration_; }
    QLineEdit* makeAndModel() const { return makeAndModel_; }
    QLineEdit* odometer() const { return odometer_; }
    QLineEdit* workshop() const { return workshop_; }
    QCheckBox* includeTrace() const { return includeTrace_; }
    QLabel* result() const { return result_; }

public slots:
    void done(int code) override;

signals:
    // The report was saved as a PDF at path.
    void saved(const QString& path);

private:
    void savePdf();
    void print();
    QString suggestedFileName() const;
    void rememberWorkshop();

    ReportSources sources_;
    Dialogs& dialogs_;
    FileMemory& memory_;
    QLineEdit* registration_ = nullptr;
    QLineEdit* makeAndModel_ = nullptr;
    QLineEdit* odometer_ = nullptr;
    QLineEdit* workshop_ = nullptr;
    QCheckBox* includeTrace_ = nullptr;
    QLabel* result_ = nullptr;
};

}  // namespace dravinor::ui
