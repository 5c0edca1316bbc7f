#include "ui/wizard/WizardWidgets.h"

#include <QFont>
#include <QLabel>

namespace dravinor::ui {

using enum wizard::WizardControl;

// AA5 "Zakres pracy attuatora": the actuator's settling positions above
// the TPS threshold and at idle, and the ranges derived from them.
void buildWizardPage5(WizardWidgets& w, QWidget* page)
{
    w.label(page, ActuatorAbovePrompt)->hide();
    w.label(page, ActuatorIdlePrompt)->hide();
    w.rpmDial(page, ActuatorRpmDial);
    w.panel(page, ActuatorRpmPanel);
    w.title(page, ActuatorTitle);
    for (const auto heading : {ActuatorMinimumHeading, ActuatorMaximumHeading, ActuatorStartHeading})
        w.label(page, heading)->setAlignment(Qt::AlignCenter);
    const QString unmeasured = QStringLiteral("......");
    w.label(page, AboveTpsRowCaption);
    for (const auto panel : {AboveTpsMinimumPanel, AboveTpsMaximumPanel, AboveTpsStartPanel})
        w.panel(page, panel, unmeasured);
    w.label(page, IdleRowCaption);
    for (const auto panel : {IdleMinimumPanel, IdleMaximumPanel, IdleStartPanel})
        w.panel(page, panel, unmeasured);
    w.label(page, ActuatorProgressCaption);
    w.progressBar(page, ActuatorProgress, 100, 100.0f, QStringLiteral("%"));

    w.label(page, ActuatorDoneHeading);
    w.doneRows(page, {{AboveTpsLed, AboveTpsDone}, {IdleLed, IdleDone}});
    QLabel* done = w.label(page, FinishedNotice);
    QFont bold = done->font();
    bold.setBold(true);
    done->setFont(bold);
    done->hide();
    w.nextButton(page, FinishButton);
    w.notice(page, ActuatorNoAnswer);
    w.notice(page, ActuatorUnreliableLine);
}

}  // namespace dravinor::ui
