#include "MenuMnemonics.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace dravinor::ui {

namespace {

QChar firstLetter(const QString& title)
{
    for (const QChar c : title)
        if (c.isLetter())
            return c.toUpper();
    return {};
}

}  // namespace

MenuMnemonics::MenuMnemonics(QMenuBar* bar) : QObject(bar), bar_(bar)
{
    for (QAction* action : bar->actions()) {
        if (QMenu* menu = action->menu()) {
            builtInLetters_.emplace_back(menu, firstLetter(menu->title()));
            // A language file renames the menu: its letter follows.
            connect(action, &QAction::changed, this, &MenuMnemonics::rebuild);
        }
    }
    rebuild();
}

QMenu* MenuMnemonics::menuFor(QChar letter) const
{
    const QChar wanted = letter.toUpper();
    for (const auto& [key, menu] : letters_)
        if (key == wanted)
            return menu;
    return nullptr;
}

void MenuMnemonics::rebuild()
{
    std::vector<std::pair<QChar, QMenu*>> letters;
    const auto add = [&](QChar letter, QMenu* menu) {
        if (letter.isNull())
            return;
        for (const auto& taken : letters)
            if (taken.first == letter)
                return;
        letters.emplace_back(letter, menu);
    };
    // The built-in letters first: they work in every language.
    for (const auto& [menu, letter] : builtInLetters_)
        add(letter, menu);
    for (const auto& [menu, letter] : builtInLetters_)
        add(firstLetter(menu->title()), menu);
    if (letters == letters_)
        return;
    letters_ = std::move(letters);

    for (QShortcut* shortcut : shortcuts_)
        delete shortcut;
    shortcuts_.clear();
    QWidget* window = bar_->window();
    for (const auto& [letter, menu] : letters_) {
        // Qt's key code of a letter is its upper-case code point.
        const QKeySequence keys(QKeyCombination(Qt::AltModifier, static_cast<Qt::Key>(letter.unicode())));
        auto* shortcut = new QShortcut(keys, window);
        shortcut->setContext(Qt::WindowShortcut);
        QMenu* target = menu;
        connect(shortcut, &QShortcut::activated, this, [this, target] { open(target); });
        shortcuts_.push_back(shortcut);
    }
}

void MenuMnemonics::open(QMenu* menu)
{
    if (menu->menuAction()->isVisible() && menu->menuAction()->isEnabled())
        bar_->setActiveAction(menu->menuAction());
}

}  // namespace dravinor::ui
