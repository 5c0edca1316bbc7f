#include "FileMemory.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace dravinor::ui {

namespace {

QSettings settings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("dravinor"), QStringLiteral("dravinor"));
}

QString folderKey(FileMemory::Kind kind)
{
    switch (kind) {
    case FileMemory::Kind::Recordings: return QStringLiteral("folders/recordings");
    case FileMemory::Kind::Reports: return QStringLiteral("folders/reports");
    case FileMemory::Kind::ParameterFiles: break;
    }
    return QStringLiteral("folders/parameterFiles");
}

const QString recentKey = QStringLiteral("recentParameterFiles");
const QString workshopKey = QStringLiteral("report/workshop");

QString absolute(const QString& path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }

}  // namespace

QString FileMemory::folder(Kind kind) const
{
    const QString folder = settings().value(folderKey(kind)).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

void FileMemory::noteChosen(Kind kind, const QString& path)
{
    if (!path.isEmpty())
        settings().setValue(folderKey(kind), QFileInfo(absolute(path)).path());
}

void FileMemory::noteParameterFile(const QString& path)
{
    const QString file = absolute(path);
    QStringList files = recentParameterFiles();
    files.removeAll(file);
    files.prepend(file);
    while (files.size() > recentCount)
        files.removeLast();
    settings().setValue(recentKey, files);
    emit recentFilesChanged();
}

void FileMemory::forgetParameterFile(const QString& path)
{
    QStringList files = recentParameterFiles();
    if (files.removeAll(absolute(path)) == 0)
        return;
    settings().setValue(recentKey, files);
    emit recentFilesChanged();
}

QStringList FileMemory::recentParameterFiles() const
{
    // Another run may have written the file: take it as it is now, but never more than five.
    QStringList files = settings().value(recentKey).toStringList();
    files.removeAll(QString());
    return files.mid(0, recentCount);
}

QString FileMemory::workshopName() const { return settings().value(workshopKey).toString(); }

void FileMemory::setWorkshopName(const QString& name) { settings().setValue(workshopKey, name); }

}  // namespace dravinor::ui
