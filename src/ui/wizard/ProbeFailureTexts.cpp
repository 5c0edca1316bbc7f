#include "ui/wizard/ProbeFailureTexts.h"

#include "lang/ShownNumbers.h"
#include "lang/TextSlots.h"

namespace dravinor::ui {

namespace {

QString slotText(int key)
{
    return QString::fromStdString(lang::textSlots().text(key));
}

QString volts(float value)
{
    return QString::fromStdString(lang::decimalText(value, 2));
}

// A slot that takes the verdict and the lowest and highest voltage.
QString withFigures(int key, const diagnostics::ProbeHealthFigures& figures)
{
    return slotText(key).arg(slotText(lang::slot::probeVerdict + static_cast<int>(figures.verdict)),
                             volts(figures.minVolts), volts(figures.maxVolts));
}

}  // namespace

QString probeFailureNotice(const wizard::ProbeFailure& failure)
{
    QString text = withFigures(lang::slot::adaptationProbeFailed, failure.figures);
    switch (failure.decision) {
    case wizard::ProbeDecision::Pending: break;
    case wizard::ProbeDecision::WentOn: text += u' ' + slotText(lang::slot::adaptationProbeWentOn); break;
    case wizard::ProbeDecision::Stopped: text += u' ' + slotText(lang::slot::adaptationProbeStopped); break;
    }
    return text;
}

QString probeFailureQuestion(const diagnostics::ProbeHealthFigures& figures)
{
    return withFigures(lang::slot::adaptationProbeQuestion, figures);
}

}  // namespace dravinor::ui
