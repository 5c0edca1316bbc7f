#pragma once

#include <QString>

namespace dravinor::ui {

// Qt's own texts (the message boxes' buttons, the file dialogs) in the
// program's language: installs Qt's translation for language ("pl", "ru")
// in place of the one installed before. Without Qt's translation files
// installed the texts stay English; returns whether the language was found.
bool useQtTranslation(const QString& language);

}  // namespace dravinor::ui
