#include "ui/window/MenuMnemonics.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
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

// The caption of a control that answers to Alt and its marked letter: a
// button or box, a group box, a caption label that leads to its field.
QString mnemonicCaption(const QWidget* widget)
{
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(widget))
        return group->title();
    if (const auto* label = qobject_cast<const QLabel*>(widget); label && label->buddy())
        return label->text();
    return {};
}

// The letters marked with '&' in the captions of the window's controls
// that are shown and usable now.
QSet<int> lettersOwnedByControls(const QWidget* window)
{
    QSet<int> owned;
    const auto widgets = window->findChildren<QWidget*>();
    for (const QWidget* widget : widgets) {
        if (!widget->isVisible() || !widget->isEnabled())
            continue;
        const QString caption = mnemonicCaption(widget);
        if (!caption.contains(QLatin1Char('&')))
            continue;
        if (const QKeySequence keys = QKeySequence::mnemonic(caption); !keys.isEmpty())
            owned.insert(keys[0].toCombined());
    }
    return owned;
}

QKeyCombination altKey(QChar letter)
{
    // Qt's key code of a letter is its upper-case code point.
    return QKeyCombination(Qt::AltModifier, static_cast<Qt::Key>(letter.unicode()));
}

}  // namespace

MenuMnemonics::MenuMnemonics(QMenuBar* bar) : QObject(bar), bar_(bar)
{
    qApp->installEventFilter(this);
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
        auto* shortcut = new QShortcut(QKeySequence(altKey(letter)), window);
        shortcut->setContext(Qt::WindowShortcut);
        QMenu* target = menu;
        connect(shortcut, &QShortcut::activated, this, [this, target] { open(target); });
        shortcuts_.push_back(shortcut);
    }
}

bool MenuMnemonics::eventFilter(QObject* watched, QEvent* event)
{
    // Qt asks the focus widget (then its parents) whether it wants the key
    // before it looks for a shortcut: the last moment to settle the letters.
    if (event->type() == QEvent::ShortcutOverride && (static_cast<QKeyEvent*>(event)->modifiers() & Qt::AltModifier) &&
        watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == bar_->window())
        yieldLettersOwnedByControls();
    return QObject::eventFilter(watched, event);
}

void MenuMnemonics::yieldLettersOwnedByControls()
{
    const QSet<int> owned = lettersOwnedByControls(bar_->window());
    for (std::size_t i = 0; i < shortcuts_.size(); ++i)
        shortcuts_[i]->setEnabled(!owned.contains(altKey(letters_[i].first).toCombined()));
}

void MenuMnemonics::open(QMenu* menu)
{
    if (menu->menuAction()->isVisible() && menu->menuAction()->isEnabled())
        bar_->setActiveAction(menu->menuAction());
}

}  // namespace dravinor::ui
