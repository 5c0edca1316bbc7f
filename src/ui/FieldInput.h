#pragma once

#include "FieldCatalogue.h"

#include <QValidator>

namespace dravinor::ui::fields {

// Holds pasted or otherwise inserted text to the field's key filter, so that
// what cannot be typed cannot be pasted either; "." becomes "," on the way.
class FieldValidator final : public QValidator {
public:
    FieldValidator(KeyFilter filter, QObject* parent) : QValidator(parent), filter_(filter) {}
    State validate(QString& input, int& pos) const override;

private:
    KeyFilter filter_;
};

}  // namespace dravinor::ui::fields
