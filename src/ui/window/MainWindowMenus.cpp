#include "ui/window/MainWindow.h"

#include "live/LivePage.h"
#include "params/ControllerSession.h"
#include "ui/pages/ParameterPages.h"
#include "ui/recording/LiveRecordingControl.h"
#include "ui/recording/LiveRecordingTexts.h"

#include <QAction>
#include <QFontMetrics>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>

#include "ui/connection/PortToolTip.h"
#include "ui/connection/ReconnectWatch.h"
#include "ui/dialogs/AboutBox.h"
#include "ui/journal/JournalWindow.h"
#include "ui/language/LanguageChoice.h"
#include "ui/language/SlotText.h"
#include "ui/pages/ParameterPageLayout.h"
#include "ui/report/ReportDialog.h"
#include "ui/window/MenuMnemonics.h"
#include "ui/window/RecentFilesMenu.h"
#include "ui/window/WindowFit.h"
#include "ui/window/WindowTexts.h"
#include "ui/wizard/WizardController.h"
#include <QActionGroup>
#include <QMenuBar>

namespace dravinor::ui {

QAction* MainWindow::addMenuItem(QMenu* menu, const char* name, const QString& caption)
{
    auto* item = menu->addAction(caption);
    item->setObjectName(name);
    return item;
}

void MainWindow::buildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");
    buildMainMenu(bar);
    buildPortsMenu(bar);
    buildResolutionMenu(bar);
    buildLanguagesMenu(bar);
    new MenuMnemonics(bar);
}

// "menu": the pages, recording, journal, comparison, recent files.
void MainWindow::buildMainMenu(QMenuBar* bar)
{
    QMenu* main = bar->addMenu(QStringLiteral("menu"));
    main->setObjectName("menu");
    auto* help = addMenuItem(main, "helpF1", QStringLiteral("Pomoc"));
    help->setShortcut(Qt::Key_F1);
    connect(help, &QAction::triggered, this, &MainWindow::helpF1Click);
    auto* f2 = addMenuItem(main, "ParametrysystemuF2", QStringLiteral("Parametry systemu"));
    f2->setShortcut(Qt::Key_F2);
    connect(f2, &QAction::triggered, this, [this] { switchToPage(TabPar1); });
    auto* f3 = addMenuItem(main, "ZawansF3", QStringLiteral("Zaawansowane parametry"));
    f3->setShortcut(Qt::Key_F3);
    connect(f3, &QAction::triggered, this, [this] { switchToPage(TabPar2); });
    auto* f4 = addMenuItem(main, "WizualizacjaF4", QStringLiteral("Wizualizacja "));
    f4->setShortcut(Qt::Key_F4);
    connect(f4, &QAction::triggered, this, [this] { switchToPage(TabViz); });
    auto* f5 = addMenuItem(main, "AutoAdaptacjaF5", QStringLiteral("AutoAdaptacja"));
    f5->setShortcut(Qt::Key_F5);
    connect(f5, &QAction::triggered, this, &MainWindow::startAutoAdaptation);
    main->addSeparator();
    recording_ = new LiveRecordingControl(main, *livePage_, dialogs_, *fileMemory_);
    // Shown only when replaying a recording.
    addMenuItem(main, "WstrzymajOdtwarzanie", texts::pauseReplayItem)->setVisible(false);
    connect(addMenuItem(main, "DziennikZmian", QStringLiteral("Dziennik zmian")), &QAction::triggered, this,
            &MainWindow::showJournal);
    connect(addMenuItem(main, "PorownajZPlikiem", QStringLiteral("Porównaj z plikiem…")), &QAction::triggered, this,
            &MainWindow::compareWithFile);
    auto* about = addMenuItem(main, "OProgramie", QStringLiteral("O programie"));
    connect(about, &QAction::triggered, this, [this, about] {
        // The title's version text is Polish in every language; the box says it in the current one.
        const auto identity = session_.connection().identity();
        const QString version = controllerVersion_.isEmpty() ? QString()
                                : identity ? slotText(lang::slot::aboutControllerVersion).arg(identity->firmware())
                                           : slotText(lang::slot::versionUnknown);
        AboutBox::showFor(this, about->text(), version);
    });
    // The customer's report; the recent files stay the menu's last part.
    connect(addMenuItem(main, "Raport", QStringLiteral("Raport…")), &QAction::triggered, this, [this] {
        auto* dialog = new ReportDialog(windowReportSources(session_, wizard_->engine(), *livePage_, this), dialogs_,
                                        *fileMemory_, this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->open();
    });
    recentFiles_ = new RecentFilesMenu(main, *fileMemory_);
    connect(recentFiles_, &RecentFilesMenu::fileChosen, this, &MainWindow::loadRecentFile);
    // The wizard's "next" key: not in the menu, but its F10 works anywhere
    // in the window (a hidden menu item would lose its shortcut).
    auto* next = new QAction(QStringLiteral("dalej"), this);
    next->setObjectName("dalej1");
    next->setShortcut(Qt::Key_F10);
    addAction(next);
    connect(next, &QAction::triggered, this, &MainWindow::wizardNextKey);
}

void MainWindow::buildPortsMenu(QMenuBar* bar)
{
    QMenu* ports = bar->addMenu(QStringLiteral("porty"));
    ports->setObjectName("ports");
    for (int i = 0; i < 8; ++i) {
        const QString name = QStringLiteral("COM%1").arg(i + 1);
        QAction* item = addMenuItem(ports, qPrintable(name + "_cl"), name);
        item->setCheckable(true);
        item->setToolTip(portToolTip(session_.portMap().devicePath(i)));
        connect(item, &QAction::triggered, this, [this, i] { choosePort(i); });
        portItems_[static_cast<std::size_t>(i)] = item;
    }
    ports->setToolTipsVisible(true);
    connect(addMenuItem(ports, "autodetekcja1", QStringLiteral("autodetekcja")), &QAction::triggered, this,
            &MainWindow::autodetectFromMenu);
}

void MainWindow::buildResolutionMenu(QMenuBar* bar)
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
        connect(item, &QAction::triggered, this,
                [this, item, size] { chooseResolution(item, size.width, size.height); });
        resolutionItems_[i] = item;
    }
}

