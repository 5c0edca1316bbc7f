#pragma once

#include "fields/FieldCatalogue.h"
#include "params/ParameterWrites.h"
#include "ui/pages/PageFocus.h"
#include "ui/pages/PageWidgets.h"
#include "ui/pages/ParameterPages.h"
#include "ui/pages/TypedText.h"

#include <QHash>
#include <QString>

#include <cstdint>
#include <optional>

class QLineEdit;

namespace dravinor::ui {

class PageDisplay;
class PageHints;

// The edits of the parameter pages: what a field held when it was entered,
// what leaving it, choosing a list item or clicking a box writes to the
// controller, the questions asked on the way, and what a refused or failed
// write puts back. The writes go through params::ParameterWrites.
class FieldEdits : public PageFocus::Fields {
public:
    FieldEdits(const PageWidgets& widgets, PageServices& services, PageHints& hints, PageDisplay& display)
        : w_(widgets), services_(services), hints_(hints), display_(display)
    {
    }

    // The field's hint, and its entry text or selection to go back to.
    void entered(QWidget* field) override;
    // Leaving a text field writes it (a list, CNPaliw, writes its own value
    // again). Returns how many focus steps the warnings answered owe.
    int left(QWidget* field) override;
    void listChosen(const fields::ListField& field);
    void boxClicked(const fields::FlagField& field);
    // Start-up: the flag bits the controls stand for follow them.
    void takeStartBits();

private:
    void setFlagBit(const fields::FlagField& field, bool set);
    int controlValue(const char* name) const;  // item index or checked state
    void setControlValue(const char* name, int value);
    void applyProbeRule();
    bool write(params::Address address, int value);
    bool writeWord(params::Address address, std::uint16_t word, params::Gate gate);
    void reportFailure(int line);

    // Free-text fields (TextFieldEdits.cpp). Leaving one: the value taken
    // from the entry (nothing after a conversion error), the range's halves
    // kept in order, the range questions (how many focus steps they owe),
    // the write.
    int textFieldLeft(const fields::TextField& field, QLineEdit* edit);
    std::optional<EncodedValue> takeEntry(const fields::TextField& field, QLineEdit* edit, const QString& entry);
    void keepRangeOrder(const fields::TextField& field, QLineEdit* edit, EncodedValue& encoded);
    int askRangeWarnings(const fields::TextField& field, QLineEdit* edit, const QString& entry, EncodedValue& encoded);
    bool writeTextField(const fields::TextField& field, const EncodedValue& encoded);
    // A declined question puts the entry text back.
    EncodedValue declineEntry(const fields::TextField& field, QLineEdit* edit, const QString& entry);
    std::optional<int> otherFieldValue(const char* name) const;
    void fillEmptyPartner(const fields::TextField& field);
    bool writeHysteresis(params::Gate gate, std::uint8_t delta);
    EncodedValue encodeText(const fields::TextField& field, const QString& text) const;

    // Lists and check boxes (ListFieldEdits.cpp).
    void flagFieldChanged(const fields::FlagField& field);
    void probeTypeChanged();
    void emulationTypeChanged();
    void writeProbeSettings(bool probeFirst);
    void writeChosenProbeSetting(bool probeFirst, int probe, int emulation);
    void controllerModeChanged();
    void ignitionChanged();
    void rewriteRpmWords();
    void fuelOverlapWritten();

    const PageWidgets& w_;
    PageServices& services_;
    PageHints& hints_;
    PageDisplay& display_;
    QHash<QWidget*, QString> entryTexts_;
    QHash<QWidget*, int> entrySelections_;
};

}  // namespace dravinor::ui
