#include "AdaptOptions.h"

#include "CliOptions.h"
#include "wizard/WizardTables.h"

#include <charconv>

namespace dravinor::cli {

namespace {

template <typename Items>
std::string listItems(const Items& items)
{
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i)
        text += "\n  " + std::to_string(i) + "  " + std::string(items[i]);
    return text;
}

std::vector<std::string_view> probeItems()
{
    std::vector<std::string_view> items;
    for (const auto& probe : wizard::probeTypes)
        items.push_back(probe.item);
    return items;
}

template <typename Items>
bool parseItem(const std::string& option, const std::string& text, const Items& items, int& item, std::string& error)
{
    int value = -1;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (failure != std::errc{} || end != text.data() + text.size() || text.empty() || value < 0 ||
        value >= static_cast<int>(items.size())) {
        error = option + " " + text + ": choose one of 0.." + std::to_string(items.size() - 1) + ":" + listItems(items);
        return false;
    }
    item = value;
    return true;
}

}  // namespace

std::string adaptItemLists()
{
    return "\nignition types (--ignition):" + listItems(wizard::ignitionItems) +
           "\nlambda probe types (--probe):" + listItems(probeItems()) + "\n";
}

bool parseAdaptArguments(const CliOptions& given, AdaptOptions& options, std::string& error)
{
    options.yes = given.has("--yes");
    options.force = given.has("--force");
    if (const auto value = given.value("--ignition");
        value && !parseItem("--ignition", *value, wizard::ignitionItems, options.ignition, error))
        return false;
    if (const auto value = given.value("--probe");
        value && !parseItem("--probe", *value, probeItems(), options.probe, error))
        return false;
    if (const auto value = given.value("--temperature-sensor")) {
        if (*value != "on" && *value != "off") {
            error = "--temperature-sensor " + *value + ": say on or off";
            return false;
        }
        options.temperatureSensor = *value == "on";
    }
    if (options.ignition < 0) {
        error = "--ignition is needed: the ignition type," + listItems(wizard::ignitionItems);
        return false;
    }
    if (options.probe < 0) {
        error = "--probe is needed: the lambda probe type," + listItems(probeItems());
        return false;
    }
    return true;
}

}  // namespace dravinor::cli
