#include "ui/dialogs/SystemHelp.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace dravinor::ui {

bool openHelpOutside(const QString& path, const QString& anchor)
{
    // A missing document is said by the program's viewer, not by a browser's error page.
    const QFileInfo document(path);
    if (!document.isFile())
        return false;
    QUrl url = QUrl::fromLocalFile(document.absoluteFilePath());
    url.setFragment(anchor);
    return QDesktopServices::openUrl(url);
}

}  // namespace dravinor::ui
