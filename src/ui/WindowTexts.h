#pragma once

#include <QString>

namespace dravinor::ui::texts {

// The window's own texts in Polish, the language the program starts in.
inline const QString titlePrefix = QStringLiteral("Dravinor Zuv Telvar ver 1.03 - ");
inline const QString noController = QStringLiteral("brak sterownika");
inline const QString cannotOpenPort = QStringLiteral("Nie moge otworzyc portu");
inline const QString wrongController = QStringLiteral("Zły sterownik");
inline const QString portOpen = QStringLiteral("Port otwarty");
inline const QString cannotWrite = QStringLiteral("Nie mogę zapisać parametru ");
inline const QString ramSuffix = QStringLiteral("(RAM) ");
inline const QString eepromSuffix = QStringLiteral("(EPROM) ");
inline const QString cannotRead = QStringLiteral("Nie moge odczytac");
inline const QString cannotSave = QStringLiteral("Nie moge zapisac");
inline const QString errorCaption = QStringLiteral("blad");
inline const QString fileFilter = QStringLiteral("Plik Parametrów KORVANT Lambda *.PAR (*.PAR *.par)");
inline const QString leaveWizardQuestion = QStringLiteral("Czy napewno wyjść z autoadaptacji ?");
inline const QString enterWizardQuestion =
    QStringLiteral("uwaga, przejście na autoadaptację powoduje reset parametrów, kontynuować ?");

}  // namespace dravinor::ui::texts
