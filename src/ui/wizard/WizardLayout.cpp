#include "ui/wizard/WizardLayout.h"

#include <algorithm>
#include <cmath>

namespace dravinor::ui {

namespace {

enum class Kind { Text, Wrapped, Instrument, Dial, Frame };

struct Row {
    const char* page;
    const char* name;
    int x, y, w, h;  // in the base design
    Kind kind = Kind::Text;
    WizardLayer layer = WizardLayer::Always;
};

constexpr int baseFont = 9;
using L = WizardLayer;

// Done items: a lamp and its label, one row each, under "Wykonano:".
constexpr int doneTop1 = 356, doneTop2 = 362, doneTop4 = 366, doneStep = 26;

// clang-format off
constexpr Row rows[] = {
    // AA1: the ignition and probe lists, the temperature, the readiness lamps.
    {"AA1", "PUSLabel_AA_P1", 10, 8, 620, 66, Kind::Wrapped},
    {"AA1", "WRZ_Label_AA_P1", 10, 84, 280, 20},
    {"AA1", "Manometr_RPMCOMBOAA_P1", 10, 106, 280, 26},
    {"AA1", "WRS_Label_AA_P1", 10, 142, 280, 20},
    {"AA1", "RSLAMBDA_COMBOAA_P1", 10, 164, 280, 26},
    {"AA1", "WCTCheck_AA_P1", 10, 204, 280, 24},
    {"AA1", "Manometr_RPMAA_P1", 320, 84, 200, 200, Kind::Dial},
    {"AA1", "Manometr_RPMEDAA_P1", 388, 292, 64, 26},
    {"AA1", "Therm1l_AA_P1", 560, 84, 65, 200, Kind::Instrument},
    {"AA1", "Therm1ED_AA_P1", 560, 292, 64, 26},
    {"AA1", "WykonanoLabel_AA_P1", 10, 330, 200, 20},
    {"AA1", "AutoFaz1Led1", 10, doneTop1, 20, 20, Kind::Instrument},
    {"AA1", "ZBLabel_AA_P1", 36, doneTop1, 330, 20},
    {"AA1", "AutoFaz1Led2", 10, doneTop1 + doneStep, 20, 20, Kind::Instrument},
    {"AA1", "UUZLabel_AA_P1", 36, doneTop1 + doneStep, 330, 20},
    {"AA1", "AutoFaz1Led3", 10, doneTop1 + 2 * doneStep, 20, 20, Kind::Instrument},
    {"AA1", "OOTLabel_AA_P1", 36, doneTop1 + 2 * doneStep, 330, 20},
    {"AA1", "AutoFaz1Led4", 10, doneTop1 + 3 * doneStep, 20, 20, Kind::Instrument},
    {"AA1", "URSLabel_AA_P1", 36, doneTop1 + 3 * doneStep, 330, 20},
    {"AA1", "SNOLabel_AA_P1", 690, 84, 200, 64, Kind::Wrapped},
    {"AA1", "AAP1_Dalej", 740, 490, 140, 34},

    // AA2: TPS, lambda threshold and emulation times.
    {"AA2", "PPNMLabel_AA_P2", 10, 8, 420, 22},
    {"AA2", "PPNDLabel_AA_P2", 10, 32, 420, 22},
    {"AA2", "Manometr_RPMAA_P2", 10, 60, 200, 200, Kind::Dial},
    {"AA2", "Manometr_RPMEDAA_P2", 78, 266, 64, 26},
    {"AA2", "PanelAA2_2", 240, 60, 430, 132, Kind::Frame},
    {"AA2", "TUPtps_AA_P2", 250, 64, 410, 22, Kind::Text, L::TpsRows},
    {"AA2", "TPSdol_AA_P2", 250, 94, 130, 24, Kind::Text, L::TpsRows},
    {"AA2", "TPSDolEDAA_P2", 390, 94, 90, 26, Kind::Text, L::TpsRows},
    {"AA2", "Vdol_AA_P2", 488, 94, 30, 24, Kind::Text, L::TpsRows},
    {"AA2", "TPSprg_AA_P2", 250, 126, 130, 24, Kind::Text, L::TpsRows},
    {"AA2", "TPSProEDAA_P2", 390, 126, 90, 26, Kind::Text, L::TpsRows},
    {"AA2", "Vprog_AA_P2", 488, 126, 30, 24, Kind::Text, L::TpsRows},
    {"AA2", "TPSgor_AA_P2", 250, 158, 130, 24, Kind::Text, L::TpsRows},
    {"AA2", "TPSGorEDAA_P2", 390, 158, 90, 26, Kind::Text, L::TpsRows},
    {"AA2", "Vgora_AA_P2", 488, 158, 30, 24, Kind::Text, L::TpsRows},
    // The lambda rows take the TPS rows' places, captions 10 to the right.
    {"AA2", "TUPsl_AA_P2", 250, 64, 410, 22, Kind::Text, L::LambdaRows},
    {"AA2", "Uboga_AA_P3", 260, 94, 120, 24, Kind::Text, L::LambdaRows},
    {"AA2", "UbogaEDAA_P3", 390, 94, 90, 26, Kind::Text, L::LambdaRows},
    {"AA2", "Prog_AA_P3", 260, 126, 120, 24, Kind::Text, L::LambdaRows},
    {"AA2", "ProgEDAA_P3", 390, 126, 90, 26, Kind::Text, L::LambdaRows},
    {"AA2", "Bogata_AA_P3", 260, 158, 120, 24, Kind::Text, L::LambdaRows},
    {"AA2", "BogataEDAA_P3", 390, 158, 90, 26, Kind::Text, L::LambdaRows},
    // The emulation rows: 20 to the right, in rows 1 and 3.
    {"AA2", "TUEsl_AA_P2", 250, 64, 410, 22, Kind::Text, L::EmulationRows},
    {"AA2", "TH_AA_P3", 270, 94, 110, 24, Kind::Text, L::EmulationRows},
    {"AA2", "THEDAA_P3", 390, 94, 90, 26, Kind::Text, L::EmulationRows},
    {"AA2", "TL_AA_P3", 270, 158, 110, 24, Kind::Text, L::EmulationRows},
    {"AA2", "TLEDAA_P3", 390, 158, 90, 26, Kind::Text, L::EmulationRows},
    {"AA2", "Bar1P3", 240, 204, 430, 24, Kind::Instrument},
    {"AA2", "V0_AA_P3", 240, 232, 90, 20},
    {"AA2", "V5_AA_P3", 580, 232, 90, 20},
    {"AA2", "PostepLabel_AA_P2", 10, 304, 80, 22},
    {"AA2", "Bar1P2", 96, 304, 574, 22, Kind::Instrument},
    {"AA2", "PanelAA2_1", 10, 334, 560, 134, Kind::Frame},
    {"AA2", "WykonanoLabel_AA_P2", 20, 338, 200, 20},
    {"AA2", "AutoFaz2Led1", 20, doneTop2, 20, 20, Kind::Instrument},
    {"AA2", "TPSPonLabel_AA_P2", 46, doneTop2, 420, 20},
    {"AA2", "AutoFaz2Led2", 20, doneTop2 + doneStep, 20, 20, Kind::Instrument},
    {"AA2", "TPSPowLabel_AA_P2", 46, doneTop2 + doneStep, 420, 20},
    {"AA2", "AutoFaz3Led1", 20, doneTop2 + 2 * doneStep, 20, 20, Kind::Instrument},
    {"AA2", "SSLabel_AA_P3", 46, doneTop2 + 2 * doneStep, 420, 20},
    {"AA2", "AutoFaz3Led2", 20, doneTop2 + 3 * doneStep, 20, 20, Kind::Instrument},
    {"AA2", "CSLabel_AA_P3", 46, doneTop2 + 3 * doneStep, 420, 20},
    {"AA2", "JakiTps_AA_P2", 10, 476, 300, 22},
    {"AA2", "USLabel_AA_P3", 320, 476, 400, 22},
    {"AA2", "SNOLabel_AA_P2", 690, 60, 200, 64, Kind::Wrapped},
    {"AA2", "LNLabel_AA_P2", 690, 134, 200, 110, Kind::Wrapped},
    {"AA2", "NSLabel_AA_P2", 690, 254, 200, 216, Kind::Wrapped},
    {"AA2", "AAP2_Dalej", 740, 490, 140, 34},

    // AA4: gas, the reducer.
    {"AA4", "PPNLabel_AA_P4", 10, 8, 660, 46, Kind::Wrapped},
    {"AA4", "PPNALabel_AA_P4", 10, 58, 420, 22},
    {"AA4", "Manometr_RPMAA_P4", 10, 90, 200, 200, Kind::Dial},
    {"AA4", "Manometr_RPMEDAA_P4", 78, 296, 64, 26},
    {"AA4", "SwitchAUTO", 250, 96, 56, 56, Kind::Dial},
    {"AA4", "ZZBGLabel_AA_P4", 316, 112, 260, 22},
    {"AA4", "Bar1P4", 240, 196, 430, 24, Kind::Instrument},
    {"AA4", "Uboga_AA_P4", 240, 224, 90, 20},
    {"AA4", "SondaEDAA_P4", 420, 224, 64, 26},
    {"AA4", "Bogata_AA_P4", 580, 224, 90, 20},
    {"AA4", "PostepLabel_AA_P3", 240, 266, 80, 22},
    {"AA4", "Bar1P4_0", 326, 266, 344, 22, Kind::Instrument},
    {"AA4", "WykonanoLabel_AA_P3", 10, 340, 200, 20},
    {"AA4", "AutoFaz4Led1", 10, doneTop4, 20, 20, Kind::Instrument},
    {"AA4", "ZL_AA_P4", 36, doneTop4, 420, 20},
    {"AA4", "AutoFaz4Led2", 10, doneTop4 + doneStep, 20, 20, Kind::Instrument},
    {"AA4", "UR_AA_P4", 36, doneTop4 + doneStep, 420, 20},
    {"AA4", "SNOLabel_AA_P4", 690, 90, 200, 64, Kind::Wrapped},
    {"AA4", "LNLabel_AA_P4", 690, 164, 200, 110, Kind::Wrapped},
    {"AA4", "AAP4_Dalej", 740, 490, 140, 34},

    // AA5: the actuator's working ranges.
    {"AA5", "PUOLabel_AA_P5", 10, 8, 420, 22},
    {"AA5", "PUWLabel_AA_P5", 10, 32, 420, 22},
    {"AA5", "Manometr_RPMAA_P5", 10, 60, 200, 200, Kind::Dial},
    {"AA5", "Manometr_RPMEDAA_P5", 78, 266, 64, 26},
    {"AA5", "TUPSK_AA_P5", 240, 64, 430, 22},
    {"AA5", "Min_AA_P5", 340, 96, 80, 20},
    {"AA5", "Max_AA_P5", 430, 96, 80, 20},
    {"AA5", "Start_AA_P5", 520, 96, 80, 20},
    {"AA5", "Label2", 240, 122, 94, 24},
    {"AA5", "MinPOWEDAA_P5", 340, 122, 80, 26},
    {"AA5", "MaxPOWEDAA_P5", 430, 122, 80, 26},
    {"AA5", "StartPOWEDAA_P5", 520, 122, 80, 26},
    {"AA5", "Label1", 240, 154, 94, 24},
    {"AA5", "MinPONEDAA_P5", 340, 154, 80, 26},
    {"AA5", "MaxPONEDAA_P5", 430, 154, 80, 26},
    {"AA5", "StartPONEDAA_P5", 520, 154, 80, 26},
    {"AA5", "PostepLabel_AA_P4", 10, 304, 80, 22},
    {"AA5", "Bar1P5", 96, 304, 574, 22, Kind::Instrument},
    {"AA5", "WykonanoLabel_AA_P4", 10, 340, 200, 20},
    {"AA5", "AutoFaz5Led1", 10, doneTop4, 20, 20, Kind::Instrument},
    {"AA5", "UTPOW_AA_P5", 36, doneTop4, 420, 20},
    {"AA5", "AutoFaz5Led2", 10, doneTop4 + doneStep, 20, 20, Kind::Instrument},
    {"AA5", "UTPON_AA_P5", 36, doneTop4 + doneStep, 420, 20},
    {"AA5", "ZA_AA_P5", 10, 436, 500, 26},
    {"AA5", "SNOLabel_AA_P5", 690, 60, 200, 64, Kind::Wrapped},
    {"AA5", "LNLabel_AA_P5", 690, 134, 200, 110, Kind::Wrapped},
    {"AA5", "AAP5_Koniec", 740, 490, 140, 34},
};
// clang-format on

int scaled(int v, double scale)
{
    return static_cast<int>(std::lround(v * scale));
}

}  // namespace

int wizardFontSize(int pageWidth, int pageHeight)
{
    const double scale =
        std::min(static_cast<double>(pageWidth) / wizardBaseWidth, static_cast<double>(pageHeight) / wizardBaseHeight);
    return std::max(6, static_cast<int>(std::floor(baseFont * scale)));
}

std::map<std::string, WizardPlace> layoutWizardPages(int pageWidth, int pageHeight)
{
    const double sx = static_cast<double>(pageWidth) / wizardBaseWidth;
    const double sy = static_cast<double>(pageHeight) / wizardBaseHeight;
    const double s = std::min(sx, sy);
    const int font = wizardFontSize(pageWidth, pageHeight);
    std::map<std::string, WizardPlace> out;
    for (const Row& row : rows) {
        WizardPlace place;
        place.page = row.page;
        place.layer = row.layer;
        place.container = row.kind == Kind::Frame;
        place.wraps = row.kind == Kind::Wrapped;
        Geometry& g = place.geometry;
        g.left = scaled(row.x, sx);
        g.top = scaled(row.y, sy);
        g.width = scaled(row.w, sx);
        g.height = scaled(row.h, sy);
        if (row.kind == Kind::Dial) {
            // Round faces stay round; the dial keeps its centre column.
            const int side = scaled(row.w, s);
            g.left += (g.width - side) / 2;
            g.width = g.height = side;
        }
        if (row.kind == Kind::Text || row.kind == Kind::Wrapped)
            g.fontSize = font;
        out.emplace(row.name, place);
    }
    // Each RPM panel stands centred under its dial, whatever the dial's size.
    for (const char* page : {"P1", "P2", "P4", "P5"}) {
        const Geometry& dial = out.at(std::string("Manometr_RPMAA_") + page).geometry;
        Geometry& panel = out.at(std::string("Manometr_RPMEDAA_") + page).geometry;
        panel.left = dial.left + (dial.width - panel.width) / 2;
        panel.top = dial.top + dial.height + scaled(6, sy);
    }
    return out;
}

}  // namespace dravinor::ui
