#pragma once

#include <span>

namespace dravinor::lang {

// What a text key replaces in the window.
enum class TargetKind {
    Caption,          // a menu, menu item, label, group box, check box or button, by objectName
    Tab,              // the tab caption of the page with this objectName
    ListItem,         // item `item` of the list with this objectName
    DialName,         // the signal name shown inside the named dial
    VerticalCaption,  // a label's caption written downwards, one character a line
};

struct KeyTarget {
    int key;
    TargetKind kind;
    const char* name;
    int item = 0;
};

// Every control key in key order; a key may have more than one target.
std::span<const KeyTarget> keyTable();
// The targets of one key (empty for a slot key or an unknown key).
std::span<const KeyTarget> targetsOf(int key);

// The wizard pages' keys.
constexpr bool isWizardKey(int key)
{
    return key >= 30000 && key < 40000;
}

}  // namespace dravinor::lang
