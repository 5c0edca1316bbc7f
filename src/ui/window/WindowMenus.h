#pragma once

#include <QSize>
#include <QString>

#include <array>
#include <functional>

class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;

namespace dravinor::link {
class PortMap;
}
namespace dravinor::live {
class LivePage;
}

namespace dravinor::ui {

class Dialogs;
class FileMemory;
class LiveRecordingControl;
class RecentFilesMenu;

// What the menus' items do; the window says it.
struct MenuCommands {
    std::function<void()> help;
    std::function<void()> parametersPage;
    std::function<void()> advancedPage;
    std::function<void()> livePage;
    std::function<void()> startAutoAdaptation;
    std::function<void()> showJournal;
    // "Książka serwisowa"; no item without it.
    std::function<void()> showCarBook;
    std::function<void()> compareWithFile;
    // caption: the item's text of now, the box's title.
    std::function<void(const QString& caption)> showAbout;
    std::function<void()> showReport;
    // F10, the wizard's "next" key.
    std::function<void()> wizardNext;
    std::function<void(int index)> choosePort;
    std::function<void()> autodetect;
    // An outer size, frame included; the item is ticked already.
    std::function<void(QSize outer)> chooseResolution;
};

// The window's menu bar: "menu" (help, the pages, recording, journal,
// comparison, About, report, recent files), "porty", "rozdzielczosc" and
// "jezyki", with their letters, and the wizard's F10 key. It hands back the
// items whose state the window's other owners set.
class WindowMenus {
public:
    WindowMenus(QMainWindow& window, const MenuCommands& commands, const link::PortMap& ports, live::LivePage& livePage,
                Dialogs& dialogs, FileMemory& fileMemory);

    LiveRecordingControl& recording() const { return *recording_; }
    RecentFilesMenu& recentFiles() const { return *recentFiles_; }
    // COM1..COM8, ticked for the port in use.
    const std::array<QAction*, 8>& portItems() const { return portItems_; }
    QMenu* portsMenu() const { return portsMenu_; }
    // Shown only when replaying a recording.
    QAction* pauseReplayItem() const { return pauseReplayItem_; }
    QAction* polishItem() const { return polishItem_; }
    QAction* russianItem() const { return russianItem_; }
    // Any size but the one a resolution item asked for clears its tick.
    void clearResolutionTicks();

private:
    void buildMainMenu(QMenuBar* bar, const MenuCommands& commands, live::LivePage& livePage, Dialogs& dialogs,
                       FileMemory& fileMemory);
    void buildPortsMenu(QMenuBar* bar, const MenuCommands& commands, const link::PortMap& ports);
    void buildResolutionMenu(QMenuBar* bar, const MenuCommands& commands);
    void buildLanguagesMenu(QMenuBar* bar);

    LiveRecordingControl* recording_ = nullptr;
    RecentFilesMenu* recentFiles_ = nullptr;
    std::array<QAction*, 8> portItems_{};
    QMenu* portsMenu_ = nullptr;
    std::array<QAction*, 4> resolutionItems_{};
    QAction* pauseReplayItem_ = nullptr;
    QAction* polishItem_ = nullptr;
    QAction* russianItem_ = nullptr;
};

}  // namespace dravinor::ui
