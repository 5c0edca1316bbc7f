#pragma once

#include "fields/PageValues.h"

#include <QString>

#include <string_view>

class QWidget;

namespace dravinor::ui {

// Captions as the pages show them now, in the current language: the caption
// label (or check box) found by name under root, with the group's title
// where two groups share a caption. Without a root, or when the label is
// not there, the built-in Polish caption.
QString pageValueCaption(const fields::PageValue& value, const QWidget* root);

// The value as the pages show it now: a list's item as the list under root
// names it in the current language, a number with its unit.
QString pageValueText(const fields::PageValue& value, const QWidget* root);

// The caption of the field a control name stands for ("PAttuatoraPon");
// empty for a name that is no field.
QString fieldCaption(std::string_view name, const QWidget* root);

// What a parameter address holds, as the fitter knows it: its field's
// caption, the description of a value no field shows, or the flag byte.
QString addressCaption(int address, const QWidget* root);

}  // namespace dravinor::ui
