#include "ui/connection/PortProblemNotice.h"

#include "link/Connection.h"
#include "link/PortMap.h"
#include "ui/language/SlotText.h"

#include <QStringList>

namespace dravinor::ui {

namespace key = lang::slot::portProblem;

QString portProblemNotice(const link::ConnectionOutcome& outcome, const link::PortMap& map,
                          const link::SystemRoots& roots, const link::UserIdentity& user)
{
    if (outcome.connected)
        return {};
    QStringList paragraphs;
    QStringList commands;
    bool groupAdvice = false;
    for (const link::PortAttempt& attempt : outcome.attempts) {
        const auto error = attempt.open.error;
        // A name mapped to something that is no port (a file, /dev/null, the
        // console): nothing was sent there, and the map needs mending.
        if (error == link::OpenError::NotATerminal) {
            paragraphs << slotText(key::notASerialPort)
                              .arg(QString::fromStdString(attempt.name),
                                   QString::fromStdString(map.resolve(attempt.name)));
            continue;
        }
        if (error != link::OpenError::PermissionDenied && error != link::OpenError::Busy)
            continue;
        const std::string device = map.resolve(attempt.name);
        const link::PortDiagnosis diagnosis = link::diagnosePort(device, roots, user);
        const QString command = QString::fromStdString(link::fixCommand(diagnosis));
        // One command per cause: two ports of one group need one usermod.
        if (command.isEmpty() || commands.contains(command))
            continue;
        const QString port = QString::fromStdString(attempt.name);
        const QString path = QString::fromStdString(device);
        if (diagnosis.problem == link::PortProblem::NotInGroup) {
            paragraphs << slotText(key::notInGroup).arg(port, path, QString::fromStdString(diagnosis.group)) + "\n" +
                              command;
            groupAdvice = true;
        } else {
            paragraphs
                << slotText(key::heldByOther).arg(port, path, QString::fromStdString(diagnosis.holders.front().name)) +
                       "\n" + command;
        }
        commands << command;
    }
    if (paragraphs.isEmpty())
        return {};
    if (groupAdvice)
        paragraphs << slotText(key::logInAgain);
    return paragraphs.join("\n\n");
}

}  // namespace dravinor::ui
