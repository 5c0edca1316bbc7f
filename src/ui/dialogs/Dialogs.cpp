#include "ui/dialogs/Dialogs.h"
#include "ui/language/SlotText.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QWindow>

namespace dravinor::ui {

namespace {

// Runs a message box with an empty caption. An empty title makes Qt show the
// program's name in the title bar instead, so the title bar gets a blank.
int execWithEmptyCaption(QMessageBox& box)
{
    if (box.windowTitle().isEmpty()) {
        box.winId();
        if (QWindow* window = box.windowHandle())
            window->setTitle(QStringLiteral(" "));
    }
    return box.exec();
}

}  // namespace

bool MessageBoxDialogs::askYesNo(const QString& question)
{
    QMessageBox box(QMessageBox::Question, QString(), question, QMessageBox::Yes | QMessageBox::No, parent_);
    box.setTextFormat(Qt::PlainText);
    return execWithEmptyCaption(box) == QMessageBox::Yes;
}

bool MessageBoxDialogs::askYesNoDefaultNo(const QString& question)
{
    QMessageBox box(QMessageBox::Question, QString(), question, QMessageBox::Yes | QMessageBox::No, parent_);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    return execWithEmptyCaption(box) == QMessageBox::Yes;
}

bool MessageBoxDialogs::askYesNoTitled(const QString& caption, const QString& question)
{
    QMessageBox box(QMessageBox::Question, caption, question, QMessageBox::Yes | QMessageBox::No, parent_);
    box.setTextFormat(Qt::PlainText);
    return execWithEmptyCaption(box) == QMessageBox::Yes;
}

void MessageBoxDialogs::showError(const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok | QMessageBox::Cancel, parent_);
    box.setTextFormat(Qt::PlainText);
    execWithEmptyCaption(box);
}

void MessageBoxDialogs::showMessage(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QString(), text, QMessageBox::Ok, parent_);
    box.setTextFormat(Qt::PlainText);
    execWithEmptyCaption(box);
}

void MessageBoxDialogs::showConversionError(const QString& text)
{
    showMessage(slotText(lang::slot::conversionError).arg(text));
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
