#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace dravinor::wizard {

// The wizard's pages in AutoTab, in tab order. There is no third page.
enum class WizardPage { AA1, AA2, AA4, AA5 };

// What the wizard says about one control, found by its objectName: a control
// of the wizard pages, of the parameter pages (PCTps, TCTps, RSLambda, ...) or
// of the live view. Members left empty are not the wizard's business.
struct ControlView {
    std::optional<bool> visible;
    std::optional<bool> enabled;    // done labels: drawn in full colour; buttons: clickable
    std::optional<bool> lit;        // step LEDs
    std::optional<bool> checked;    // check boxes (WCTCheck_AA_P1, WCTemperatury)
    std::optional<int> selected;    // list selection, -1 for none
    std::optional<std::string> text;  // UTF-8: captions, value panels, field texts
    std::optional<int> value;       // progress bars and lambda bars
    std::optional<int> maximum;     // progress bars
    std::optional<double> reading;  // RPM dials (thousands), the thermometer (degrees)
    std::optional<std::uint32_t> fontColour;  // 0x00BBGGRR, the blinking titles
    std::optional<int> left;        // x of a caption placed by the wizard (Uboga_AA_P4, Bogata_AA_P4)
    // Two-coloured bars and meters (Bar1P4): sector 1 and sector 3 colours, 0x00BBGGRR.
    std::optional<std::uint32_t> lowerSectorColour;
    std::optional<std::uint32_t> upperSectorColour;
};

// The state of every control the wizard touched, with the names changed
// since the caller last looked, so a window repaints only those.
class WizardView {
public:
    // The control's state, marked changed.
    ControlView& edit(std::string_view name);
    // Nothing when the wizard never touched the control.
    const ControlView* find(std::string_view name) const;

    // Names changed since the last call, each once, in the order of their first change.
    std::vector<std::string> takeChanged();

    WizardPage currentPage() const { return currentPage_; }
    void setCurrentPage(WizardPage page) { currentPage_ = page; }
    // Exactly the current page's tab is shown.
    bool tabVisible(WizardPage page) const { return page == currentPage_; }

private:
    std::unordered_map<std::string, ControlView> controls_;
    std::vector<std::string> changed_;
    WizardPage currentPage_ = WizardPage::AA1;
};

}  // namespace dravinor::wizard
