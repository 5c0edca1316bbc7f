#pragma once

#include "ui/language/TextKeyApplier.h"

#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QWidget;

namespace dravinor::live {
class LivePage;
}

namespace dravinor::ui {

class Dialogs;
class HelpViewer;
class ParameterPages;
class StatusLines;
class WizardController;
struct Language;

// What says its texts again after a language file, beyond the controls the
// file's keys reach; called in this order.
struct LanguageFollowers {
    StatusLines& statusLines;
    ParameterPages& pages;
    live::LivePage& livePage;
    // Null until the wizard's page was first shown.
    std::function<WizardController*()> wizard;
    // The title's words: the controller's, then an unplugged adapter's.
    std::function<void()> redrawTitle;
    // The pages laid out again: a caption may have changed its width.
    std::function<void()> layoutPages;
    // The count of values left unread, on the status lines.
    std::function<void()> showUnreadStatus;
    // The journal's list, where its window was opened.
    std::function<void()> refreshJournal;
};

// The language menu's two items, "polski" and "rosyjski": choosing one ticks
// it, takes its help file, puts its writing system's fonts behind the
// controls, loads its language file and has every shown text said again.
class LanguageChoice : public QObject {
    Q_OBJECT
public:
    // window: whose controls the language file names, and the help's parent.
    LanguageChoice(QWidget* window, Dialogs& dialogs, QAction* polishItem, QAction* russianItem,
                   LanguageFollowers followers);
    ~LanguageChoice() override;

    void choosePolish();
    void chooseRussian();
    // A page built after the language was chosen takes its words, fonts and
    // fields' names from the language file; false before any choice.
    bool applyToLateBuilt(QWidget* page);
    // F1: the current language's help at its topic.
    void showHelp();
    // The same help at a topic of the caller's (an anchor of the document).
    void showHelpAt(const QString& topic);
    HelpViewer* helpViewer() const { return helpViewer_; }
    TextKeyApplier& textKeys() { return textKeys_; }

private:
    void select(const Language& language, QAction* ticked);
    // What was shown before the change, said again in its words.
    void redrawShownTexts();
    // A longer text may have grown a wizard label.
    void fixWizardLabelWidths();

    QWidget* window_;
    Dialogs& dialogs_;
    QAction* polishItem_;
    QAction* russianItem_;
    LanguageFollowers followers_;
    TextKeyApplier textKeys_;
    HelpViewer* helpViewer_ = nullptr;
    QString helpFile_;
    const Language* chosen_ = nullptr;
};

}  // namespace dravinor::ui
