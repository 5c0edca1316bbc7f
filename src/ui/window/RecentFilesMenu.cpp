#include "ui/window/RecentFilesMenu.h"

#include "ui/window/FileMemory.h"

#include <QAction>
#include <QDir>
#include <QFontMetrics>
#include <QMenu>

namespace dravinor::ui {

namespace {

// Wide enough for a name and most of its folder; the tip holds the whole path.
constexpr int widestEntry = 480;

// "~/auta/FIAT.PAR" rather than the whole home path; "&" shows as itself.
QString entryText(int number, const QString& path, const QFontMetrics& metrics)
{
    QString shown = QDir::toNativeSeparators(path);
    const QString home = QDir::toNativeSeparators(QDir::homePath());
    if (shown.startsWith(home + QDir::separator()))
        shown = "~" + shown.mid(home.size());
    shown = metrics.elidedText(shown, Qt::ElideMiddle, widestEntry);
    return QStringLiteral("&%1  %2").arg(number).arg(shown.replace(u'&', QStringLiteral("&&")));
}

}  // namespace

RecentFilesMenu::RecentFilesMenu(QMenu* parent, FileMemory& memory)
    : QObject(parent), menu_(new QMenu(QStringLiteral("Ostatnie pliki"), parent)), memory_(memory)
{
    parent->addSeparator();
    parent->addMenu(menu_);
    menu_->setObjectName("OstatniePliki");
    menu_->setToolTipsVisible(true);
    connect(&memory_, &FileMemory::recentFilesChanged, this, &RecentFilesMenu::rebuild);
    // Another run of the program may have changed the list meanwhile.
    connect(parent, &QMenu::aboutToShow, this, &RecentFilesMenu::rebuild);
    rebuild();
}

void RecentFilesMenu::rebuild()
{
    // Deleted later, not now: the item being chosen may be the one whose
    // signal runs this. Out of the menu and its children at once.
    for (QAction* item : menu_->actions()) {
        menu_->removeAction(item);
        item->setParent(nullptr);
        item->deleteLater();
    }
    const QStringList files = memory_.recentParameterFiles();
    const QFontMetrics metrics(menu_->font());
    for (int i = 0; i < files.size(); ++i) {
        const QString& path = files[i];
        QAction* item = menu_->addAction(entryText(i + 1, path, metrics));
        item->setObjectName(QStringLiteral("OstatniPlik%1").arg(i + 1));
        item->setToolTip(QDir::toNativeSeparators(path));
        connect(item, &QAction::triggered, this, [this, path] { emit fileChosen(path); });
    }
    menu_->menuAction()->setEnabled(!files.isEmpty());
}

}  // namespace dravinor::ui
