#pragma once

#include <QObject>
#include <QStringList>

namespace dravinor::ui {

// What the window keeps between runs, and nothing more: the folder its file
// dialogs used last, the parameter files used last and the workshop's name
// for the customer's report. Kept with QSettings
// in ~/.config/dravinor/dravinor.ini (the user scope of the INI format, so
// that tests can move it with QSettings::setPath).
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

signals:
    void recentFilesChanged();
};

}  // namespace dravinor::ui
