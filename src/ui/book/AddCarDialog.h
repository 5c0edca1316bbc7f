#pragma once

#include "book/BookRecords.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace dravinor::ui {

// "Dodaj samochód…": the registration (required), make and model, VIN and
// notes. The car is handed to `add`, which answers why it was refused, or
// nothing when it was taken; a refusal is shown in the dialog, which stays
// open with everything typed.
class AddCarDialog : public QDialog {
    Q_OBJECT
public:
    using Add = std::function<QString(book::Car& car)>;
    AddCarDialog(Add add, QWidget* parent = nullptr);

    // The car as the fields say now.
    book::Car car() const;

    QLineEdit* registration() const { return registration_; }
    QLineEdit* makeAndModel() const { return makeAndModel_; }
    QLineEdit* vin() const { return vin_; }
    QPlainTextEdit* notes() const { return notes_; }
    QLabel* problem() const { return problem_; }

public slots:
    void accept() override;

private:
    Add add_;
    QLineEdit* registration_;
    QLineEdit* makeAndModel_;
    QLineEdit* vin_;
    QPlainTextEdit* notes_;
    QLabel* problem_;
};

}  // namespace dravinor::ui
