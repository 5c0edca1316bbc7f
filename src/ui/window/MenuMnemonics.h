#pragma once

#include <QObject>

#include <vector>

class QMenu;
class QMenuBar;
class QShortcut;

namespace dravinor::ui {

// Alt + a letter opens a menu of the menu bar without an '&' in its title,
// so the titles stay exactly what the language files set. Each menu answers
// to the first letter of its built-in title (Alt+M "menu", Alt+P "porty",
// ...) and to the first letter of its current title, which follows a
// language file (Alt+П for "порты"); the first menu keeps a letter two
// titles share. A visible control whose caption marks the same letter
// ("&PAUZA" on the live page) takes it from the menu while it is shown.
class MenuMnemonics : public QObject {
    Q_OBJECT
public:
    // Reads the built-in letters from the titles the bar's menus have now.
    explicit MenuMnemonics(QMenuBar* bar);

    // The menu that Alt + letter opens, or null.
    QMenu* menuFor(QChar letter) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void rebuild();
    void open(QMenu* menu);
    // Just before Qt matches an Alt key: a letter a shown control owns is
    // not the menu's, or Qt would call the two ambiguous and do neither.
    void yieldLettersOwnedByControls();

    QMenuBar* bar_;
    std::vector<std::pair<QMenu*, QChar>> builtInLetters_;
    std::vector<std::pair<QChar, QMenu*>> letters_;
    std::vector<QShortcut*> shortcuts_;
};

}  // namespace dravinor::ui
