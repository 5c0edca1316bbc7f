#pragma once

#include <QObject>

class QMenu;

namespace dravinor::ui {

class FileMemory;

// "Ostatnie pliki": a submenu of `menu` with the parameter files used last,
// newest first, each under its number (Alt+1..5 in the open menu). Choosing
// one asks to load it; the submenu is off while the list is empty.
class RecentFilesMenu : public QObject {
    Q_OBJECT
public:
    RecentFilesMenu(QMenu* parent, FileMemory& memory);

    QMenu* menu() const { return menu_; }

signals:
    void fileChosen(const QString& path);

private:
    void rebuild();

    QMenu* menu_;
    FileMemory& memory_;
};

}  // namespace dravinor::ui
