#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace dravinor::link {
struct ConnectionOutcome;
}
namespace dravinor::params {
class ParameterState;
struct ReadAllResult;
}  // namespace dravinor::params

namespace dravinor::ui {

class Dialogs;

// What the window tells and asks about values the controller did not give.

// The captions of the values that rest on unread addresses, as the pages
// under pagesRoot name them now, in page order.
QStringList unreadCaptions(const params::ParameterState& state, QWidget* pagesRoot);

// The status line after a read that left some of the 35 unread: how many
// and which, and first, when the read stopped early, where and how many it
// never asked; empty when every one was read.
QString unreadStatusText(const params::ParameterState& state, QWidget* pagesRoot,
                         const params::ReadAllResult& lastRead);

// Asks (default No) before an action that would take the pages' values for
// the controller's while some were not read; true to go on. Asks nothing
// when every value was read. questionKey: a text slot with %1 for the
// captions.
bool confirmDespiteUnread(Dialogs& dialogs, int questionKey, const params::ParameterState& state, QWidget* pagesRoot);

// The status line when the scan at start-up found no controller: the
// scan's reason, then that the pages show the default set.
QString defaultSetStatusText(const link::ConnectionOutcome& outcome);

}  // namespace dravinor::ui
