#include "wizard/WizardView.h"

#include <algorithm>
#include <utility>

namespace dravinor::wizard {

void WizardView::noteChanged(ViewKey key)
{
    if (std::find(changed_.begin(), changed_.end(), key) == changed_.end())
        changed_.push_back(std::move(key));
}

ControlView& WizardView::edit(WizardControl control)
{
    noteChanged(control);
    auto& slot = controls_[static_cast<std::size_t>(control)];
    if (!slot)
        slot.emplace();
    return *slot;
}

ControlView& WizardView::editOutside(std::string_view name)
{
    noteChanged(std::string(name));
    return outside_[std::string(name)];
}

const ControlView* WizardView::find(WizardControl control) const
{
    const auto& slot = controls_[static_cast<std::size_t>(control)];
    return slot ? &*slot : nullptr;
}

const ControlView* WizardView::findOutside(std::string_view name) const
{
    const auto it = outside_.find(name);
    return it == outside_.end() ? nullptr : &it->second;
}

std::vector<ViewKey> WizardView::takeChanged()
{
    return std::exchange(changed_, {});
}

}  // namespace dravinor::wizard
