#pragma once

#include "ui/language/SlotText.h"

#include <QString>

#include <functional>
#include <utility>

namespace dravinor::ui {

// A status-line text that can be put together again from the slots' current
// texts, so that a change of language redraws it. A plain QString stays as
// it is.
class StatusText {
public:
    StatusText(const QString& fixed) : compose_([fixed] { return fixed; }) {}
    StatusText(SlotText slot) : compose_([slot] { return slotText(slot.key); }) {}
    explicit StatusText(std::function<QString()> compose) : compose_(std::move(compose)) {}

    QString text() const { return compose_(); }

private:
    std::function<QString()> compose_;
};

}  // namespace dravinor::ui
