#include "ui/wizard/WizardWidgets.h"

#include "live/widgets/HorizontalBar.h"
#include "live/widgets/InstrumentColor.h"

#include <QLabel>

namespace dravinor::ui {

using live::bgrColor;
namespace bgr = live::bgr;
using enum wizard::WizardControl;

namespace {

const QString unmeasured = QStringLiteral("......");

void hide(QWidget* widget)
{
    widget->hide();
}

// PanelAA2_2's first row set: the three TPS voltages, shown from the start.
void addTpsRows(WizardWidgets& w, QWidget* page)
{
    w.title(page, TpsTitle);
    w.label(page, TpsIdleCaption);
    w.panel(page, TpsIdlePanel, unmeasured);
    w.label(page, TpsIdleUnit);
    w.label(page, TpsThresholdCaption);
    w.panel(page, TpsThresholdPanel, unmeasured);
    w.label(page, TpsThresholdUnit);
    w.label(page, TpsHighCaption);
    w.panel(page, TpsHighPanel, unmeasured);
    w.label(page, TpsHighUnit);
}

// The other two row sets, hidden until their phase: the lambda threshold
// and the emulation times.
void addLambdaRows(WizardWidgets& w, QWidget* page)
{
    hide(w.title(page, ProbeTitle));
    hide(w.label(page, LeanCaption));
    hide(w.panel(page, LeanPanel, unmeasured));
    hide(w.label(page, ProbeThresholdCaption));
    hide(w.panel(page, ProbeThresholdPanel, unmeasured));
    hide(w.label(page, RichCaption));
    hide(w.panel(page, RichPanel, unmeasured));

    hide(w.title(page, EmulationTitle));
    hide(w.label(page, RichTimeCaption));
    hide(w.panel(page, RichTimePanel, unmeasured));
    hide(w.label(page, LeanTimeCaption));
    hide(w.panel(page, LeanTimePanel, unmeasured));
}

// The calibration bar: LED style in lime, its sectors drawn but not used for
// the bar's colour; the probe type sets its range and labels.
void addCalibrationBar(WizardWidgets& w, QWidget* page)
{
    auto* lambda = new live::HorizontalBar(page);
    lambda->setDigitalTo(60);
    lambda->setValueFrom(0);
    lambda->setValueTo(60.0f);
    lambda->setLedStyle(true);
    lambda->setBarColor(bgrColor(bgr::lime));
    lambda->setSector(0, 0, 400, bgrColor(bgr::lime));
    lambda->setSector(1, 400, 600, bgrColor(bgr::yellow));
    lambda->setSector(2, 600, 1000, bgrColor(bgr::red));
    lambda->hide();
    w.add(lambda, LambdaBar);
    hide(w.label(page, ProbeScaleLow));
    QLabel* top = w.label(page, ProbeScaleHigh);
    top->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    top->hide();
}

// PanelAA2_1: what is done, LED by LED, and the narrow-probe notice.
void addDoneList(WizardWidgets& w, QWidget* page)
{
    w.frame(page, "PanelAA2_1");
    w.label(page, TpsPageDoneHeading);
    w.doneRows(page, {{TpsIdleLed, TpsIdleDone},
                      {TpsHighLed, TpsHighDone},
                      {ProbeThresholdLed, ProbeThresholdDone},
                      {EmulationLed, EmulationDone}});
    hide(w.label(page, TpsDirection));
    QLabel* narrow = w.label(page, NarrowProbeNotice);
    QPalette palette = narrow->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    narrow->setPalette(palette);
    narrow->hide();
}

}  // namespace

// AA2 "Ustalenie progu TPS i kalibracja sondy": the TPS thresholds, the
// lambda threshold and the emulation times. The three row sets of
// PanelAA2_2 take turns in the same places.
void buildWizardPage2(WizardWidgets& w, QWidget* page)
{
    w.label(page, TpsIdlePrompt)->hide();
    w.label(page, TpsHighPrompt)->hide();
    w.rpmDial(page, TpsPageRpmDial);
    w.panel(page, TpsPageRpmPanel);

    w.frame(page, "PanelAA2_2");
    addTpsRows(w, page);
    addLambdaRows(w, page);
    addCalibrationBar(w, page);
    w.label(page, TpsPageProgressCaption);
    w.progressBar(page, TpsPageProgress, 100, 100.0f, QStringLiteral("%"));

    addDoneList(w, page);
    w.nextButton(page, TpsPageNext);
    w.notice(page, TpsPageNoAnswer);
    w.notice(page, TpsPageUnreliableLine);
    // A lambda probe the lambda phases found failed; its words come with it.
    w.notice(page, FailedProbeNotice);
}

}  // namespace dravinor::ui
