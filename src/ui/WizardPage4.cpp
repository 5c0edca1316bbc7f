#include "WizardWidgets.h"

#include "HorizontalBar.h"
#include "InstrumentColor.h"
#include "LivePictures.h"

#include <QLabel>
#include <QToolButton>

namespace dravinor::ui {

using live::bgrColor;
namespace bgr = live::bgr;

// AA4 "Regulacja reduktora": onto gas, then the reducer at idle until the
// mixture reads rich long enough.
void buildWizardPage4(WizardWidgets& w, QWidget* page)
{
    w.wrappedLabel(page, "PPNLabel_AA_P4",
                   QStringLiteral("Proszę zaczekać do momentu nagrzania sie sondy lambda i regulować reduktor na "
                                  "wolnych obrotach aż do osiągnięcia mieszanki bogatej"));
    w.label(page, "PPNALabel_AA_P4", QStringLiteral("Prosze uruchomić silnik i przejść na gaz"));
    w.rpmDial(page, "Manometr_RPMAA_P4");
    w.panel(page, "Manometr_RPMEDAA_P4");

    auto* fuelSwitch = new QToolButton(page);
    fuelSwitch->setAutoRaise(true);
    fuelSwitch->setFocusPolicy(Qt::StrongFocus);  // Space presses it
    fuelSwitch->setIcon(QIcon(live::fuelSwitchPicture(live::FuelGlyph::Automatic)));
    w.add(fuelSwitch, "SwitchAUTO");
    w.label(page, "ZZBGLabel_AA_P4", QStringLiteral("zmiana zasilania B/G"));

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
    w.add(lambda, "Bar1P4");
    w.label(page, "Uboga_AA_P4", QStringLiteral("Uboga"));
    w.panel(page, "SondaEDAA_P4");
    w.label(page, "Bogata_AA_P4", QStringLiteral("Bogata"));
    w.label(page, "PostepLabel_AA_P3", QStringLiteral("postęp:"));
    w.progressBar(page, "Bar1P4_0", 100, 3.0f, QString());

    w.label(page, "WykonanoLabel_AA_P3", QStringLiteral("Wykonano:"));
    w.led(page, "AutoFaz4Led1");
    w.doneLabel(page, "ZL_AA_P4", QStringLiteral("Zasilanie LPG"));
    w.led(page, "AutoFaz4Led2");
    w.doneLabel(page, "UR_AA_P4", QStringLiteral("Ustawiono reduktor na wolnych obrotach"));
    w.nextButton(page, "AAP4_Dalej", QStringLiteral("DALEJ->(F10)"));
    w.lineNotices(page, "SNOLabel_AA_P4", "LNLabel_AA_P4");
    // A caption the language files may name; no step of the wizard shows it.
    w.label(page, "PCLabel_AA_P4", QString())->hide();
}

}  // namespace dravinor::ui
