#include "ui/window/MainWindow.h"

#include "live/LivePage.h"
#include "live/WidgetsBuiltLate.h"
#include "params/ControllerSession.h"
#include "params/ScaleTables.h"
#include "ui/connection/ConnectionPresenter.h"
#include "ui/connection/PortProblemNotice.h"
#include "ui/connection/ReconnectWatch.h"
#include "ui/dialogs/AboutBox.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/journal/JournalWindow.h"
#include "ui/language/LanguageChoice.h"
#include "ui/pages/ParameterPages.h"
#include "ui/report/ReportDialog.h"
#include "ui/status/UnreadReport.h"
#include "ui/window/FileMemory.h"
#include "ui/window/RecentFilesMenu.h"
#include "ui/window/WindowFit.h"
#include "ui/window/WindowMenus.h"
#include "ui/window/WindowPlacement.h"
#include "ui/window/WindowTexts.h"
#include "ui/wizard/WizardController.h"
#include "ui/wizard/WizardPages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace dravinor::ui {

MainWindow::MainWindow(params::ControllerSession& session, Dialogs* dialogs)
    : session_(session), ownDialogs_(dialogs ? nullptr : std::make_unique<MessageBoxDialogs>(this)),
      dialogs_(dialogs ? *dialogs : *ownDialogs_), fileMemory_(new FileMemory(this)),
      placement_(new WindowPlacement(*this, minimumWindowSize))
{
    setObjectName("Form1");
    // A settings file that is no regular file is said on the second line
    // (the file buttons' page), where the start-up scan leaves it standing.
    connect(fileMemory_, &FileMemory::settingsNotKept, this, &MainWindow::showSettingsNotice);
    buildTimers();
    buildPages();
    buildStatusLines();
    buildMenus();
    buildConnection();
    buildCarBook();

    placeOnScreen(initialWindowSize, true);
}

MainWindow::~MainWindow()
{
    destroyCarBook();
}

void MainWindow::buildPages()
{
    pageControl_ = new QTabWidget(this);
    pageControl_->setObjectName("PageControl1");
    // The page captions are red.
    pageControl_->tabBar()->setStyleSheet("QTabBar::tab { color: #FF0000; }");
    const std::array<std::pair<const char*, QString>, 4> pages{{
        {"TabPar1", QStringLiteral("Parametry systemu (F2)")},
        {"TabPar2", QStringLiteral("Parametry systemu - zaawansowane (F3)")},
        {"TabViz", QStringLiteral("Wizualizacja (F4)")},
        {"TabAuto", QStringLiteral("Auto Adaptacja (F5)")},
    }};
    for (const auto& [name, caption] : pages) {
        auto* page = new QWidget(pageControl_);
        page->setObjectName(name);
        pageControl_->addTab(page, caption);
    }
    // The wizard's own pages; their contents come with the wizard.
    autoTab_ = new QTabWidget(pageControl_->widget(TabAuto));
    autoTab_->setObjectName("AutoTab");
    for (const char* name : {"AA1", "AA2", "AA4", "AA5"}) {
        auto* page = new QWidget(autoTab_);
        page->setObjectName(name);
        autoTab_->addTab(page, name);
    }
    auto* wizardLayout = new QVBoxLayout(pageControl_->widget(TabAuto));
    wizardLayout->addWidget(autoTab_);
    setCentralWidget(pageControl_);
    pageControl_->tabBar()->installEventFilter(this);
    connect(pageControl_, &QTabWidget::currentChanged, this, &MainWindow::onCurrentPageChanged);

    livePage_ = new live::LivePage(pageControl_->widget(TabViz), liveTimer_, session_.port(), session_.clock(),
                                   session_.state());
    livePage_->layOutWhenShown();
    connect(livePage_, &live::LivePage::built, this, [this] {
        if (applyLanguageTo(pageControl_->widget(TabViz)))
            livePage_->redrawTexts();
    });
    // The trace's saves ask and tell through the window's dialogs, as every other save, and
    // open where recordings are kept.
    livePage_->setTraceSaveDialogs({[this](const QString& name, const QString& filter, const QString& suffix) {
                                        const QString path = dialogs_.chooseSaveFile(
                                            QDir(fileMemory_->folder(FileMemory::Kind::Recordings)).filePath(name),
                                            filter, suffix);
                                        if (!path.isEmpty())
                                            fileMemory_->noteChosen(FileMemory::Kind::Recordings, path);
                                        return path;
                                    },
                                    [this](const QString& text) { dialogs_.showMessage(text); }});
    pages_ = std::make_unique<ParameterPages>(
        pageControl_->widget(TabPar1), pageControl_->widget(TabPar2),
        PageServices{session_.state(), session_.transfer(), dialogs_,
                     [this](int line, const StatusText& text) { showStatus(line, text); },
                     [this](int probeType) {
                         livePage_->applyProbeType(probeType);
                         probeType_ = probeType;
                         if (wizard_)
                             wizard_->applyProbeType(probeType);
                     },
                     [this](int page, QWidget* focus) {
                         setPageQuietly(page);
                         if (focus)
                             focus->setFocus(Qt::OtherFocusReason);
                     }});
    // The wizard's page builds it when first shown.
    pageControl_->widget(TabAuto)->installEventFilter(this);
    connect(pages_->button("ResButt"), &QAbstractButton::clicked, this, &MainWindow::resetParameters);
    connect(pages_->button("ZapPlik"), &QAbstractButton::clicked, this, &MainWindow::saveParameterFile);
    connect(pages_->button("OdczPlik"), &QAbstractButton::clicked, this, &MainWindow::loadParameterFile);
    connect(pages_->button("ZapiszPar"), &QAbstractButton::clicked, this, &MainWindow::writeAllParameters);
    connect(pages_->button("OdczytPar"), &QAbstractButton::clicked, this,
            [this] { connection_->readParametersAgain(); });
}

