#include "WizardWidgets.h"

#include <QFont>
#include <QLabel>

namespace dravinor::ui {

// AA5 "Zakres pracy attuatora": the actuator's settling positions above
// the TPS threshold and at idle, and the ranges derived from them.
void buildWizardPage5(WizardWidgets& w, QWidget* page)
{
    w.label(page, "PUOLabel_AA_P5", QStringLiteral("Proszę ustawić obroty powyżej 2000 rpm"))->hide();
    w.label(page, "PUWLabel_AA_P5", QStringLiteral("Proszę ustawić wolne obroty"))->hide();
    w.rpmDial(page, "Manometr_RPMAA_P5");
    w.panel(page, "Manometr_RPMEDAA_P5");
    w.title(page, "TUPSK_AA_P5", QStringLiteral("Trwa ustawianie parametrów silnika krokowego"));
    for (const auto& [name, text] : {std::pair{"Min_AA_P5", "Min"}, {"Max_AA_P5", "Max"}, {"Start_AA_P5", "Start"}})
        w.label(page, name, QString::fromLatin1(text))->setAlignment(Qt::AlignCenter);
    const QString unmeasured = QStringLiteral("......");
    w.label(page, "Label2", QStringLiteral("TPS Pow"));
    for (const char* name : {"MinPOWEDAA_P5", "MaxPOWEDAA_P5", "StartPOWEDAA_P5"})
        w.panel(page, name, unmeasured);
    w.label(page, "Label1", QStringLiteral("TPS Pon"));
    for (const char* name : {"MinPONEDAA_P5", "MaxPONEDAA_P5", "StartPONEDAA_P5"})
        w.panel(page, name, unmeasured);
    w.label(page, "PostepLabel_AA_P4", QStringLiteral("Postęp:"));
    w.progressBar(page, "Bar1P5", 100, 100.0f, QStringLiteral("%"));

    w.label(page, "WykonanoLabel_AA_P4", QStringLiteral("Wykonano:"));
    w.led(page, "AutoFaz5Led1");
    w.doneLabel(page, "UTPOW_AA_P5", QStringLiteral("Ustawiono tps powyzej"));
    w.led(page, "AutoFaz5Led2");
    w.doneLabel(page, "UTPON_AA_P5", QStringLiteral("Ustawiono tps ponizej"));
    QLabel* done = w.label(page, "ZA_AA_P5", QStringLiteral("Zakończono autoadaptację"));
    QFont bold = done->font();
    bold.setBold(true);
    done->setFont(bold);
    done->hide();
    w.nextButton(page, "AAP5_Koniec", QStringLiteral("KONIEC->(F10)"));
    w.lineNotices(page, "SNOLabel_AA_P5", "LNLabel_AA_P5");
}

}  // namespace dravinor::ui
