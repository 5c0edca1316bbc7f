#include "PolishTexts.h"
#include "ProgramFolder.h"

#include "lang/ControlTexts.h"
#include "lang/DataFiles.h"
#include "lang/LanguageFile.h"
#include "lang/ShownNumbers.h"
#include "lang/TextSlots.h"
#include "params/PathText.h"
#include "wizard/WizardControlNames.h"
#include "wizard/WizardTexts.h"

#include <iostream>

namespace dravinor::cli {

namespace {

// The file's text, or the built-in one where the file leaves it out.
std::string orBuiltIn(std::string text, std::string_view builtIn)
{
    return text.empty() ? std::string(builtIn) : text;
}

}  // namespace

PolishTexts PolishTexts::fromFile(const std::filesystem::path& path)
{
    const auto content = lang::readLanguageFile(path);
    using Status = lang::LanguageFileContent::Status;
    PolishTexts texts;
    if (content.status != Status::CannotOpen && content.status != Status::TooLarge)
        texts.texts_ = std::make_shared<const lang::ControlTexts>(content, lang::CodePage::Windows1250);
    return texts;
}

std::string PolishTexts::caption(const fields::PageValue& value) const
{
    if (value.hidden)
        return lang::textSlots().text(lang::slot::firstHiddenValue + value.hidden - 1);
    if (!texts_)
        return value.caption;
    return fields::captionInLanguage(value, texts_->caption(value.labelName), texts_->caption(value.groupName));
}

std::string PolishTexts::shown(const fields::PageValue& value) const
{
    std::string shown = value.shown;
    if (texts_ && value.item >= 0 && !value.name.empty())
        shown = orBuiltIn(texts_->listItem(value.name, value.item), shown);
    return value.unit.empty() ? shown : shown + " " + lang::unitInLanguage(value.unit);
}

std::string PolishTexts::wizardText(wizard::WizardControl control) const
{
    const std::string_view builtIn = wizard::pageText(control);
    return texts_ ? orBuiltIn(texts_->caption(wizard::controlName(control)), builtIn) : std::string(builtIn);
}

std::string PolishTexts::pageCaption(wizard::WizardPage page) const
{
    const std::string_view builtIn = wizard::pageCaption(page);
    return texts_ ? orBuiltIn(texts_->tabCaption(wizard::pageName(page)), builtIn) : std::string(builtIn);
}

std::string PolishTexts::wizardItem(wizard::WizardControl list, int item, std::string_view builtIn) const
{
    return texts_ ? orBuiltIn(texts_->listItem(wizard::controlName(list), item), builtIn) : std::string(builtIn);
}

PolishTexts shippedPolishTexts()
{
    const auto path = lang::findDataFile("lang/polski.txt", programFolder());
    PolishTexts texts = PolishTexts::fromFile(path);
    if (!texts.fromFile())
        std::cerr << "dravinor-cli: " << params::utf8Text(path) << " cannot be read; the built-in captions are used\n";
    return texts;
}

}  // namespace dravinor::cli
