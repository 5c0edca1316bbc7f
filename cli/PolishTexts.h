#pragma once

#include "fields/PageValues.h"
#include "wizard/WizardControl.h"
#include "wizard/WizardView.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace dravinor::lang {
class ControlTexts;
}

namespace dravinor::cli {

// The words the window shows at start-up for the pages' fields and the
// wizard's controls: the shipped Polish language file's (its proper Polish
// letters), the built-in ones where the file is not found or leaves a text out.
class PolishTexts {
public:
    // The built-in words alone.
    PolishTexts() = default;
    // The words of the language file at path; its slot texts go to the text
    // slots, as the window's loading does. The built-in words when it cannot
    // be read.
    static PolishTexts fromFile(const std::filesystem::path& path);

    bool fromFile() const { return texts_ != nullptr; }

    // A page value's caption and what its field shows (list items, unit).
    std::string caption(const fields::PageValue& value) const;
    std::string shown(const fields::PageValue& value) const;
    // A wizard control's text and a wizard page's tab caption.
    std::string wizardText(wizard::WizardControl control) const;
    std::string pageCaption(wizard::WizardPage page) const;
    // An item of one of the wizard's lists; builtIn when the file has none.
    std::string wizardItem(wizard::WizardControl list, int item, std::string_view builtIn) const;

private:
    std::shared_ptr<const lang::ControlTexts> texts_;
};

// The shipped Polish file, looked for as the window looks for it (from the
// program's folder). When it cannot be read, stderr says so once and the
// built-in words are used.
PolishTexts shippedPolishTexts();

}  // namespace dravinor::cli
