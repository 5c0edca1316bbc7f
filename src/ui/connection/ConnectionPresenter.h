#pragma once

#include "params/ParameterTransfer.h"

#include <QString>

#include <array>
#include <functional>
#include <utility>

class QAction;
class QProgressBar;
class QStatusBar;
class QWidget;

namespace dravinor::link {
struct ConnectionOutcome;
struct StatusUpdate;
}  // namespace dravinor::link
namespace dravinor::params {
class ControllerSession;
}

namespace dravinor::ui {

class ParameterPages;
class ReconnectWatch;
class StatusLines;

// The two status lines' bars and, in their place while a read or a bulk
// write runs, the progress bars.
struct StatusBars {
    std::array<QStatusBar*, 2> lines{};
    std::array<QProgressBar*, 2> progress{};
};

// The controller's connection as the window shows it: what a scan, a port
// item or a reconnection found (status lines, the title's controller words,
// the ports' ticks), the count of values left unread, and the progress of
// reads and writes the session reports.
class ConnectionPresenter : private params::TransferObserver {
public:
    // window: whose title names the controller; pagesRoot: where the
    // unread values' captions are found.
    ConnectionPresenter(params::ControllerSession& session, QWidget& window, StatusLines& statusLines, StatusBars bars,
                        ParameterPages& pages, QWidget* pagesRoot, const std::array<QAction*, 8>& portItems,
                        ReconnectWatch& reconnect);
    ~ConnectionPresenter() override;

    void applyOutcome(const link::ConnectionOutcome& outcome);
    void showConnectionStatus(const link::StatusUpdate& status);
    // How many of the 35 the last read left unread, and which (both lines).
    void showUnreadStatus(bool afterRead);
    // A scan's status texts are painted as they come, without running the
    // event loop in the middle of an exchange.
    void paintScanStatus();
    // The ports menu's items.
    void choosePort(int index);
    void autodetectFromMenu();
    // "Odczyt parametrów": identifies the controller again and reads it.
    void readParametersAgain();
    // The block was read again: the pages show it, the lines its count.
    void showParameters() override;
    // The title's controller words, in the current language.
    void redrawTitle();
    // The controller's version for the About box, in the current language;
    // empty without a controller.
    QString aboutVersion() const;

    // Told after a connection read every value, and after a bulk write ended.
    std::function<void()> afterWholeRead;
    std::function<void(const params::BulkWriteOutcome&)> afterBulkWrite;

private:
    QString statusText(int line) const;
    void readStarted(int total) override;
    void readProgress(int accepted) override;
    void readFinished() override;
    void writeStarted() override;
    void writeFinished(const params::WriteOutcome& outcome) override;
    void bulkWriteStarted(int steps) override;
    void bulkWriteProgress(int done, int steps) override;
    void bulkWriteFinished(const params::BulkWriteOutcome& outcome) override;

    params::ControllerSession& session_;
    QWidget& window_;
    StatusLines& statusLines_;
    StatusBars bars_;
    ParameterPages& pages_;
    QWidget* pagesRoot_;
    std::array<QAction*, 8> portItems_;
    ReconnectWatch& reconnect_;
    // Range and value of the bars before a bulk write borrowed them: the
    // read's bars carry on from where the last read left them.
    std::array<std::pair<int, int>, 2> barsBeforeBulkWrite_{};
    QString controllerVersion_;  // of the connected controller, for the About box
    QString unreadStatus_;       // the status text of the last read that left values unread
    bool titleSaysNoController_ = false;
    bool titleSaysVersionUnknown_ = false;  // the controller answers without a clean identity
};

}  // namespace dravinor::ui