void MainWindow::buildStatusLines()
{
    for (int line = 0; line < 2; ++line) {
        QWidget* page = pageControl_->widget(line == 0 ? TabPar1 : TabPar2);
        auto* bar = new QStatusBar(page);
        bar->setObjectName(line == 0 ? "StatusBar1" : "StatusBar2");
        bar->setSizeGripEnabled(false);
        auto* progress = new QProgressBar(page);
        progress->setObjectName(line == 0 ? "ProgressOpcje1" : "ProgressOpcje2");
        progress->setRange(0, 30);
        progress->setTextVisible(false);
        progress->hide();
        // A tip that spells out a long message goes with it.
        connect(bar, &QStatusBar::messageChanged, bar, [bar](const QString& message) {
            if (message != bar->toolTip())
                bar->setToolTip(QString());
        });
        statusBars_[static_cast<std::size_t>(line)] = bar;
        statusLines_.attach(line + 1, bar);
        progressBars_[static_cast<std::size_t>(line)] = progress;
        page->installEventFilter(this);  // keeps the line at the page's foot
    }
}

void MainWindow::buildMenus()
{
    menus_ = std::make_unique<WindowMenus>(
        *this,
        MenuCommands{
            .help = [this] { helpF1Click(); },
            .parametersPage = [this] { switchToPage(TabPar1); },
            .advancedPage = [this] { switchToPage(TabPar2); },
            .livePage = [this] { switchToPage(TabViz); },
            .startAutoAdaptation = [this] { startAutoAdaptation(); },
            .showJournal = [this] { showJournal(); },
            .showCarBook = [this] { showCarBook(); },
            .compareWithFile = [this] { compareWithFile(); },
            .showAbout =
                [this](const QString& caption) { AboutBox::showFor(this, caption, connection_->aboutVersion()); },
            .showReport =
                [this] {
                    auto* dialog = new ReportDialog(windowReportSources(session_, wizard().engine(), *livePage_, this),
                                                    dialogs_, *fileMemory_, this);
                    dialog->setAttribute(Qt::WA_DeleteOnClose);
                    lendCarBookTo(*dialog);
                    dialog->open();
                },
            .wizardNext = [this] { wizardNextKey(); },
            .choosePort = [this](int index) { connection_->choosePort(index); },
            .autodetect = [this] { connection_->autodetectFromMenu(); },
            .chooseResolution = [this](QSize outer) { chooseResolution(outer); },
        },
        session_.portMap(), *livePage_, dialogs_, *fileMemory_);
    connect(&menus_->recentFiles(), &RecentFilesMenu::fileChosen, this, &MainWindow::loadRecentFile);
    LanguageFollowers followers{statusLines_,
                                *pages_,
                                *livePage_,
                                [this] { return wizard_; },
                                [this] {
                                    connection_->redrawTitle();
                                    reconnect_->redrawTitle();
                                },
                                [this] { layoutPages(); },
                                [this] { connection_->showUnreadStatus(false); },
                                [this] {
                                    if (journalWindow_)
                                        journalWindow_->refresh();
                                    redrawCarBook();
                                }};
    language_ = std::make_unique<LanguageChoice>(this, dialogs_, menus_->polishItem(), menus_->russianItem(),
                                                 std::move(followers));
}

