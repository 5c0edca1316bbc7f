#pragma once

#include <QString>

class QWidget;

namespace dravinor::ui {

// Every question and message of the program goes through here, so widget
// tests can answer without a modal loop.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A modal Yes/No question with an empty caption; true only for Yes.
    virtual bool askYesNo(const QString& question) = 0;
    // The same, with No as the button Enter presses.
    virtual bool askYesNoDefaultNo(const QString& question) { return askYesNo(question); }
    // A Yes/No question with a caption of its own, where the box alone would
    // not say what it is about.
    virtual bool askYesNoTitled(const QString& /*caption*/, const QString& question) { return askYesNo(question); }
    // A message with OK and Cancel buttons and the given caption.
    virtual void showError(const QString& caption, const QString& text) = 0;
    // A plain message with an OK button and no caption.
    virtual void showMessage(const QString& text) = 0;
    // The text of a number that does not convert, in a plain message.
    virtual void showConversionError(const QString& text) = 0;
    // File dialogs; an empty result means cancelled.
    virtual QString chooseSaveFile(const QString& directory, const QString& filter, const QString& defaultSuffix) = 0;
    virtual QString chooseOpenFile(const QString& directory, const QString& filter) = 0;
};

// The real thing: QMessageBox and QFileDialog.
class MessageBoxDialogs final : public Dialogs {
public:
    explicit MessageBoxDialogs(QWidget* parent) : parent_(parent) {}
    bool askYesNo(const QString& question) override;
    bool askYesNoDefaultNo(const QString& question) override;
    bool askYesNoTitled(const QString& caption, const QString& question) override;
    void showError(const QString& caption, const QString& text) override;
    void showMessage(const QString& text) override;
    void showConversionError(const QString& text) override;
    QString chooseSaveFile(const QString& directory, const QString& filter, const QString& defaultSuffix) override;
    QString chooseOpenFile(const QString& directory, const QString& filter) override;

private:
    QWidget* parent_;
};

}  // namespace dravinor::ui
