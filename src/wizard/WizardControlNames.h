#pragma once

#include "wizard/WizardControl.h"
#include "wizard/WizardView.h"

#include <array>
#include <cstddef>

namespace dravinor::wizard {

// The objectName of the widget that stands for each of the wizard's controls,
// in WizardControl's order. These names are the language files' keys and
// the pages' layout names, so they never change.
inline constexpr std::array<const char*, wizardControlCount> wizardControlNames{
    "Manometr_RPMCOMBOAA_P1",  // IgnitionList
    "RSLAMBDA_COMBOAA_P1",     // ProbeList
    "WCTCheck_AA_P1",          // TemperatureSensorBox
    "Therm1l_AA_P1",           // Thermometer
    "Therm1ED_AA_P1",          // TemperaturePanel
    "Manometr_RPMAA_P1",       // StartRpmDial
    "Manometr_RPMEDAA_P1",     // StartRpmPanel
    "PUSLabel_AA_P1",          // StartInstructions
    "SNOLabel_AA_P1",          // StartNoAnswer
    "WRZ_Label_AA_P1",         // IgnitionListCaption
    "WRS_Label_AA_P1",         // ProbeListCaption
    "WykonanoLabel_AA_P1",     // StartDoneHeading
    "ZBLabel_AA_P1",           // PetrolDone
    "AutoFaz1Led1",            // PetrolLed
    "UUZLabel_AA_P1",          // IgnitionDone
    "AutoFaz1Led2",            // IgnitionLed
    "OOTLabel_AA_P1",          // TemperatureDone
    "AutoFaz1Led3",            // TemperatureLed
    "URSLabel_AA_P1",          // ProbeRangeDone
    "AutoFaz1Led4",            // ProbeRangeLed
    "AAP1_Dalej",              // StartNext
    "Manometr_RPMAA_P2",       // TpsPageRpmDial
    "Manometr_RPMEDAA_P2",     // TpsPageRpmPanel
    "Bar1P2",                  // TpsPageProgress
    "PPNMLabel_AA_P2",         // TpsIdlePrompt
    "PPNDLabel_AA_P2",         // TpsHighPrompt
    "TUPtps_AA_P2",            // TpsTitle
    "TPSdol_AA_P2",            // TpsIdleCaption
    "TPSDolEDAA_P2",           // TpsIdlePanel
    "Vdol_AA_P2",              // TpsIdleUnit
    "TPSprg_AA_P2",            // TpsThresholdCaption
    "TPSProEDAA_P2",           // TpsThresholdPanel
    "Vprog_AA_P2",             // TpsThresholdUnit
    "TPSgor_AA_P2",            // TpsHighCaption
    "TPSGorEDAA_P2",           // TpsHighPanel
    "Vgora_AA_P2",             // TpsHighUnit
    "JakiTps_AA_P2",           // TpsDirection
    "TUPsl_AA_P2",             // ProbeTitle
    "TUEsl_AA_P2",             // EmulationTitle
    "Bar1P3",                  // LambdaBar
    "V0_AA_P3",                // ProbeScaleLow
    "V5_AA_P3",                // ProbeScaleHigh
    "Uboga_AA_P3",             // LeanCaption
    "UbogaEDAA_P3",            // LeanPanel
    "Prog_AA_P3",              // ProbeThresholdCaption
    "ProgEDAA_P3",             // ProbeThresholdPanel
    "Bogata_AA_P3",            // RichCaption
    "BogataEDAA_P3",           // RichPanel
    "TH_AA_P3",                // RichTimeCaption
    "THEDAA_P3",               // RichTimePanel
    "TL_AA_P3",                // LeanTimeCaption
    "TLEDAA_P3",               // LeanTimePanel
    "USLabel_AA_P3",           // NarrowProbeNotice
    "NSLabel_AA_P2",           // FailedProbeNotice
    "SNOLabel_AA_P2",          // TpsPageNoAnswer
    "LNLabel_AA_P2",           // TpsPageUnreliableLine
    "PostepLabel_AA_P2",       // TpsPageProgressCaption
    "WykonanoLabel_AA_P2",     // TpsPageDoneHeading
    "TPSPonLabel_AA_P2",       // TpsIdleDone
    "AutoFaz2Led1",            // TpsIdleLed
    "TPSPowLabel_AA_P2",       // TpsHighDone
    "AutoFaz2Led2",            // TpsHighLed
    "SSLabel_AA_P3",           // ProbeThresholdDone
    "AutoFaz3Led1",            // ProbeThresholdLed
    "CSLabel_AA_P3",           // EmulationDone
    "AutoFaz3Led2",            // EmulationLed
    "AAP2_Dalej",              // TpsPageNext
    "Manometr_RPMAA_P4",       // ReducerRpmDial
    "Manometr_RPMEDAA_P4",     // ReducerRpmPanel
    "Bar1P4",                  // ReducerLambdaBar
    "Bar1P4_0",                // ReducerProgress
    "SondaEDAA_P4",            // ReducerProbePanel
    "Uboga_AA_P4",             // ReducerLeanCaption
    "Bogata_AA_P4",            // ReducerRichCaption
    "PPNLabel_AA_P4",          // ReducerInstructions
    "PPNALabel_AA_P4",         // StartOnGasPrompt
    "ZZBGLabel_AA_P4",         // FuelSwitchCaption
    "SwitchAUTO",              // FuelSwitch
    "SNOLabel_AA_P4",          // ReducerNoAnswer
    "LNLabel_AA_P4",           // ReducerUnreliableLine
    "PostepLabel_AA_P3",       // ReducerProgressCaption
    "WykonanoLabel_AA_P3",     // ReducerDoneHeading
    "ZL_AA_P4",                // GasDone
    "AutoFaz4Led1",            // GasLed
    "UR_AA_P4",                // ReducerDone
    "AutoFaz4Led2",            // ReducerLed
    "AAP4_Dalej",              // ReducerNext
    "Manometr_RPMAA_P5",       // ActuatorRpmDial
    "Manometr_RPMEDAA_P5",     // ActuatorRpmPanel
    "Bar1P5",                  // ActuatorProgress
    "TUPSK_AA_P5",             // ActuatorTitle
    "PUOLabel_AA_P5",          // ActuatorAbovePrompt
    "PUWLabel_AA_P5",          // ActuatorIdlePrompt
    "ZA_AA_P5",                // FinishedNotice
    "SNOLabel_AA_P5",          // ActuatorNoAnswer
    "LNLabel_AA_P5",           // ActuatorUnreliableLine
    "Min_AA_P5",               // ActuatorMinimumHeading
    "Max_AA_P5",               // ActuatorMaximumHeading
    "Start_AA_P5",             // ActuatorStartHeading
    "Label2",                  // AboveTpsRowCaption
    "Label1",                  // IdleRowCaption
    "PostepLabel_AA_P4",       // ActuatorProgressCaption
    "WykonanoLabel_AA_P4",     // ActuatorDoneHeading
    "UTPOW_AA_P5",             // AboveTpsDone
    "AutoFaz5Led1",            // AboveTpsLed
    "UTPON_AA_P5",             // IdleDone
    "AutoFaz5Led2",            // IdleLed
    "MinPOWEDAA_P5",           // AboveTpsMinimumPanel
    "MaxPOWEDAA_P5",           // AboveTpsMaximumPanel
    "StartPOWEDAA_P5",         // AboveTpsStartPanel
    "MinPONEDAA_P5",           // IdleMinimumPanel
    "MaxPONEDAA_P5",           // IdleMaximumPanel
    "StartPONEDAA_P5",         // IdleStartPanel
    "AAP5_Koniec",             // FinishButton
};

// The objectNames of the wizard's pages, in WizardPage's order: the
// language files name the tab captions by them.
inline constexpr std::array<const char*, 4> wizardPageNames{"AA1", "AA2", "AA4", "AA5"};

inline const char* controlName(WizardControl control)
{
    return wizardControlNames[static_cast<std::size_t>(control)];
}

inline const char* pageName(WizardPage page)
{
    return wizardPageNames[static_cast<std::size_t>(page)];
}

}  // namespace dravinor::wizard
