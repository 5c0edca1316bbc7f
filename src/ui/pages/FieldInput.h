#pragma once

#include "fields/FieldCatalogue.h"

#include <QValidator>

namespace dravinor::ui {

// Holds pasted or otherwise inserted text to the field's key filter, so that
// what cannot be typed cannot be pasted either; "." becomes "," on the way.
// The length limit lives here too, not in the line edit: it binds the user
// only, and a redisplayed value ("12,70" in a four-character field) must
// show whole.
class FieldValidator final : public QValidator {
public:
    FieldValidator(fields::KeyFilter filter, int maxLength, QObject* parent)
        : QValidator(parent), filter_(filter), maxLength_(maxLength)
    {
    }
    State validate(QString& input, int& pos) const override;

private:
    fields::KeyFilter filter_;
    int maxLength_;
};

}  // namespace dravinor::ui
