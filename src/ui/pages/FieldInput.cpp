#include "ui/pages/FieldInput.h"

#include "ui/pages/TypedText.h"

namespace dravinor::ui {

QValidator::State FieldValidator::validate(QString& input, int& pos) const
{
    const auto filtered = filterText(filter_, input);
    if (!filtered || filtered->size() > maxLength_)
        return Invalid;
    // Only "." -> "," changes a character, so the cursor stays where it was.
    input = *filtered;
    (void)pos;
    return Acceptable;
}

}  // namespace dravinor::ui
