#include "live/SuggestedFileName.h"

#include <QFileInfo>

namespace dravinor::live {

QString datedFileName(const QString& stem, const QString& suffix, const QDateTime& when)
{
    return QStringLiteral("%1-%2.%3").arg(stem, when.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")), suffix);
}

QString withDefaultSuffix(const QString& path, const QString& suffix)
{
    const QFileInfo file(path);
    if (path.isEmpty() || !file.suffix().isEmpty() || file.exists())
        return path;
    return path + '.' + suffix;
}

}  // namespace dravinor::live
