#include "AdaptationRefusal.h"

#include "ParameterBlock.h"
#include "ParameterTransfer.h"
#include "SlotText.h"
#include "TextSlots.h"

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
