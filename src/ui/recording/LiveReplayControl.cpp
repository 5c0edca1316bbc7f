#include "ui/recording/LiveReplayControl.h"

#include "live/LivePage.h"
#include "live/LiveReplay.h"
#include "ui/recording/LiveRecordingTexts.h"

#include <QAction>

namespace dravinor::ui {

namespace {

QString minutesAndSeconds(std::int64_t ms)
{
    const std::int64_t seconds = ms / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60, 2, 10, QChar('0')).arg(seconds % 60, 2, 10, QChar('0'));
}

}  // namespace

LiveReplayControl::LiveReplayControl(QAction* pauseItem, live::LivePage& page, const QString& fileName,
                                     std::vector<params::LiveSample> samples)
    : QObject(pauseItem), page_(page), fileName_(fileName), pauseItem_(pauseItem),
      replay_(std::make_unique<live::LiveReplay>(page, std::move(samples)))
{
    page_.setReplayMode(true);
    pauseItem_->setVisible(true);
    pauseItem_->setCheckable(true);
    pauseItem_->setShortcut(Qt::Key_Space);
    // Only on the live page, so that Space keeps its meaning elsewhere.
    pauseItem_->setEnabled(false);
    connect(pauseItem_, &QAction::toggled, replay_.get(), &live::LiveReplay::setPaused);
    connect(replay_.get(), &live::LiveReplay::stateChanged, this, &LiveReplayControl::showState);
    connect(&page_, &live::LivePage::entered, this, [this] {
        pauseItem_->setEnabled(true);
        replay_->run();
    });
    connect(&page_, &live::LivePage::stopped, this, [this] {
        pauseItem_->setEnabled(false);
        replay_->hold();
    });
}

LiveReplayControl::~LiveReplayControl() = default;

void LiveReplayControl::showState()
{
    QString text = QString(texts::replaying) + " " + fileName_ + "  " + minutesAndSeconds(replay_->positionMs()) +
                   " / " + minutesAndSeconds(replay_->durationMs());
    if (replay_->finished())
        text += "  " + QString(texts::replayEnd);
    else if (replay_->paused())
        text += "  " + QString(texts::replayPaused);
    page_.showState(text);
}

}  // namespace dravinor::ui
