#pragma once

#include "ui/language/SlotText.h"

#include <QString>

namespace dravinor::ui::texts {

// Texts no language file reaches: the same in every language.
// The service tool's version the controllers know, kept in the title; the
// About box tells it apart from the program's own version.
inline const QString speaksAsVersion = QStringLiteral("1.03");
inline const QString titlePrefix = QStringLiteral("Dravinor Zuv Telvar ver ") + speaksAsVersion + QStringLiteral(" - ");
inline const QString ramSuffix = QStringLiteral("(RAM) ");
inline const QString eepromSuffix = QStringLiteral("(EPROM) ");
inline const QString cannotRead = QStringLiteral("Nie moge odczytac");
inline const QString cannotSave = QStringLiteral("Nie moge zapisac");
inline const QString errorCaption = QStringLiteral("blad");
inline const QString languageFileError = QStringLiteral("error");

// Texts of the text slots, read when shown.
inline constexpr SlotText noController{lang::slot::noController};
inline constexpr SlotText cannotOpenPort{lang::slot::cannotOpenPort};
inline constexpr SlotText wrongController{lang::slot::wrongController};
inline constexpr SlotText portOpen{lang::slot::portOpen};
inline constexpr SlotText cannotWrite{lang::slot::cannotWrite};
inline constexpr SlotText leaveWizardQuestion{lang::slot::leaveWizardQuestion};
inline constexpr SlotText enterWizardQuestion{lang::slot::enterWizardQuestion};
// The entry question's caption: it resets the controller's parameters.
inline constexpr SlotText enterWizardCaption{lang::slot::journal::adaptationResetKind};

// The title's part for a controller that answers but gave no clean
// identity, bracketed as a version text is.
struct VersionUnknownTitle {
    operator QString() const
    {
        return QStringLiteral("[ ") + slotText(lang::slot::versionUnknown) + QStringLiteral(" ]");
    }
};
inline constexpr VersionUnknownTitle versionUnknown{};

// The file dialogs' filter: the slot names the files, the patterns stay, so
// no translation can lose them.
struct ParameterFileFilter {
    operator QString() const { return slotText(lang::slot::parameterFileFilter) + QStringLiteral(" (*.PAR *.par)"); }
};
inline constexpr ParameterFileFilter fileFilter{};

}  // namespace dravinor::ui::texts
