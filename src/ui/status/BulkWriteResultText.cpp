#include "ui/status/TransferStatusTexts.h"

#include "ui/language/SlotText.h"
#include "ui/pages/FieldCaptions.h"

#include <QStringList>

namespace dravinor::ui::texts {

namespace key = lang::slot::bulkWrite;

QString bulkWriteResult(const params::BulkWriteOutcome& outcome, const QWidget* root)
{
    if (outcome.portLost)
        return portLostDuringWrite(outcome);
    const std::vector<int> missing = outcome.unconfirmedAddresses();
    if (missing.empty()) {
        const auto rewritten = outcome.rewritten.count();
        return rewritten == 0 ? slotText(key::allConfirmed)
                              : slotText(key::allConfirmedAfterRewrites).arg(QString::number(rewritten));
    }
    if (static_cast<int>(missing.size()) == params::ParameterBlock::count)
        return slotText(key::noneConfirmed);
    // The two bytes of a word share one caption: name it once.
    QStringList captions;
    for (int address : missing)
        if (const QString caption = addressCaption(address, root); !captions.contains(caption))
            captions << caption;
    // One call for both: a caption holding "%2" must stay as it is.
    return slotText(key::notConfirmed)
        .arg(QString::number(static_cast<qulonglong>(missing.size())), captions.join(QStringLiteral(", ")));
}

}  // namespace dravinor::ui::texts
