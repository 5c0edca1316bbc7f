#include "ui/window/MainWindow.h"

#include "live/LivePage.h"
#include "ui/pages/ParameterPages.h"
#include "ui/recording/LiveReplayControl.h"

#include <QAction>
#include <QMenu>

namespace dravinor::ui {

void MainWindow::startReplay(const QString& fileName, std::vector<params::LiveSample> samples)
{
    showAtStart();
    // Nothing may reach a port: no scan, and no way to start one. Edits on
    // the parameter pages find no open port and are refused as usual.
    if (QMenu* ports = findChild<QMenu*>("ports"))
        ports->setEnabled(false);
    showDefaultSet();
    pages_->showGroups();
    replay_ =
        new LiveReplayControl(findChild<QAction*>("WstrzymajOdtwarzanie"), *livePage_, fileName, std::move(samples));
    choosePolish();
    switchToPage(TabViz);
}

}  // namespace dravinor::ui
