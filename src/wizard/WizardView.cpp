#include "WizardView.h"

#include <algorithm>
#include <utility>

namespace dravinor::wizard {

ControlView& WizardView::edit(std::string_view name)
{
    std::string key(name);
    if (std::find(changed_.begin(), changed_.end(), key) == changed_.end())
        changed_.push_back(key);
    return controls_[std::move(key)];
}

const ControlView* WizardView::find(std::string_view name) const
{
    const auto it = controls_.find(std::string(name));
    return it == controls_.end() ? nullptr : &it->second;
}

std::vector<std::string> WizardView::takeChanged()
{
    return std::exchange(changed_, {});
}

}  // namespace dravinor::wizard
