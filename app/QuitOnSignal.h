#pragma once

#include <QObject>

class QCoreApplication;

namespace dravinor::app {

// Ends the program's event loops whatever is open: every modal box or file
// dialog is dismissed as if cancelled, and any shown afterwards (the code
// behind a box may open the next one) is dismissed as it appears.
class Termination final : public QObject {
public:
    explicit Termination(QCoreApplication& application);
    ~Termination() override;

    void request();
    bool requested() const { return requested_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QCoreApplication& application_;
    bool requested_ = false;
};

// SIGTERM and SIGINT request the termination instead of killing the
// process, so the program still closes its port and frees its parts; a
// session logging out, a script or a leak check can stop it cleanly.
void quitOnTerminationSignals(QCoreApplication& application);

// A termination signal came. A signal during start-up, before the event
// loop runs, cannot end that loop: main() asks this before starting it.
bool terminationRequested();

}  // namespace dravinor::app
