#include "ui/window/MainWindow.h"

#include "ui/wizard/WizardController.h"
#include "ui/wizard/WizardPages.h"

#include "lang/DataFiles.h"
#include "live/LivePage.h"
#include "ui/connection/ReconnectWatch.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/dialogs/HelpViewer.h"
#include "ui/journal/JournalWindow.h"
#include "ui/language/LanguageLoader.h"
#include "ui/language/QtTranslations.h"
#include "ui/language/TextKeyApplier.h"
#include "ui/pages/FieldAccessibility.h"
#include "ui/pages/ParameterPages.h"
#include "ui/window/WindowTexts.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QFontDatabase>

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

QString dataFile(const char* relative)
{
    const auto programFolder =
        std::filesystem::path(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());
    return QFile::decodeName(lang::findDataFile(relative, programFolder).string().c_str());
}

}  // namespace

void MainWindow::selectLanguage(const Language& language, QAction* ticked)
{
    // The help follows the choice even when the language file is missing.
    helpFile_ = QString::fromLatin1(language.help);
    polishItem_->setChecked(ticked == polishItem_);
    russianItem_->setChecked(ticked == russianItem_);
    textKeys_->setLanguageWritingSystem(language.writingSystem);
    useQtTranslation(QString::fromLatin1(language.qtLanguage));
    loadLanguageFile(dataFile(language.file), language.codePage, *textKeys_, dialogs_);
    redrawShownTexts();
    nameFieldsAfterCaptions(this);
    fixWizardLabelWidths();
    layoutPages();
    // The tips of fields without a value follow the language, and so does
    // the status line that names them.
    pages_->refreshUnreadMarks();
    showUnreadStatus(false);
    if (journalWindow_)
        journalWindow_->refresh();
}

void MainWindow::redrawShownTexts()
{
    statusLines_.redraw();
    pages_->redrawHints();
    livePage_->redrawTexts();
    wizard_->redrawTexts();
    if (titleSaysNoController_)
        setWindowTitle(texts::titlePrefix + texts::noController);
    if (titleSaysVersionUnknown_) {
        controllerVersion_ = texts::versionUnknown;
        setWindowTitle(texts::titlePrefix + controllerVersion_);
    }
    reconnect_->redrawTitle();
}

void MainWindow::fixWizardLabelWidths()
{
    // A longer text may have grown a wizard label; the wizard's layout
    // gives every label its width again.
    wizard_->pages().layout();
}

void MainWindow::choosePolish()
{
    selectLanguage(polish, polishItem_);
}

void MainWindow::chooseRussian()
{
    selectLanguage(russian, russianItem_);
}

void MainWindow::helpF1Click()
{
    if (!helpViewer_)
        helpViewer_ = new HelpViewer(this);
    helpViewer_->showTopic(dataFile(helpFile_.toLatin1().constData()), QString::fromLatin1(helpTopic));
}

}  // namespace dravinor::ui
