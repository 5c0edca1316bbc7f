#pragma once

#include "wizard/PanelNumber.h"
#include "wizard/WizardControl.h"

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace dravinor::wizard {

// The wizard's pages in AutoTab, in tab order. There is no third page.
enum class WizardPage { Start, TpsAndProbe, Reducer, Actuator };

// The colours the wizard gives titles (blinking black and blue) and the
// sectors of the reducer page's lambda bar (green on the rich side, red on
// the lean one); the window knows their shades.
enum class Tint { Black, Blue, Green, Red };

// What the wizard says about one control. Members left empty are not the
// wizard's business.
struct ControlView {
    std::optional<bool> visible;
    std::optional<bool> enabled;        // done labels: drawn in full colour; buttons: clickable
    std::optional<bool> lit;            // step LEDs
    std::optional<bool> checked;        // check boxes
    std::optional<int> selected;        // list selection, -1 for none
    std::optional<std::string> text;    // UTF-8: a parameter-page field's text
    std::optional<PanelNumber> number;  // panels' live readings, the lambda bar's scale marks
    std::optional<int> value;           // progress bars and lambda bars
    std::optional<int> maximum;         // progress bars
    std::optional<double> reading;      // RPM dials (thousands), the thermometer (degrees)
    std::optional<Tint> fontTint;       // the blinking titles
    std::optional<int> left;            // x of a caption placed by the wizard (the reducer page's lean and rich)
    // Two-coloured bars and meters: sector 1 and sector 3.
    std::optional<Tint> lowerSector;
    std::optional<Tint> upperSector;
};

// A control the wizard touched: one of its pages', or one outside them (a
// parameter-page field or a live-view control) by that widget's name.
using ViewKey = std::variant<WizardControl, std::string>;

// The state of every control the wizard touched, with those changed since
// the caller last looked, so a window repaints only those.
class WizardView {
public:
    // The control's state, marked changed.
    ControlView& edit(WizardControl control);
    ControlView& editOutside(std::string_view name);
    // Nothing when the wizard never touched the control.
    const ControlView* find(WizardControl control) const;
    const ControlView* findOutside(std::string_view name) const;

    // Controls changed since the last call, each once, in the order of their first change.
    std::vector<ViewKey> takeChanged();

    WizardPage currentPage() const { return currentPage_; }
    void setCurrentPage(WizardPage page) { currentPage_ = page; }
    // Exactly the current page's tab is shown.
    bool tabVisible(WizardPage page) const { return page == currentPage_; }

private:
    void noteChanged(ViewKey key);

    std::array<std::optional<ControlView>, wizardControlCount> controls_{};
    std::map<std::string, ControlView, std::less<>> outside_;
    std::vector<ViewKey> changed_;
    WizardPage currentPage_ = WizardPage::Start;
};

}  // namespace dravinor::wizard
