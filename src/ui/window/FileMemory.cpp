#include "ui/window/FileMemory.h"

#include "live/SaveRefusalText.h"
#include "params/PathText.h"
#include "params/UserFolders.h"
#include "ui/language/SlotText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <iostream>

namespace dravinor::ui {

namespace {

QString folderKey(FileMemory::Kind kind)
{
    switch (kind) {
    case FileMemory::Kind::Recordings: return QStringLiteral("folders/recordings");
    case FileMemory::Kind::Reports: return QStringLiteral("folders/reports");
    case FileMemory::Kind::ParameterFiles: break;
    }
    return QStringLiteral("folders/parameterFiles");
}

// %1: the settings file, %2: what holds its name.
constexpr int settingsNotKeptKey = lang::slot::settingsNotKept;

const QString recentKey = QStringLiteral("recentParameterFiles");
const QString workshopKey = QStringLiteral("report/workshop");

QString absolute(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

params::SaveTarget examined(const QString& path)
{
    return params::examineSaveTarget(params::pathFromUtf8(path.toStdString()));
}

}  // namespace

QString FileMemory::settingsFile()
{
    // Where QSettings keeps the user scope of the INI format, unless a
    // folder is named or the system's custom is a roaming one (Windows);
    // named as one file, so that no fallback file elsewhere is ever read either.
    const std::filesystem::path named = params::settingsFolder();
    const QString folder = named.empty() ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                                               QStringLiteral("/dravinor")
                                         : QString::fromStdU16String(named.generic_u16string());
    return folder + QStringLiteral("/dravinor.ini");
}

bool FileMemory::fileUsable() const
{
    if (refused_)
        return false;
    // QSettings reads the file whole (a FIFO would hang it, a device never
    // end) and saves by renaming a new file over the name; its lock file
    // beside is opened the same way.
    const QString file = settingsFile();
    for (const QString& path : {file, file + QStringLiteral(".lock")}) {
        const params::SaveTarget target = examined(path);
        if (target.savable() || target.kind == params::SaveTargetKind::Unreachable)
            continue;  // a folder it cannot reach QSettings only fails to use, harmlessly
        refused_.emplace(path, target);
        std::cerr << "dravinor: " << settingsNotice().toLocal8Bit().constData() << '\n';
        emit const_cast<FileMemory*>(this)->settingsNotKept();
        return false;
    }
    return true;
}

QString FileMemory::settingsNotice() const
{
    if (!refused_)
        return {};
    return slotText(settingsNotKeptKey)
        .arg(QDir::toNativeSeparators(refused_->first), live::saveRefusalText(refused_->second));
}

QVariant FileMemory::value(const QString& key) const
{
    if (!fileUsable())
        return kept_.value(key);
    return QSettings(settingsFile(), QSettings::IniFormat).value(key);
}

void FileMemory::setValue(const QString& key, const QVariant& value)
{
    if (!fileUsable()) {
        kept_.insert(key, value);
        return;
    }
    QSettings(settingsFile(), QSettings::IniFormat).setValue(key, value);
}

QString FileMemory::folder(Kind kind) const
{
    const QString folder = value(folderKey(kind)).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}

void FileMemory::noteChosen(Kind kind, const QString& path)
{
    if (!path.isEmpty())
        setValue(folderKey(kind), QFileInfo(absolute(path)).path());
}

void FileMemory::noteParameterFile(const QString& path)
{
    const QString file = absolute(path);
    QStringList files = recentParameterFiles();
    files.removeAll(file);
    files.prepend(file);
    while (files.size() > recentCount)
        files.removeLast();
    setValue(recentKey, files);
    emit recentFilesChanged();
}

void FileMemory::forgetParameterFile(const QString& path)
{
    QStringList files = recentParameterFiles();
    if (files.removeAll(absolute(path)) == 0)
        return;
    setValue(recentKey, files);
    emit recentFilesChanged();
}

QStringList FileMemory::recentParameterFiles() const
{
    // Another run may have written the file: take it as it is now, but never more than five.
    QStringList files = value(recentKey).toStringList();
    files.removeAll(QString());
    return files.mid(0, recentCount);
}

QString FileMemory::workshopName() const
{
    return value(workshopKey).toString();
}

void FileMemory::setWorkshopName(const QString& name)
{
    setValue(workshopKey, name);
}

}  // namespace dravinor::ui
