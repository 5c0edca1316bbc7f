#pragma once

#include "params/LiveCsv.h"
#include "params/ParameterTransfer.h"
#include "ui/status/StatusLines.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QProgressBar;
class QStatusBar;
class QTabWidget;
class QTimer;

namespace dravinor::params {
class ControllerSession;
}
namespace dravinor::live {
class LivePage;
}

namespace dravinor::ui {

class CarBookHandOver;
class ConnectionPresenter;
class Dialogs;
class FileMemory;
class HelpViewer;
class LiveRecordingControl;
class LiveReplayControl;
class JournalWindow;
class LanguageChoice;
class ParameterPages;
class ReportDialog;
class ReconnectWatch;
class TextKeyApplier;
class WindowPlacement;
class WindowMenus;
class WizardController;

// Form1: the one window of the program. It holds the pages, the status
// lines and the timers, switches pages and runs the file buttons; its menus
// (WindowMenus), language (LanguageChoice), connection's texts
// (ConnectionPresenter) and reconnection (ReconnectWatch) have owners of their own.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    enum Page { TabPar1, TabPar2, TabViz, TabAuto };

    // dialogs may be null: real message boxes are used then.
    explicit MainWindow(params::ControllerSession& session, Dialogs* dialogs = nullptr);
    ~MainWindow() override;

    // Start-up: shows the window, finds the controller (or takes the
    // default set), fills the pages.
    void startUp();
    // Start-up for `--replay`: no port is scanned or opened, the pages show
    // the default set, the ports menu is off and the live page plays the
    // recording.
    void startReplay(const QString& fileName, std::vector<params::LiveSample> samples);
    // Where the window stands at start-up, frame included, instead of the
    // screen's centre (the demo puts its engine panel beside it).
    void setStartFrame(const QRect& outer);

    void stopAllTimers();
    void activatePage();
    // The menu's page switch (F2..F4): asks before leaving the wizard.
    void switchToPage(Page page);
    // F5: the wizard's entry.
    void startAutoAdaptation();

    // The language menu's two items, "polski" and "rosyjski", and F1, the
    // current language's help (LanguageChoice).
    void choosePolish();
    void chooseRussian();
    void helpF1Click();
    HelpViewer* helpViewer() const;
    // "Dziennik zmian" (MainWindowJournal.cpp).
    void showJournal();
    JournalWindow* journalWindow() const { return journalWindow_; }
    // "Książka serwisowa" (MainWindowBook.cpp); null in a build without the book.
    void showCarBook();
    CarBookHandOver* carBook() const { return carBook_; }
    TextKeyApplier& textKeys() const;

    QTabWidget* pageControl() const { return pageControl_; }
    // Built and laid out for the window's size, even while hidden.
    live::LivePage& livePage() const;
    // The wizard's pages are built when first shown or asked for.
    WizardController& wizard() const;
    LiveRecordingControl& recording() const;
    // The folders and files remembered between runs.
    FileMemory& fileMemory() const { return *fileMemory_; }
    // Null unless replaying.
    LiveReplayControl* replay() const { return replay_; }
    // Follows the controller through an unplugged adapter.
    ReconnectWatch& reconnectWatch() const { return *reconnect_; }
    QString statusText(int line) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Building (MainWindow.cpp).
    void buildPages();
    void buildStatusLines();
    // The menus (WindowMenus) and the language choice their items drive.
    void buildMenus();
    // The reconnect watch and the connection's presenter.
    void buildConnection();
    void buildTimers();
    // The wizard and its pages, once; the window's language put on them.
    WizardController& buildWizard();
    // The language's words put on a page built after it was chosen.
    bool applyLanguageTo(QWidget* lateBuiltPage);
    void showAtStart();
    void showDefaultSet();

    // Files and bulk writes (MainWindowFiles.cpp).
    // What a file save or load did, on both status lines.
    void showFileStatus(const QString& text);
    void showStatus(int line, const StatusText& text);
    // Why the window's settings file is not used, on the file buttons' page.
    void showSettingsNotice();
    // Both status lines: the button that started a bulk write may be on either page.
    void showBulkWriteResult(const params::BulkWriteOutcome& outcome);
    void resetParameters();
    void writeAllParameters();
    void saveParameterFile();
    void loadParameterFile();
    // Loads the file and writes it; askFirst asks before anything is changed.
    void loadParameterFileFrom(const QString& path, bool askFirst);
    // An item of "Ostatnie pliki": loaded as "Odczyt z pliku" loads it, once
    // the fitter has said yes (MainWindowFiles.cpp).
    void loadRecentFile(const QString& path);
    bool confirmRecentFile(const QString& path, const params::ParameterBlock& loaded);
    // The question before any whole set is written, with its count of changes
    // and whether a backup is ahead; then the set written as "Zapis wszystkich" writes it.
    bool confirmWholeSet(const QString& question, const params::ParameterBlock& set);
    void writeWholeSet(const params::ParameterBlock& set, const QString& question);
    // The car book's hand-over, made at start (the book itself is opened on
    // first use), its menu command (none without the book), its texts in a
    // new language, and the report dialog's car details and saved reports.
    void buildCarBook();
    void redrawCarBook();
    void lendCarBookTo(ReportDialog& dialog);
    // The wizard left before its end: what it measured so far.
    void recordLeftWizard();
    void destroyCarBook();
    // "Porównaj z plikiem…" (MainWindowCompare.cpp).
    void compareWithFile();

    // Pages (MainWindowPages.cpp).
    void onCurrentPageChanged(int index);
    void setPageQuietly(int index);
    bool confirmLeavingWizard();
    void enterWizardPage();
    void wizardNextKey();
    void leaveFinishedWizard();

    // Size and layout (MainWindowLayout.cpp).
    void chooseResolution(QSize outer);
    // The available area of the window's screen.
    QRect screenArea() const;
    // Sets an outer size no larger than the screen's area and keeps the
    // window on it (centred there when asked).
    void placeOnScreen(QSize outer, bool centred);
    void placeFrame(const QRect& wanted);
    void layoutPages();
    void fitPageCaptions(QSize outer);

    params::ControllerSession& session_;
    std::unique_ptr<Dialogs> ownDialogs_;
    Dialogs& dialogs_;
    QTabWidget* pageControl_ = nullptr;
    QTabWidget* autoTab_ = nullptr;
    std::unique_ptr<ParameterPages> pages_;
    live::LivePage* livePage_ = nullptr;
    std::array<QStatusBar*, 2> statusBars_{};
    StatusLines statusLines_;
    std::array<QProgressBar*, 2> progressBars_{};
    std::unique_ptr<WindowMenus> menus_;
    std::unique_ptr<LanguageChoice> language_;
    JournalWindow* journalWindow_ = nullptr;
    QTimer* liveTimer_ = nullptr;
    WizardController* wizard_ = nullptr;
    std::optional<int> probeType_;  // RSLambda's item, once set: a wizard built later takes it
    LiveReplayControl* replay_ = nullptr;
    int currentPage_ = TabPar1;
    bool changingPageQuietly_ = false;
    QSize requestedResolution_;
    std::optional<QRect> startFrame_;
    FileMemory* fileMemory_ = nullptr;
    ReconnectWatch* reconnect_ = nullptr;
    WindowPlacement* placement_ = nullptr;
    std::unique_ptr<ConnectionPresenter> connection_;
    // Owned; made and deleted in MainWindowBook.cpp, where a build without
    // the book has no such class to delete.
    CarBookHandOver* carBook_ = nullptr;
};

}  // namespace dravinor::ui
