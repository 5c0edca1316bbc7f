#pragma once

#include "live/LiveRecorder.h"

#include <QObject>
#include <QString>

class QAction;
class QMenu;

namespace dravinor::live {
class LivePage;
struct LiveDisplay;
}  // namespace dravinor::live

namespace dravinor::ui {

class Dialogs;
class FileMemory;

// The menu item "Nagrywaj dane na żywo…": while ticked, every live poll is
// appended to a CSV file chosen when it is ticked. Recording ends when the
// item is unticked, the live page is left, the controller is gone or a
// write fails; the page's state line says which.
class LiveRecordingControl : public QObject {
    Q_OBJECT
public:
    // Adds the item to the end of menu.
    // The file dialog opens in the folder memory keeps for recordings.
    LiveRecordingControl(QMenu* menu, live::LivePage& page, Dialogs& dialogs, FileMemory& memory);

    QAction* item() const { return item_; }
    const live::LiveRecorder& recorder() const { return recorder_; }

private:
    void toggle(bool on);
    void start();
    void append(const live::LiveDisplay& display);
    // Ends a recording with the given text on the state line (the row
    // count when empty).
    void finish(const QString& text = {});
    void showState(const QString& text);

    live::LivePage& page_;
    Dialogs& dialogs_;
    FileMemory& memory_;
    QAction* item_;
    live::LiveRecorder recorder_;
};

}  // namespace dravinor::ui
