#pragma once

#include <QObject>
#include <QStringList>

namespace dravinor::ui {

// What the window keeps between runs, and nothing more: the folder its file
// dialogs used last and the parameter files used last. Kept with QSettings
// in ~/.config/dravinor/dravinor.ini (the user scope of the INI format, so
// that tests can move it with QSettings::setPath).
class FileMemory : public QObject {
    Q_OBJECT
public:
    enum class Kind { ParameterFiles, Recordings };
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

signals:
    void recentFilesChanged();
};

}  // namespace dravinor::ui
