#include "WizardWidgets.h"

#include "HorizontalBar.h"
#include "InstrumentColor.h"

#include <QLabel>

namespace dravinor::ui {

using live::bgrColor;
namespace bgr = live::bgr;

// AA2 "Ustalenie progu TPS i kalibracja sondy": the TPS thresholds, the
// lambda threshold and the emulation times. The three row sets of
// PanelAA2_2 take turns in the same places.
void buildWizardPage2(WizardWidgets& w, QWidget* page)
{
    w.label(page, "PPNMLabel_AA_P2", QStringLiteral("Proszę ustawic obroty biegu jalowego"))->hide();
    w.label(page, "PPNDLabel_AA_P2", QStringLiteral("Proszę ustawic obroty powyżej 3000 rpm"))->hide();
    w.rpmDial(page, "Manometr_RPMAA_P2");
    w.panel(page, "Manometr_RPMEDAA_P2");

    w.frame(page, "PanelAA2_2");
    const QString unmeasured = QStringLiteral("......");
    w.title(page, "TUPtps_AA_P2", QStringLiteral("Trwa ustawianie parametrow TPS"));
    w.label(page, "TPSdol_AA_P2", QStringLiteral("TPS - dolny"));
    w.panel(page, "TPSDolEDAA_P2", unmeasured);
    w.label(page, "Vdol_AA_P2", QStringLiteral("V"));
    w.label(page, "TPSprg_AA_P2", QStringLiteral("TPS - Próg"));
    w.panel(page, "TPSProEDAA_P2", unmeasured);
    w.label(page, "Vprog_AA_P2", QStringLiteral("V"));
    w.label(page, "TPSgor_AA_P2", QStringLiteral("TPS - górny"));
    w.panel(page, "TPSGorEDAA_P2", unmeasured);
    w.label(page, "Vgora_AA_P2", QStringLiteral("V"));

    const auto hidden = [](QWidget* widget) { widget->hide(); };
    hidden(w.title(page, "TUPsl_AA_P2", QStringLiteral("Trwa ustawianie parametrów sondy lambda")));
    hidden(w.label(page, "Uboga_AA_P3", QStringLiteral("Uboga")));
    hidden(w.panel(page, "UbogaEDAA_P3", unmeasured));
    hidden(w.label(page, "Prog_AA_P3", QStringLiteral("Próg")));
    hidden(w.panel(page, "ProgEDAA_P3", unmeasured));
    hidden(w.label(page, "Bogata_AA_P3", QStringLiteral("Bogata")));
    hidden(w.panel(page, "BogataEDAA_P3", unmeasured));

    hidden(w.title(page, "TUEsl_AA_P2", QStringLiteral("Trwa ustawianie emulacji sondy lambda")));
    hidden(w.label(page, "TH_AA_P3", QStringLiteral("TH")));
    hidden(w.panel(page, "THEDAA_P3", unmeasured));
    hidden(w.label(page, "TL_AA_P3", QStringLiteral("TL")));
    hidden(w.panel(page, "TLEDAA_P3", unmeasured));

    // The calibration bar: LED style in lime, its sectors drawn but not
    // used for the bar's colour; the probe type sets its range and labels.
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
    w.add(lambda, "Bar1P3");
    hidden(w.label(page, "V0_AA_P3", QStringLiteral("0 V")));
    QLabel* top = w.label(page, "V5_AA_P3", QStringLiteral("1 V"));
    top->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    top->hide();

    w.label(page, "PostepLabel_AA_P2", QStringLiteral("postęp:"));
    w.progressBar(page, "Bar1P2", 100, 100.0f, QStringLiteral("%"));

    w.frame(page, "PanelAA2_1");
    w.label(page, "WykonanoLabel_AA_P2", QStringLiteral("Wykonano:"));
    w.led(page, "AutoFaz2Led1");
    w.doneLabel(page, "TPSPonLabel_AA_P2", QStringLiteral("Próg TPS na wolnych obrotach ustawiony"));
    w.led(page, "AutoFaz2Led2");
    w.doneLabel(page, "TPSPowLabel_AA_P2", QStringLiteral("Próg TPS na wysokich obrotach ustawiony"));
    w.led(page, "AutoFaz3Led1");
    w.doneLabel(page, "SSLabel_AA_P3", QStringLiteral("Próg sondy ustawiony"));
    w.led(page, "AutoFaz3Led2");
    w.doneLabel(page, "CSLabel_AA_P3", QStringLiteral("Czasy emulacji ustawione"));
    hidden(w.label(page, "JakiTps_AA_P2", QString()));
    QLabel* narrow = w.label(page, "USLabel_AA_P3", QStringLiteral("Uwaga sonda posiada mały zakres regulacji"));
    QPalette palette = narrow->palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    narrow->setPalette(palette);
    narrow->hide();
    w.nextButton(page, "AAP2_Dalej", QStringLiteral("DALEJ->(F10)"));
    w.lineNotices(page, "SNOLabel_AA_P2", "LNLabel_AA_P2");
}

}  // namespace dravinor::ui
