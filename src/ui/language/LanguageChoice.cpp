#include "ui/language/LanguageChoice.h"

#include "lang/DataFiles.h"
#include "live/LivePage.h"
#include "params/PathText.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/dialogs/HelpViewer.h"
#include "ui/dialogs/SystemHelp.h"
#include "ui/language/LanguageLoader.h"
#include "ui/language/QtTranslations.h"
#include "ui/pages/FieldAccessibility.h"
#include "ui/pages/ParameterPages.h"
#include "ui/status/StatusLines.h"
#include "ui/wizard/WizardController.h"
#include "ui/wizard/WizardPages.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QWidget>

#include <filesystem>

namespace dravinor::ui {

struct Language {
    const char* file;
    const char* help;
    lang::CodePage codePage;
    QFontDatabase::WritingSystem writingSystem;  // the controls' fonts must have its letters
    const char* qtLanguage;                      // Qt's own dialogs speak it too
};

namespace {

constexpr Language polish{"lang/polski.txt", "help/RODADIDOROR_PL.html", lang::CodePage::Windows1250,
                          QFontDatabase::Latin, "pl"};
constexpr Language russian{"lang/russian.txt", "help/Rodadidoror_ru.html", lang::CodePage::Windows1251,
                           QFontDatabase::Cyrillic, "ru"};

constexpr const char* helpTopic = "IDH_210";

// A file that could not be read was said at its choice: a page built later
// goes without its words silently.
class NoMessages final : public Dialogs {
public:
    bool askYesNo(const QString&) override { return false; }
    void showError(const QString&, const QString&) override {}
    void showMessage(const QString&) override {}
    void showConversionError(const QString&) override {}
    QString chooseSaveFile(const QString&, const QString&, const QString&) override { return {}; }
    QString chooseOpenFile(const QString&, const QString&) override { return {}; }
};

QString dataFile(const char* relative)
{
    const auto programFolder = params::pathFromUtf8(QCoreApplication::applicationDirPath().toStdString());
    return QString::fromStdString(params::utf8Text(lang::findDataFile(relative, programFolder)));
}

}  // namespace

LanguageChoice::LanguageChoice(QWidget* window, Dialogs& dialogs, QAction* polishItem, QAction* russianItem,
                               LanguageFollowers followers)
    : window_(window), dialogs_(dialogs), polishItem_(polishItem), russianItem_(russianItem),
      followers_(std::move(followers)), textKeys_(window)
{
    connect(polishItem_, &QAction::triggered, this, &LanguageChoice::choosePolish);
    connect(russianItem_, &QAction::triggered, this, &LanguageChoice::chooseRussian);
}

LanguageChoice::~LanguageChoice() = default;

void LanguageChoice::choosePolish()
{
    select(polish, polishItem_);
}

void LanguageChoice::chooseRussian()
{
    select(russian, russianItem_);
}

void LanguageChoice::select(const Language& language, QAction* ticked)
{
    // The help follows the choice even when the language file is missing.
    helpFile_ = QString::fromLatin1(language.help);
    chosen_ = &language;
    polishItem_->setChecked(ticked == polishItem_);
    russianItem_->setChecked(ticked == russianItem_);
    textKeys_.forgetTargets();  // a dialog may have come since the last choice
    textKeys_.setLanguageWritingSystem(language.writingSystem);
    useQtTranslation(QString::fromLatin1(language.qtLanguage));
    loadLanguageFile(dataFile(language.file), language.codePage, textKeys_, dialogs_);
    redrawShownTexts();
    nameFieldsAfterCaptions(window_);
    fixWizardLabelWidths();
    followers_.layoutPages();
    // The tips of fields without a value follow the language, and so does
    // the status line that names them.
    followers_.pages.refreshUnreadMarks();
    followers_.showUnreadStatus();
    followers_.refreshJournal();
}

void LanguageChoice::redrawShownTexts()
{
    followers_.statusLines.redraw();
    followers_.pages.redrawHints();
    followers_.livePage.redrawTexts();
    if (WizardController* wizard = followers_.wizard())
        wizard->redrawTexts();
    followers_.redrawTitle();
}

void LanguageChoice::fixWizardLabelWidths()
{
    // The wizard's layout gives every label its width again.
    if (WizardController* wizard = followers_.wizard())
        wizard->pages().layout();
}

bool LanguageChoice::applyToLateBuilt(QWidget* page)
{
    textKeys_.forgetTargets();
    if (!chosen_)
        return false;
    TextKeyApplier keys(page);
    keys.setLanguageWritingSystem(chosen_->writingSystem);
    NoMessages quiet;
    loadLanguageFile(dataFile(chosen_->file), chosen_->codePage, keys, quiet);
    nameFieldsAfterCaptions(page);
    return true;
}

void LanguageChoice::showHelp()
{
    showHelpAt(QString::fromLatin1(helpTopic));
}

void LanguageChoice::showHelpAt(const QString& topic)
{
    const QString document = dataFile(helpFile_.toLatin1().constData());
    // The system's way first (Windows: the default browser); the program's
    // own viewer where there is none, or it failed.
    if (openHelpOutside(document, topic))
        return;
    if (!helpViewer_)
        helpViewer_ = new HelpViewer(window_);
    helpViewer_->showTopic(document, topic);
}

}  // namespace dravinor::ui
