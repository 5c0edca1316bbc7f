#pragma once

#include "lang/SingleByteDecoder.h"

#include <QString>

namespace dravinor::ui {

class Dialogs;
class TextKeyApplier;

// Reads a language file of the given code page and applies its keyed lines
// in file order. A file that cannot be read shows "error" and changes
// nothing; a malformed key shows a conversion error and keeps the lines
// before it. A file saved as UTF-8 is read as UTF-8, with a note on stderr.
// Returns whether the whole file was applied.
bool loadLanguageFile(const QString& path, lang::CodePage codePage, TextKeyApplier& applier, Dialogs& dialogs);

}  // namespace dravinor::ui
