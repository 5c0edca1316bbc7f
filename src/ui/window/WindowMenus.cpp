#include "ui/window/WindowMenus.h"

#include "link/PortMap.h"
#include "ui/connection/PortToolTip.h"
#include "ui/recording/LiveRecordingControl.h"
#include "ui/recording/LiveRecordingTexts.h"
#include "ui/window/MenuMnemonics.h"
#include "ui/window/RecentFilesMenu.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace dravinor::ui {

namespace {

QAction* addMenuItem(QMenu* menu, const char* name, const QString& caption)
{
    auto* item = menu->addAction(caption);
    item->setObjectName(name);
    return item;
}

// An item that runs a command, under a function key.
QAction* addKeyItem(QMenu* menu, const char* name, const QString& caption, Qt::Key key,
                    const std::function<void()>& command)
{
    auto* item = addMenuItem(menu, name, caption);
    item->setShortcut(key);
    QObject::connect(item, &QAction::triggered, item, command);
    return item;
}

}  // namespace

WindowMenus::WindowMenus(QMainWindow& window, const MenuCommands& commands, const link::PortMap& ports,
                         live::LivePage& livePage, Dialogs& dialogs, FileMemory& fileMemory)
{
    QMenuBar* bar = window.menuBar();
    bar->setObjectName("MainMenu1");
    buildMainMenu(bar, commands, livePage, dialogs, fileMemory);
    // The wizard's "next" key: not in the menu, but its F10 works anywhere
    // in the window (a hidden menu item would lose its shortcut).
    auto* next = new QAction(QStringLiteral("dalej"), &window);
    next->setObjectName("dalej1");
    next->setShortcut(Qt::Key_F10);
    window.addAction(next);
    QObject::connect(next, &QAction::triggered, next, commands.wizardNext);
    buildPortsMenu(bar, commands, ports);
    buildResolutionMenu(bar, commands);
    buildLanguagesMenu(bar);
    new MenuMnemonics(bar);
}

// "menu": the pages, recording, journal, comparison, recent files.
void WindowMenus::buildMainMenu(QMenuBar* bar, const MenuCommands& commands, live::LivePage& livePage, Dialogs& dialogs,
                                FileMemory& fileMemory)
{
    QMenu* main = bar->addMenu(QStringLiteral("menu"));
    main->setObjectName("menu");
    addKeyItem(main, "helpF1", QStringLiteral("Pomoc"), Qt::Key_F1, commands.help);
    addKeyItem(main, "ParametrysystemuF2", QStringLiteral("Parametry systemu"), Qt::Key_F2, commands.parametersPage);
    addKeyItem(main, "ZawansF3", QStringLiteral("Zaawansowane parametry"), Qt::Key_F3, commands.advancedPage);
    addKeyItem(main, "WizualizacjaF4", QStringLiteral("Wizualizacja "), Qt::Key_F4, commands.livePage);
    addKeyItem(main, "AutoAdaptacjaF5", QStringLiteral("AutoAdaptacja"), Qt::Key_F5, commands.startAutoAdaptation);
    main->addSeparator();
    recording_ = new LiveRecordingControl(main, livePage, dialogs, fileMemory);
    pauseReplayItem_ = addMenuItem(main, "WstrzymajOdtwarzanie", texts::pauseReplayItem);
    pauseReplayItem_->setVisible(false);
    auto* journal = addMenuItem(main, "DziennikZmian", QStringLiteral("Dziennik zmian"));
    QObject::connect(journal, &QAction::triggered, journal, commands.showJournal);
    if (commands.showCarBook) {
        auto* carBook = addMenuItem(main, "menuCarBook", QStringLiteral("Książka serwisowa"));
        QObject::connect(carBook, &QAction::triggered, carBook, commands.showCarBook);
    }
    auto* compare = addMenuItem(main, "PorownajZPlikiem", QStringLiteral("Porównaj z plikiem…"));
    QObject::connect(compare, &QAction::triggered, compare, commands.compareWithFile);
    auto* about = addMenuItem(main, "OProgramie", QStringLiteral("O programie"));
    QObject::connect(about, &QAction::triggered, about,
                     [about, showAbout = commands.showAbout] { showAbout(about->text()); });
    // The customer's report; the recent files stay the menu's last part.
    auto* report = addMenuItem(main, "Raport", QStringLiteral("Raport…"));
    QObject::connect(report, &QAction::triggered, report, commands.showReport);
    recentFiles_ = new RecentFilesMenu(main, fileMemory);
}

void WindowMenus::buildPortsMenu(QMenuBar* bar, const MenuCommands& commands, const link::PortMap& ports)
{
    portsMenu_ = bar->addMenu(QStringLiteral("porty"));
    portsMenu_->setObjectName("ports");
    for (int i = 0; i < 8; ++i) {
        const QString name = QStringLiteral("COM%1").arg(i + 1);
        QAction* item = addMenuItem(portsMenu_, qPrintable(name + "_cl"), name);
        item->setCheckable(true);
        item->setToolTip(portToolTip(ports.devicePath(i)));
        QObject::connect(item, &QAction::triggered, item, [i, choosePort = commands.choosePort] { choosePort(i); });
        portItems_[static_cast<std::size_t>(i)] = item;
    }
    portsMenu_->setToolTipsVisible(true);
    auto* autodetect = addMenuItem(portsMenu_, "autodetekcja1", QStringLiteral("autodetekcja"));
    QObject::connect(autodetect, &QAction::triggered, autodetect, commands.autodetect);
}

void WindowMenus::buildResolutionMenu(QMenuBar* bar, const MenuCommands& commands)
{
    QMenu* resolution = bar->addMenu(QStringLiteral("rozdzielczosc"));
    resolution->setObjectName("rozdzielczosc");
    const struct {
        const char* name;
        int width, height;
    } sizes[] = {{"N640", 640, 480}, {"N800", 800, 600}, {"N1024", 1024, 768}, {"N1280", 1280, 1024}};
    for (std::size_t i = 0; i < 4; ++i) {
        const auto& size = sizes[i];
        QAction* item = addMenuItem(resolution, size.name, QStringLiteral("%1x%2").arg(size.width).arg(size.height));
        item->setCheckable(true);
        resolutionItems_[i] = item;
    }
    for (std::size_t i = 0; i < 4; ++i) {
        QAction* item = resolutionItems_[i];
        const QSize outer(sizes[i].width, sizes[i].height);
        QObject::connect(item, &QAction::triggered, item,
                         [item, items = resolutionItems_, outer, choose = commands.chooseResolution] {
                             for (QAction* other : items)
                                 other->setChecked(false);
                             item->setChecked(true);
                             choose(outer);
                         });
    }
}

void WindowMenus::buildLanguagesMenu(QMenuBar* bar)
{
    QMenu* languages = bar->addMenu(QStringLiteral("jezyki"));
    languages->setObjectName("jezyki");
    polishItem_ = addMenuItem(languages, "polski", QStringLiteral("polski"));
    russianItem_ = addMenuItem(languages, "rosyjski", QStringLiteral("rosyjski"));
    polishItem_->setCheckable(true);
    russianItem_->setCheckable(true);
}

void WindowMenus::clearResolutionTicks()
{
    for (QAction* item : resolutionItems_)
        item->setChecked(false);
}

}  // namespace dravinor::ui
