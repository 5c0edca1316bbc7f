#pragma once

#include <QLineEdit>

namespace dravinor::ui {

// A car's detail (registration, make and model, odometer, workshop) is one
// line: what a paste brings beyond that is cut.
inline constexpr int longestCarDetail = 120;

inline QLineEdit* carDetailField(QWidget* parent, const char* name)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setMaxLength(longestCarDetail);
    return field;
}

}  // namespace dravinor::ui