void MainWindow::buildLanguagesMenu(QMenuBar* bar)
{
    QMenu* languages = bar->addMenu(QStringLiteral("jezyki"));
    languages->setObjectName("jezyki");
    QAction* polish = addMenuItem(languages, "polski", QStringLiteral("polski"));
    QAction* russian = addMenuItem(languages, "rosyjski", QStringLiteral("rosyjski"));
    polish->setCheckable(true);
    russian->setCheckable(true);
    language_ = std::make_unique<LanguageChoice>(this, dialogs_, polish, russian,
                                                 LanguageFollowers{statusLines_, *pages_, *livePage_, *wizard_,
                                                                   [this] { redrawTitle(); }, [this] { layoutPages(); },
                                                                   [this] { showUnreadStatus(false); },
                                                                   [this] {
                                                                       if (journalWindow_)
                                                                           journalWindow_->refresh();
                                                                   }});
}

void MainWindow::redrawTitle()
{
    if (titleSaysNoController_)
        setWindowTitle(texts::titlePrefix + texts::noController);
    if (titleSaysVersionUnknown_) {
        controllerVersion_ = texts::versionUnknown;
        setWindowTitle(texts::titlePrefix + controllerVersion_);
    }
    reconnect_->redrawTitle();
}

void MainWindow::chooseResolution(QAction* item, int width, int height)
{
    for (QAction* other : resolutionItems_)
        other->setChecked(false);
    item->setChecked(true);
    // The sizes are outer sizes, frame included; a screen smaller than the
    // size gets the largest window that fits it, still on screen.
    const QSize frame = frameGeometry().size() - geometry().size();
    requestedResolution_ =
        fitOnScreen(QRect(frameGeometry().topLeft(), QSize(width, height)), screenArea()).size() - frame;
    placeOnScreen(QSize(width, height), false);
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    // Never smaller than 640 x 480 outside; the frame is known only once
    // shown. The minimum is only a hint to the window manager: a size below
    // it that arrives all the same is set back here.
    const QSize minimum = minimumWindowSize - (frameGeometry().size() - geometry().size());
    if (minimumSize() != minimum)
        setMinimumSize(minimum);
    if (atLeast(size(), minimum) != size())
        resize(atLeast(size(), minimum));
    // Any size but the one a resolution item asked for clears its tick;
    // the window manager may deliver that size only later.
    if (size() != requestedResolution_) {
        for (QAction* item : resolutionItems_)
            item->setChecked(false);
        requestedResolution_ = {};
    }
    layoutPages();
}

void MainWindow::layoutPages()
{
    const QSize outer = frameGeometry().size();
    pages_->layout(outer.width(), outer.height());
    livePage_->layout(outer.width(), outer.height());
    fitPageCaptions(outer);
}

void MainWindow::fitPageCaptions(QSize outer)
{
    // The page captions and status lines grow with the pages' font, and
    // shrink where the four captions would not fit side by side.
    constexpr int tabPadding = 26;
    QTabBar* tabs = pageControl_->tabBar();
    QFont font = tabs->font();
    font.setPointSize(std::max(9, parameterPagesFontSize(outer.width(), outer.height()) * 3 / 4));
    const auto captionsWidth = [&](const QFont& f) {
        const QFontMetrics metrics(f);
        int width = 0;
        for (int i = 0; i < tabs->count(); ++i)
            width += metrics.horizontalAdvance(tabs->tabText(i)) + tabPadding;
        return width;
    };
    while (font.pointSize() > 6 && captionsWidth(font) > width() - 8)
        font.setPointSize(font.pointSize() - 1);
    if (font != tabs->font())
        tabs->setFont(font);
    for (QStatusBar* bar : statusBars_)
        bar->setFont(font);
}

}  // namespace dravinor::ui
