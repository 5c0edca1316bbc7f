#include "ui/language/TextKeyApplier.h"

#include "lang/KeyTable.h"
#include "lang/TextSlots.h"
#include "live/widgets/InstrumentWidget.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>
#include <array>

namespace dravinor::ui {

namespace {

using lang::TargetKind;

// Their selection is a setting shown on the parameter pages: replacing an
// item's text must never change it. (The wizard's step-1 lists are not kept.)
constexpr std::array<const char*, 9> keptLists{"RSLambda",  "RSYLambda",        "TCTps",
                                               "RObrotow",  "RUZaplonowego",    "TPSterownika",
                                               "TSRezerwy", "DOAttuatoraCheck", "TJazdy"};

// Shown in the language's letters too, though no key names them.
constexpr std::array<const char*, 6> alsoInWritingSystem{"Komentarz1L", "Komentarz2L",   "Lambda_L",
                                                         "BenzGazLed",  "JakiTps_AA_P2", "SwitchAUTO"};

// The main pages' tabs keep the system's font, as the menus do.
constexpr std::array<const char*, 3> systemTabs{"TabPar1", "TabPar2", "TabViz"};

const QString cyrillicFallback = QStringLiteral("DejaVu Sans");

QTabWidget* tabWidgetOf(QWidget* page)
{
    // A page sits in the tab widget's stack.
    QWidget* stack = page->parentWidget();
    return stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
}

void setCaption(QObject* target, const QString& text)
{
    if (auto* action = qobject_cast<QAction*>(target)) {
        action->setText(text);
    } else if (auto* menu = qobject_cast<QMenu*>(target)) {
        menu->setTitle(text);
    } else if (auto* label = qobject_cast<QLabel*>(target)) {
        label->setTextFormat(Qt::PlainText);  // no file may inject markup
        label->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(target)) {
        group->setTitle(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(target)) {
        button->setText(text);
    }
}

// One character a line, as the form writes "LAMBDA" beside the lambda bar.
QString downwards(const QString& text)
{
    QStringList characters;
    for (const char32_t c : text.toUcs4())
        characters << QString::fromUcs4(&c, 1);
    return characters.join(QLatin1Char('\n'));
}

void setTabCaption(QObject* target, const QString& text)
{
    auto* page = qobject_cast<QWidget*>(target);
    QTabWidget* tabs = page ? tabWidgetOf(page) : nullptr;
    if (tabs)
        tabs->setTabText(tabs->indexOf(page), text);
}

void setItem(QObject* target, int item, const QString& text)
{
    auto* list = qobject_cast<QComboBox*>(target);
    if (list && item < list->count())
        list->setItemText(item, text);
}

// Adds (or drops) a family with Cyrillic behind the widget's own font.
void setWritingSystem(QWidget* widget, QFontDatabase::WritingSystem writingSystem)
{
    QFont font = widget->font();
    const QString family = font.families().value(0, font.family());
    QStringList families{family};
    if (writingSystem == QFontDatabase::Cyrillic &&
        !QFontDatabase::writingSystems(family).contains(QFontDatabase::Cyrillic))
        families << cyrillicFallback;
    if (font.families() == families)
        return;
    font.setFamilies(families);
    widget->setFont(font);
}

}  // namespace

TextKeyApplier::TextKeyApplier(QWidget* root) : root_(root) {}

void TextKeyApplier::findTargets()
{
    scanned_ = true;
    targets_.clear();
    const auto objects = root_->findChildren<QObject*>();
    for (QObject* object : objects) {
        const QString name = object->objectName();
        if (!name.isEmpty() && !targets_.contains(name))
            targets_.insert(name, object);
    }
}

QObject* TextKeyApplier::target(const char* name)
{
    // A name the last look-up did not see is not there: most of the key
    // table names controls of pages not built yet, and one search of the
    // whole window for each would cost more than the texts themselves.
    if (!scanned_)
        findTargets();
    const auto it = targets_.constFind(QString::fromLatin1(name));
    return it != targets_.constEnd() ? it->data() : nullptr;
}

void TextKeyApplier::applyTextKey(int key, const QString& text)
{
    lang::TextSlots& texts = lang::textSlots();
    if (texts.has(key)) {
        texts.set(key, text.toStdString());
        return;
    }
    const auto targets = lang::targetsOf(key);
    if (targets.empty())
        return;

    std::array<std::pair<QComboBox*, int>, keptLists.size()> selections{};
    for (std::size_t i = 0; i < keptLists.size(); ++i)
        if (auto* list = qobject_cast<QComboBox*>(target(keptLists[i])))
            selections[i] = {list, list->currentIndex()};

    for (const lang::KeyTarget& row : targets) {
        QObject* object = target(row.name);
        if (!object)
            continue;
        switch (row.kind) {
        case TargetKind::Caption: setCaption(object, text); break;
        case TargetKind::Tab: setTabCaption(object, text); break;
        case TargetKind::ListItem: setItem(object, row.item, text); break;
        case TargetKind::DialName:
            if (auto* dial = qobject_cast<live::InstrumentWidget*>(object))
                dial->setName1(text);
            break;
        case TargetKind::VerticalCaption: setCaption(object, downwards(text)); break;
        }
    }

    for (const auto& [list, index] : selections)
        if (list && list->currentIndex() != index)
            list->setCurrentIndex(index);
}

void TextKeyApplier::setLanguageWritingSystem(QFontDatabase::WritingSystem writingSystem)
{
    for (const lang::KeyTarget& row : lang::keyTable()) {
        QObject* object = target(row.name);
        if (!object || qobject_cast<QMenu*>(object))
            continue;
        if (row.kind == TargetKind::Tab) {
            const bool systemTab = std::find_if(systemTabs.begin(), systemTabs.end(), [&](const char* name) {
                                       return QLatin1String(name) == object->objectName();
                                   }) != systemTabs.end();
            QTabWidget* tabs = qobject_cast<QWidget*>(object) ? tabWidgetOf(static_cast<QWidget*>(object)) : nullptr;
            if (!systemTab && tabs)
                setWritingSystem(tabs->tabBar(), writingSystem);
            continue;
        }
        if (auto* widget = qobject_cast<QWidget*>(object))
            setWritingSystem(widget, writingSystem);
    }
    for (const char* name : alsoInWritingSystem)
        if (auto* widget = qobject_cast<QWidget*>(target(name)))
            setWritingSystem(widget, writingSystem);
}

}  // namespace dravinor::ui
