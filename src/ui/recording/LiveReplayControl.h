#pragma once

#include "params/LiveCsv.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class QAction;

namespace dravinor::live {
class LivePage;
class LiveReplay;
}  // namespace dravinor::live

namespace dravinor::ui {

// `dravinor --replay FILE`: the live page plays a recording instead of
// polling. The item "Wstrzymaj odtwarzanie" (Space) pauses and resumes; the
// page's state line shows the position, the pause and the end.
class LiveReplayControl : public QObject {
    Q_OBJECT
public:
    // Shows the (hidden) pause item and puts the page in replay mode.
    LiveReplayControl(QAction* pauseItem, live::LivePage& page, const QString& fileName,
                      std::vector<params::LiveSample> samples);
    ~LiveReplayControl() override;

    QAction* pauseItem() const { return pauseItem_; }
    live::LiveReplay& replay() const { return *replay_; }

private:
    void showState();

    live::LivePage& page_;
    QString fileName_;
    QAction* pauseItem_;
    std::unique_ptr<live::LiveReplay> replay_;
};

}  // namespace dravinor::ui
