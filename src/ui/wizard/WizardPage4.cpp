#include "ui/wizard/WizardWidgets.h"

#include "live/LivePictures.h"
#include "live/widgets/HorizontalBar.h"
#include "live/widgets/InstrumentColor.h"

#include <QLabel>
#include <QToolButton>

namespace dravinor::ui {

using live::bgrColor;
namespace bgr = live::bgr;
using enum wizard::WizardControl;

// AA4 "Regulacja reduktora": onto gas, then the reducer at idle until the
// mixture reads rich long enough.
void buildWizardPage4(WizardWidgets& w, QWidget* page)
{
    w.wrappedLabel(page, ReducerInstructions);
    w.label(page, StartOnGasPrompt);
    w.rpmDial(page, ReducerRpmDial);
    w.panel(page, ReducerRpmPanel);

    auto* fuelSwitch = new QToolButton(page);
    fuelSwitch->setAutoRaise(true);
    fuelSwitch->setFocusPolicy(Qt::StrongFocus);  // Space presses it
    fuelSwitch->setIcon(QIcon(live::fuelSwitchPicture(live::FuelGlyph::Automatic)));
    w.add(fuelSwitch, FuelSwitch);
    w.label(page, FuelSwitchCaption);

    // The lambda bar: LED style in its sector colours, 0..255 until the
    // probe type sets its range; lean and rich captions at its ends.
    auto* lambda = new live::HorizontalBar(page);
    lambda->setDigitalTo(255);
    lambda->setValueFrom(0);
    lambda->setValueTo(255.0f);
    lambda->setLedStyle(true);
    lambda->setSectorColors(true);
    lambda->setSector(0, 0, 500, bgrColor(bgr::green));
    lambda->setSector(1, 501, 502, bgrColor(bgr::green));
    lambda->setSector(2, 503, 1000, bgrColor(bgr::red));
    lambda->setLimits(0.0001f, 255);
    w.add(lambda, ReducerLambdaBar);
    w.label(page, ReducerLeanCaption);
    w.panel(page, ReducerProbePanel);
    w.label(page, ReducerRichCaption);
    w.label(page, ReducerProgressCaption);
    w.progressBar(page, ReducerProgress, 100, 3.0f, QString());

    w.label(page, ReducerDoneHeading);
    w.doneRows(page, {{GasLed, GasDone}, {ReducerLed, ReducerDone}});
    w.nextButton(page, ReducerNext);
    w.notice(page, ReducerNoAnswer);
    w.notice(page, ReducerUnreliableLine);
    // A caption the language files may name; no step of the wizard shows it.
    w.label(page, "PCLabel_AA_P4", QString())->hide();
}

}  // namespace dravinor::ui
