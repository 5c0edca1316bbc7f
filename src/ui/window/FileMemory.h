#pragma once

#include <QObject>
#include <QStringList>
#include <QVariant>

#include "params/SaveTarget.h"

#include <optional>
#include <utility>

namespace dravinor::ui {

// What the window keeps between runs, and nothing more: the folder its file
// dialogs used last, the parameter files used last and the workshop's name
// for the customer's report. Kept with QSettings in
// $XDG_CONFIG_HOME/dravinor/dravinor.ini (~/.config/dravinor/dravinor.ini),
// on Windows %APPDATA%\Dravinor\dravinor.ini, or $DRAVINOR_CONFIG_DIR/dravinor.ini,
// that one file alone. When it is no regular file (a FIFO that would hang
// the reading, a device that would be replaced by the saving), it is never
// opened: what the window keeps lasts until it closes, and that is said once.
class FileMemory : public QObject {
    Q_OBJECT
public:
    enum class Kind { ParameterFiles, Recordings, Reports };
    static constexpr int recentCount = 5;

    explicit FileMemory(QObject* parent = nullptr) : QObject(parent) {}

    // Where a dialog opens: the folder last used, while it still exists;
    // else the user's home.
    QString folder(Kind kind) const;
    // A file chosen in a dialog: its folder is where the next one opens.
    void noteChosen(Kind kind, const QString& path);

    // A parameter file read or written goes first in the list.
    void noteParameterFile(const QString& path);
    void forgetParameterFile(const QString& path);
    // The newest first, at most recentCount.
    QStringList recentParameterFiles() const;

    // The workshop's name as the last report gave it; empty before the first.
    QString workshopName() const;
    void setWorkshopName(const QString& name);

    // The settings file, from the user's configuration folder as it is now.
    static QString settingsFile();
    // Why the settings file is not used, in the current language; empty
    // while it is.
    QString settingsNotice() const;

signals:
    void recentFilesChanged();
    // Once a run, the first time the settings file is found to be no
    // regular file; settingsNotice() says where and what holds the name.
    void settingsNotKept();

private:
    QVariant value(const QString& key) const;
    void setValue(const QString& key, const QVariant& value);
    // Whether the file may be read and written; once it may not, the rest
    // of the run keeps its values here.
    bool fileUsable() const;

    mutable std::optional<std::pair<QString, params::SaveTarget>> refused_;  // the name and what holds it
    QVariantMap kept_;
};

}  // namespace dravinor::ui
