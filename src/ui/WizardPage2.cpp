#include "WizardWidgets.h"

#include "HorizontalBar.h"
#include "InstrumentColor.h"

#include <QLabel>

namespace dravinor::ui {

using live::bgrColor;
namespace bgr = live::bgr;

namespace {

const QString unmeasured = QStringLiteral("......");

void hide(QWidget* widget)
{
    widget->hide();
}

// PanelAA2_2's first row set: the three TPS voltages, shown from the start.
void addTpsRows(WizardWidgets& w, QWidget* page)
{
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
}

// The other two row sets, hidden until their phase: the lambda threshold
// and the emulation times.
void addLambdaRows(WizardWidgets& w, QWidget* page)
{
    hide(w.title(page, "TUPsl_AA_P2", QStringLiteral("Trwa ustawianie parametrów sondy lambda")));
    hide(w.label(page, "Uboga_AA_P3", QStringLiteral("Uboga")));
    hide(w.panel(page, "UbogaEDAA_P3", unmeasured));
    hide(w.label(page, "Prog_AA_P3", QStringLiteral("Próg")));
    hide(w.panel(page, "ProgEDAA_P3", unmeasured));
    hide(w.label(page, "Bogata_AA_P3", QStringLiteral("Bogata")));
    hide(w.panel(page, "BogataEDAA_P3", unmeasured));

    hide(w.title(page, "TUEsl_AA_P2", QStringLiteral("Trwa ustawianie emulacji sondy lambda")));
    hide(w.label(page, "TH_AA_P3", QStringLiteral("TH")));
    hide(w.panel(page, "THEDAA_P3", unmeasured));
    hide(w.label(page, "TL_AA_P3", QStringLiteral("TL")));
    hide(w.panel(page, "TLEDAA_P3", unmeasured));
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
    w.add(lambda, "Bar1P3");
    hide(w.label(page, "V0_AA_P3", QStringLiteral("0 V")));
    QLabel* top = w.label(page, "V5_AA_P3", QStringLiteral("1 V"));
    top->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    top->hide();
}

// PanelAA2_1: what is done, LED by LED, and the narrow-probe notice.
void addDoneList(WizardWidgets& w, QWidget* page)
{
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
    hide(w.label(page, "JakiTps_AA_P2", QString()));
    QLabel* narrow = w.label(page, "USLabel_AA_P3", QStringLiteral("Uwaga sonda posiada mały zakres regulacji"));
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
    w.label(page, "PPNMLabel_AA_P2", QStringLiteral("Proszę ustawic obroty biegu jalowego"))->hide();
    w.label(page, "PPNDLabel_AA_P2", QStringLiteral("Proszę ustawic obroty powyżej 3000 rpm"))->hide();
    w.rpmDial(page, "Manometr_RPMAA_P2");
    w.panel(page, "Manometr_RPMEDAA_P2");

    w.frame(page, "PanelAA2_2");
    addTpsRows(w, page);
    addLambdaRows(w, page);
    addCalibrationBar(w, page);
    w.label(page, "PostepLabel_AA_P2", QStringLiteral("postęp:"));
    w.progressBar(page, "Bar1P2", 100, 100.0f, QStringLiteral("%"));

    addDoneList(w, page);
    w.nextButton(page, "AAP2_Dalej", QStringLiteral("DALEJ->(F10)"));
    w.lineNotices(page, "SNOLabel_AA_P2", "LNLabel_AA_P2");
    // A lambda probe the lambda phases found failed; its words come with it.
    w.notice(page, "NSLabel_AA_P2", QString());
}

}  // namespace dravinor::ui
