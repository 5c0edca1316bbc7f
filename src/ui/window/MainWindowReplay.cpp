#include "ui/window/MainWindow.h"

#include "live/LivePage.h"
#include "ui/pages/ParameterPages.h"
#include "ui/recording/LiveReplayControl.h"
#include "ui/window/WindowMenus.h"

#include <QAction>
#include <QMenu>

namespace dravinor::ui {

void MainWindow::startReplay(const QString& fileName, std::vector<params::LiveSample> samples)
{
    showAtStart();
    // Nothing may reach a port: no scan, and no way to start one. Edits on
    // the parameter pages find no open port and are refused as usual.
    menus_->portsMenu()->setEnabled(false);
    showDefaultSet();
    pages_->showGroups();
    replay_ = new LiveReplayControl(menus_->pauseReplayItem(), *livePage_, fileName, std::move(samples));
    choosePolish();
    switchToPage(TabViz);
}

}  // namespace dravinor::ui
