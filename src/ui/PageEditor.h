#pragma once

#include "FieldCatalogue.h"
#include "TypedText.h"
#include "PageWidgets.h"
#include "ParameterPages.h"

#include <QHash>
#include <QObject>
#include <QPointer>

#include <array>
#include <cstdint>
#include <optional>

class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;

namespace dravinor::ui {

// Editing on the two parameter pages: what happens when a field is entered,
// left, changed or clicked, and the keys that move between fields.
class PageEditor : public QObject {
public:
    PageEditor(QWidget* tabPar1, QWidget* tabPar2, PageServices services);

    PageServices services;
    PageWidgets w;

    // Dependants and hints (PageEditor.cpp).
    void setFieldEnabled(bool enabled, QWidget* field, QLabel* label);
    void applyDependency(const fields::Dependency& dependency);
    void applyDependants(const char* controller);
    void hideComments();
    void showModeComment(int n);
    // The hint label of a page shows a text slot (emptyHint: nothing).
    // unread: the field shows no value, and the hint says why.
    void showHint(int page, int slot, int widthGroup, bool unread = false);
    void setHintText(int page, int slot, bool unread = false);
    // The hints shown, in the current language's words.
    void redrawHints();
    void fitComment(QLabel* label, int width);
    void applyProbeRule();
    bool flagBitSet(const fields::FlagField& field) const;
    void setFlagBit(const fields::FlagField& field, bool set);
    int controlValue(const char* name) const;  // item index or checked state
    void setControlValue(const char* name, int value);

    // Focus and keys (PageEditor.cpp).
    bool eventFilter(QObject* watched, QEvent* event) override;
    void fieldEntered(QWidget* field);
    void fieldLeft(QWidget* field);
    bool keyPressed(QWidget* field, QKeyEvent* key);
    void moveFocus(bool forward);
    void moveFocusLater();
    void takeFocusSteps();

    // After every edit: fields without a controller value follow the state.
    virtual void refreshUnreadMarks() {}

    // Writes: true when the EEPROM write was acknowledged.
    bool write(int address, int value);
    void writeEepromOnly(int address, int value);
    bool writeWord(int address, std::uint16_t word);
    void reportFailure(int line);

    // Free-text fields (PageTextFields.cpp).
    void textFieldLeft(const fields::TextField& field, QLineEdit* edit);
    // Its steps: the value taken from the entry (nothing after a conversion
    // error), the range's halves kept in order, the range questions (how many
    // focus steps they owe), the write, the state that follows the stored byte.
    std::optional<EncodedValue> takeEntry(const fields::TextField& field, QLineEdit* edit, const QString& entry);
    void keepRangeOrder(const fields::TextField& field, QLineEdit* edit, EncodedValue& encoded);
    int askRangeWarnings(const fields::TextField& field, QLineEdit* edit, const QString& entry, EncodedValue& encoded);
    bool writeTextField(const fields::TextField& field, const EncodedValue& encoded);
    void followStoredValue(const fields::TextField& field);
    // A declined question puts the entry text back.
    EncodedValue declineEntry(const fields::TextField& field, QLineEdit* edit, const QString& entry);
    std::optional<int> otherFieldValue(const char* name) const;
    void fillEmptyPartner(const fields::TextField& field);
    bool writeHysteresis(bool gated, std::uint8_t delta);
    EncodedValue encodeText(const fields::TextField& field, const QString& text) const;

    // Lists and check boxes (PageLists.cpp).
    void listActivated(const fields::ListField& field);
    void flagFieldChanged(const fields::FlagField& field);
    void probeTypeChanged();
    void emulationTypeChanged();
    void writeProbeSettings(bool probeFirst);
    void writeChosenProbeSetting(bool probeFirst, int probe, int emulation);
    void controllerModeChanged();
    void ignitionChanged();
    void rewriteRpmWords();
    void fuelOverlapWritten();
    void showModeText(int item);

    struct ShownHint {
        int slot = fields::noHint;
        QString text;
        bool unread = false;
    };
    std::array<ShownHint, 2> shownHints;
    QHash<QWidget*, QString> entryTexts;
    QHash<QWidget*, int> entrySelections;
    QHash<QObject*, QComboBox*> popupOwners;
    QPointer<QWidget> enteredField;
    QPointer<QWidget> watchedWindow;  // watched for its activation while focus steps wait
    int pendingFocusSteps = 0;
    bool steppingFocus = false;
    bool leaving = false;
};

}  // namespace dravinor::ui