WizardController& MainWindow::buildWizard()
{
    if (wizard_)
        return *wizard_;
    wizard_ = new WizardController(
        autoTab_, session_.port(), session_.state(), session_.transfer(), *pages_, dialogs_,
        [this](const QString& name) {
            livePage_->build();
            return pageControl_->widget(TabViz)->findChild<QWidget*>(name);
        },
        this);
    wizard_->finished = [this] { leaveFinishedWizard(); };
    if (probeType_)
        wizard_->applyProbeType(*probeType_);
    QWidget* page = pageControl_->widget(TabAuto);
    live::showWidgetsBuiltLate(page);
    if (applyLanguageTo(page))
        wizard_->redrawTexts();
    // Its pages were sized before they had widgets to lay out.
    wizard_->pages().layout();
    return *wizard_;
}

bool MainWindow::applyLanguageTo(QWidget* lateBuiltPage)
{
    return language_ && language_->applyToLateBuilt(lateBuiltPage);
}

void MainWindow::buildConnection()
{
    reconnect_ =
        new ReconnectWatch(session_, this,
                           {[this](const link::ConnectionOutcome& outcome) { connection_->applyOutcome(outcome); },
                            [this](int line, const StatusText& text) { showStatus(line, text); },
                            // The wizard owns its exchanges: it is not read under it.
                            [this] { return currentPage_ != TabAuto; }, [this] { connection_->showParameters(); }});
    // A poll that met a dead port tells it at once.
    connect(livePage_, &live::LivePage::controllerAbsent, reconnect_, &ReconnectWatch::checkLine);
    connection_ =
        std::make_unique<ConnectionPresenter>(session_, *this, statusLines_, StatusBars{statusBars_, progressBars_},
                                              *pages_, pageControl_, menus_->portItems(), *reconnect_);
}

void MainWindow::buildTimers()
{
    // The live page's poll timer; "Timer1" is its name among the window's controls.
    liveTimer_ = new QTimer(this);
    liveTimer_->setObjectName("Timer1");
    liveTimer_->setInterval(50);
    // The wizard's ten timers live with the wizard.
}

void MainWindow::startUp()
{
    showAtStart();

    connection_->paintScanStatus();
    const auto outcome = session_.connection().autodetect();
    connection_->applyOutcome(outcome);
    if (!outcome.connected) {
        showDefaultSet();
        // The pages are not the car's: the fitter must not take them for it.
        showStatus(1, StatusText([outcome] { return defaultSetStatusText(outcome); }));
    }
    pages_->showGroups();
    // The program always starts in Polish.
    choosePolish();
    if (!fileMemory_->settingsNotice().isEmpty())
        showSettingsNotice();
    if (const QString notice = portProblemNotice(outcome, session_.portMap()); !notice.isEmpty())
        dialogs_.showMessage(notice);
}

void MainWindow::showAtStart()
{
    pages_->initialiseControls();
    (void)params::scaleTables();
    setWindowTitle(texts::titlePrefix);
    // On screen before the scan, which can take a few seconds.
    show();
    QApplication::processEvents();
    // 933 x 677 is the outer size; the frame is known once shown.
    if (startFrame_)
        placeFrame(*startFrame_);
    else
        placeOnScreen(initialWindowSize, true);
    QApplication::processEvents();
}

void MainWindow::showDefaultSet()
{
    session_.state().loadDefaults();
    pages_->showParameters();
}

void MainWindow::stopAllTimers()
{
    liveTimer_->stop();
    livePage_->stopTrace();
    if (wizard_)
        wizard_->stopAllTimers();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (currentPage_ == TabAuto)
        recordLeftWizard();
    session_.port().close();
    stopAllTimers();
    QMainWindow::closeEvent(event);
}

void MainWindow::choosePolish()
{
    language_->choosePolish();
}

void MainWindow::chooseRussian()
{
    language_->chooseRussian();
}

void MainWindow::helpF1Click()
{
    language_->showHelp();
}

WizardController& MainWindow::wizard() const
{
    // Building is no change a caller holding a const window can see.
    return const_cast<MainWindow*>(this)->buildWizard();
}

live::LivePage& MainWindow::livePage() const
{
    livePage_->layOutIfDue();
    return *livePage_;
}

HelpViewer* MainWindow::helpViewer() const
{
    return language_->helpViewer();
}

LiveRecordingControl& MainWindow::recording() const
{
    return menus_->recording();
}

TextKeyApplier& MainWindow::textKeys() const
{
    return language_->textKeys();
}

QString MainWindow::statusText(int line) const
{
    return statusBars_[static_cast<std::size_t>(line - 1)]->currentMessage();
}

void MainWindow::showSettingsNotice()
{
    // Composed anew from the slots, so that a change of language says it again.
    showStatus(2, StatusText([this] { return fileMemory_->settingsNotice(); }));
}

void MainWindow::showStatus(int line, const StatusText& text)
{
    statusLines_.show(line, text);
}

}  // namespace dravinor::ui
