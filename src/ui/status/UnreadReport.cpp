#include "ui/status/UnreadReport.h"

#include "fields/UnreadValues.h"
#include "link/Connection.h"
#include "params/ParameterState.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/pages/FieldCaptions.h"
#include "ui/status/ReadTexts.h"
#include "ui/status/TransferStatusTexts.h"

namespace dravinor::ui {

namespace {
const QString captionSeparator = QStringLiteral(", ");
}

QStringList unreadCaptions(const params::ParameterState& state, QWidget* pagesRoot)
{
    QStringList captions;
    for (const auto& value : fields::unreadValues(state.block(), state.unreadAddresses()))
        captions << pageValueCaption(value, pagesRoot);
    return captions;
}

QString unreadStatusText(const params::ParameterState& state, QWidget* pagesRoot, const params::ReadAllResult& lastRead)
{
    const auto count = static_cast<int>(state.unreadAddresses().count());
    if (count == 0)
        return {};
    const QString unread = texts::unreadAfterRead(count, unreadCaptions(state, pagesRoot).join(captionSeparator));
    const QString stop = texts::readStop(lastRead);
    return stop.isEmpty() ? unread : stop + QStringLiteral(" - ") + unread;
}

bool confirmDespiteUnread(Dialogs& dialogs, int questionKey, const params::ParameterState& state, QWidget* pagesRoot)
{
    if (!state.anyUnread())
        return true;
    return dialogs.askYesNoDefaultNo(
        slotText(questionKey).arg(unreadCaptions(state, pagesRoot).join(captionSeparator)));
}

QString defaultSetStatusText(const link::ConnectionOutcome& outcome)
{
    // A port that opened and stayed silent says more than the last port that
    // did not open.
    QStringList silent;
    for (const auto& attempt : outcome.attempts)
        if (attempt.open.ok() && !silent.contains(QString::fromStdString(attempt.name)))
            silent << QString::fromStdString(attempt.name);
    return texts::defaultSetShown(silent, captionSeparator);
}

}  // namespace dravinor::ui
