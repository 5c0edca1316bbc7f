#include "ui/window/MainWindow.h"

#include "live/LivePage.h"
#include "params/ControllerSession.h"
#include "ui/book/CarBookHandOver.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/pages/ParameterPages.h"
#include "ui/window/WindowTexts.h"
#include "ui/wizard/AdaptationRefusal.h"
#include "ui/wizard/WizardController.h"

#include <QEvent>
#include <QMouseEvent>
#include <QProgressBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

namespace dravinor::ui {

void MainWindow::setPageQuietly(int index)
{
    changingPageQuietly_ = true;
    pageControl_->setCurrentIndex(index);
    currentPage_ = index;
    changingPageQuietly_ = false;
}

bool MainWindow::confirmLeavingWizard()
{
    if (currentPage_ != TabAuto)
        return true;
    if (!dialogs_.askYesNo(texts::leaveWizardQuestion))
        return false;
    recordLeftWizard();
    return true;
}

void MainWindow::switchToPage(Page page)
{
    if (!confirmLeavingWizard())
        return;
    stopAllTimers();
    setPageQuietly(page);
    activatePage();
}

void MainWindow::startAutoAdaptation()
{
    stopAllTimers();
    setPageQuietly(TabAuto);
    activatePage();
}

void MainWindow::onCurrentPageChanged(int index)
{
    if (changingPageQuietly_)
        return;
    // A change by mouse was confirmed in the tab bar's filter; one by
    // keyboard (Ctrl+Tab) is confirmed here, and undone on No.
    if (index != TabAuto && !confirmLeavingWizard()) {
        setPageQuietly(TabAuto);
        return;
    }
    currentPage_ = index;
    activatePage();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched == pageControl_->widget(TabAuto))
        buildWizard();
    if (watched == pageControl_->tabBar() && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        const int target = pageControl_->tabBar()->tabAt(press->position().toPoint());
        if (target < 0 || target == currentPage_)
            return false;
        if (!confirmLeavingWizard())
            return true;  // the wizard stays
        currentPage_ = target;
        setPageQuietly(target);
        activatePage();
        return true;
    }
    if (event->type() == QEvent::Resize) {
        for (std::size_t line = 0; line < 2; ++line) {
            auto* page = statusBars_[line]->parentWidget();
            if (watched != page)
                continue;
            // The status line and its progress bar share the page's foot.
            const QRect foot(0, page->height() - 19, page->width(), 19);
            statusBars_[line]->setGeometry(foot);
            progressBars_[line]->setGeometry(foot);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::activatePage()
{
    currentPage_ = pageControl_->currentIndex();
    switch (currentPage_) {
    case TabPar1:
        autoTab_->setCurrentIndex(0);
        stopAllTimers();
        if (QWidget* field = pageControl_->widget(TabPar1)->findChild<QWidget*>("PRLambda"))
            field->setFocus(Qt::OtherFocusReason);
        break;
    case TabPar2:
        autoTab_->setCurrentIndex(0);
        stopAllTimers();
        break;
    case TabViz: {
        autoTab_->setCurrentIndex(0);
        stopAllTimers();
        const QSize outer = frameGeometry().size();
        livePage_->startLiveView(outer.width(), outer.height());
        break;
    }
    case TabAuto: enterWizardPage(); break;
    default: break;
    }
}

void MainWindow::enterWizardPage()
{
    autoTab_->setTabVisible(0, false);
    stopAllTimers();
    // Nothing is reset on a controller whose set was not wholly read: the
    // reset keeps its temperature-sensor setting from that read.
    const auto refusal = adaptationRefusal(session_.port().controllerConnected(), session_.lastRead());
    if (refusal)
        dialogs_.showMessage(*refusal);
    if (refusal || !dialogs_.askYesNoTitled(texts::enterWizardCaption, texts::enterWizardQuestion)) {
        // The next entry starts at the first step: only its tab stays.
        autoTab_->setTabVisible(0, true);
        for (int page = 1; page < autoTab_->count(); ++page)
            autoTab_->setTabVisible(page, false);
        setPageQuietly(TabPar1);
        if (QWidget* field = pageControl_->widget(TabPar1)->findChild<QWidget*>("PRLambda"))
            field->setFocus(Qt::OtherFocusReason);
        return;
    }
    autoTab_->setTabVisible(0, true);
    for (int page = 1; page < autoTab_->count(); ++page)
        autoTab_->setTabVisible(page, false);
    autoTab_->setCurrentIndex(0);
    // The reset of the parameters and step 1.
    wizard().start();
}

void MainWindow::wizardNextKey()
{
    if (currentPage_ == TabAuto)
        wizard().next();
}

void MainWindow::leaveFinishedWizard()
{
    // The wizard is done: no leave question, no page entry.
    carBook_->afterAdaptation(wizard_->engine().result());
    setPageQuietly(TabPar1);
    if (QWidget* field = pageControl_->widget(TabPar1)->findChild<QWidget*>("PRLambda"))
        field->setFocus(Qt::OtherFocusReason);
}

}  // namespace dravinor::ui
