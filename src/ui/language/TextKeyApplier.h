#pragma once

#include <QFontDatabase>
#include <QHash>
#include <QPointer>
#include <QString>

class QObject;
class QWidget;

namespace dravinor::ui {

// Puts the texts of a language file into the window: captions, tabs, list
// items and dial names by the key table, and the text slots.
class TextKeyApplier {
public:
    // root: the window whose controls the keys name.
    explicit TextKeyApplier(QWidget* root);

    // Looks the named controls up again (a load calls it first, so controls
    // added since are reached).
    void findTargets();
    // Controls were added (a page built late): the next look-up finds them.
    void forgetTargets() { scanned_ = false; }
    // One key and its text. A key whose control does not exist, or that the
    // program does not know, does nothing. The nine parameter-page lists keep
    // their selected item.
    void applyTextKey(int key, const QString& text);
    // Cyrillic puts a font with Cyrillic letters behind every control the
    // keys reach (and the few no key names); any other leaves each its own.
    void setLanguageWritingSystem(QFontDatabase::WritingSystem writingSystem);

    QObject* target(const char* name);

private:
    QWidget* root_;
    QHash<QString, QPointer<QObject>> targets_;
    bool scanned_ = false;
};

}  // namespace dravinor::ui
