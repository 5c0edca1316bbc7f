#include "Dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace dravinor::ui {

bool MessageBoxDialogs::askYesNo(const QString& question)
{
    QMessageBox box(QMessageBox::Question, QString(), question, QMessageBox::Yes | QMessageBox::No, parent_);
    box.setTextFormat(Qt::PlainText);
    return box.exec() == QMessageBox::Yes;
}

void MessageBoxDialogs::showError(const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok | QMessageBox::Cancel, parent_);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void MessageBoxDialogs::showMessage(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QString(), text, QMessageBox::Ok, parent_);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void MessageBoxDialogs::showConversionError(const QString& text)
{
    QMessageBox box(QMessageBox::Warning, QString(),
                    QStringLiteral("\"%1\" nie jest poprawną liczbą").arg(text), QMessageBox::Ok, parent_);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QString MessageBoxDialogs::chooseSaveFile(const QString& directory, const QString& filter, const QString& defaultSuffix)
{
    QFileDialog dialog(parent_, QString(), directory, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().front()
                                                                                   : QString();
}

QString MessageBoxDialogs::chooseOpenFile(const QString& directory, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent_, QString(), directory, filter);
}

}  // namespace dravinor::ui
