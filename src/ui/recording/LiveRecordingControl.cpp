#include "ui/recording/LiveRecordingControl.h"

#include "live/LivePage.h"
#include "live/SaveRefusalText.h"
#include "live/SuggestedFileName.h"
#include "params/PathText.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/recording/LiveRecordingTexts.h"
#include "ui/window/FileMemory.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

namespace dravinor::ui {

LiveRecordingControl::LiveRecordingControl(QMenu* menu, live::LivePage& page, Dialogs& dialogs, FileMemory& memory)
    : QObject(menu), page_(page), dialogs_(dialogs), memory_(memory), item_(menu->addAction(texts::recordItem)),
      recorder_(&page.clock())
{
    item_->setObjectName("NagrywajNaZywo");
    item_->setCheckable(true);
    // Only the live page polls: the item works there alone.
    item_->setEnabled(false);
    connect(item_, &QAction::triggered, this, &LiveRecordingControl::toggle);
    connect(&page_, &live::LivePage::entered, this, [this] { item_->setEnabled(!page_.replayMode()); });
    connect(&page_, &live::LivePage::stopped, this, [this] {
        item_->setEnabled(false);
        finish();
    });
    connect(&page_, &live::LivePage::polled, this, &LiveRecordingControl::append);
    connect(&page_, &live::LivePage::controllerAbsent, this, [this] {
        if (recorder_.recording())
            finish(texts::recordingNoController);
    });
}

void LiveRecordingControl::toggle(bool on)
{
    if (on)
        start();
    else
        finish();
}

void LiveRecordingControl::start()
{
    const QString name =
        live::datedFileName(QStringLiteral("dravinor-live"), QStringLiteral("csv"), QDateTime::currentDateTime());
    const QString path = dialogs_.chooseSaveFile(QDir(memory_.folder(FileMemory::Kind::Recordings)).filePath(name),
                                                 texts::csvFilter, QStringLiteral("csv"));
    if (!path.isEmpty())
        memory_.noteChosen(FileMemory::Kind::Recordings, path);
    // The page may have been left while the dialog was open.
    if (path.isEmpty() || !item_->isEnabled()) {
        item_->setChecked(false);
        return;
    }
    std::string error;
    if (!recorder_.start(path.toStdString(), error)) {
        item_->setChecked(false);
        const QString why = recorder_.target().savable() ? QString::fromLocal8Bit(error.c_str())
                                                         : live::saveRefusalText(recorder_.target());
        showState(QString(texts::recordingCannotCreate) + " " + path + " (" + why + ")");
        return;
    }
    item_->setChecked(true);
    showState(QString(texts::recordingTo) + " " + QDir::toNativeSeparators(path));
}

void LiveRecordingControl::append(const live::LiveDisplay& display)
{
    if (!recorder_.recording())
        return;
    std::string error;
    if (!recorder_.append(display.answered, display.frame, display.settings, error))
        finish(QString(texts::recordingWriteError) + " " + QString::fromLocal8Bit(error.c_str()));
}

void LiveRecordingControl::finish(const QString& text)
{
    item_->setChecked(false);
    if (!recorder_.recording())
        return;
    std::string error;
    const bool closed = recorder_.stop(error);
    if (!closed && text.isEmpty())
        showState(QString(texts::recordingWriteError) + " " + QString::fromLocal8Bit(error.c_str()));
    else
        showState(!text.isEmpty() ? text : QString(texts::recordingFinished) + " " + QString::number(recorder_.rows()));
}

void LiveRecordingControl::showState(const QString& text)
{
    page_.showState(text);
}

}  // namespace dravinor::ui
