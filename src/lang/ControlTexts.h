#pragma once

#include "lang/LanguageFile.h"
#include "lang/SingleByteDecoder.h"

#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace dravinor::lang {

// What a language file gives the window's controls, by objectName, in
// UTF-8: captions (labels, group boxes, check boxes, buttons), tab captions
// and list items. For a program with no window that still speaks of the
// pages' fields and the wizard's controls in the fitter's language (the
// command line).
class ControlTexts {
public:
    // The file's control keys; its slot keys go to the text slots, as the
    // window's loading does.
    ControlTexts(const LanguageFileContent& content, CodePage codePage);

    // Empty when the file gives the control no caption.
    std::string caption(std::string_view name) const;
    // The caption of the tab of the page with this objectName; empty when
    // the file gives none.
    std::string tabCaption(std::string_view name) const;
    // Empty when the file gives the list no such item.
    std::string listItem(std::string_view name, int item) const;

private:
    std::map<std::string, std::string, std::less<>> captions_;
    std::map<std::string, std::string, std::less<>> tabs_;
    std::map<std::pair<std::string, int>, std::string> items_;
};

}  // namespace dravinor::lang
