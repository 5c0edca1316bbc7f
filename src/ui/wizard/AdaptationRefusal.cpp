#include "ui/wizard/AdaptationRefusal.h"

#include "lang/TextSlots.h"
#include "params/ParameterBlock.h"
#include "params/ParameterTransfer.h"
#include "ui/language/SlotText.h"

namespace dravinor::ui {

std::optional<QString> adaptationRefusal(bool controllerConnected, const params::ReadAllResult& lastRead)
{
    if (!controllerConnected)
        return slotText(lang::slot::adaptationWithoutController);
    if (!lastRead.complete())
        return slotText(lang::slot::adaptationAfterIncompleteRead)
            .arg(static_cast<int>(lastRead.failedAddresses.size()));
    return std::nullopt;
}

}  // namespace dravinor::ui
