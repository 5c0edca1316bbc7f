#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dravinor::lang {

// Keys of the text slots that the program reads by name.
namespace slot {
inline constexpr int firstHint = 40000;         // 40000..40035, see the field catalogue
inline constexpr int probeTypeHint = 40000;
inline constexpr int controllerModeText = 40033;  // 40033..40035, one per mode
inline constexpr int fuelPetrol = 40100;
inline constexpr int fuelAutomatic = 40101;
inline constexpr int fuelGas = 40102;
inline constexpr int tpsRising = 40103;
inline constexpr int tpsFalling = 40104;
inline constexpr int noController = 40105;
inline constexpr int cannotOpenPort = 40107;
inline constexpr int wrongController = 40108;
inline constexpr int portOpen = 40109;
inline constexpr int enterWizardQuestion = 40110;
inline constexpr int cannotWrite = 40111;
inline constexpr int leaveWizardQuestion = 40112;
inline constexpr int probeThreshold01 = 40200;
inline constexpr int probeThreshold0816 = 40201;
inline constexpr int aboutDescription = 50001;  // 50001..50005: the About box
inline constexpr int aboutVersion = 50002;
inline constexpr int aboutLicence = 50003;
inline constexpr int aboutController = 50004;
inline constexpr int aboutNoController = 50005;
inline constexpr int firstHiddenValue = 50320;  // 50320..50323: the stored values no field shows, in order
inline constexpr int adaptationWithoutController = 51102;
inline constexpr int adaptationAfterIncompleteRead = 51103;  // %1: how many were not read
inline constexpr int conversionError = 51250;       // %1: the text that is no number
inline constexpr int languageFileTooLarge = 51251;  // %1: the file, %2: the limit in bytes
inline constexpr int helpFileMissing = 51252;       // %1: the help file looked for
inline constexpr int fuelBeforeFirstPoll = 51253;   // the live view's fuel state until a poll
inline constexpr int parameterFileFilter = 51254;   // the file dialogs' name for *.PAR files
inline constexpr int aboutControllerVersion = 51255;  // %1: the connected controller's firmware version
inline constexpr int portLostDuringWrite = 51260;   // %1: parameters written of 35
inline constexpr int mixedSetAfterWrite = 51261;    // appended to it
inline constexpr int unusualFileSize = 51262;       // %1: the file's size in bytes
inline constexpr int probeVerdict = 51410;          // 51410..51415, in ProbeVerdict's order
inline constexpr int traceNotSaved = 51425;         // %1: the file the trace was to be saved in
inline constexpr int adapterUnplugged = 51470;      // %1: the port name
inline constexpr int adapterUnpluggedTitle = 51471;
inline constexpr int adapterBackRead = 51472;       // %1: the port name
inline constexpr int adapterBack = 51473;           // %1: the port name
inline constexpr int otherControllerBack = 51474;   // %1: the port, %2: the one found, %3: the one before
inline constexpr int controllerIdentity = 51475;    // %1: type, %2: firmware version
inline constexpr int adapterBackSilent = 51476;     // %1: the port name
inline constexpr int adapterBackUnopened = 51477;   // %1: the port name
inline constexpr int versionUnknown = 51480;        // the title's text for a controller without a clean identity
inline constexpr int readStoppedSilent = 51482;     // %1: the address the controller stopped answering at
inline constexpr int readStoppedGarbled = 51483;    // %1: the address
inline constexpr int readStoppedPortLost = 51484;   // %1: the address
inline constexpr int readStoppedBeforeFirst = 51485;
inline constexpr int readNotAsked = 51486;          // %1: how many parameters were never asked
inline constexpr int adapterBackUnclear = 51487;    // %1: the port name
// The controller's lambda threshold against the probe's swing: %1 the
// threshold, %2-%3 the swing, then (off its middle) %4 the middle; last the
// side the controller sees (controllerSeesRich / controllerSeesLean).
inline constexpr int thresholdBelowSwing = 51530;
inline constexpr int thresholdAboveSwing = 51531;
inline constexpr int thresholdOffMiddle = 51532;
inline constexpr int controllerSeesRich = 51533;
inline constexpr int controllerSeesLean = 51534;
// A lambda probe that fails during the adaptation's lambda phases: %1 the
// probe check's verdict, %2-%3 the voltages it gave.
inline constexpr int adaptationProbeFailed = 51535;
inline constexpr int adaptationProbeQuestion = 51536;
inline constexpr int adaptationProbeWentOn = 51537;
inline constexpr int adaptationProbeStopped = 51538;
// The customer's report: the probe of an adaptation that found it failed.
inline constexpr int reportProbe = 51539;
inline constexpr int reportProbeWentOn = 51540;   // %1 verdict, %2-%3 voltages
inline constexpr int reportProbeStopped = 51541;  // likewise
}  // namespace slot

struct SlotDefinition {
    int key;
    int capacity;         // characters, the terminating zero included
    const char* builtIn;  // UTF-8
};

// Every slot in key order.
std::span<const SlotDefinition> slotDefinitions();

// A text cut to at most maxCharacters UTF-8 characters, never inside one.
std::string cutToCharacters(std::string_view utf8, std::size_t maxCharacters);

// The replaceable texts that labels, message boxes and status lines read at
// the moment they show them. Texts are UTF-8.
class TextSlots {
public:
    TextSlots();

    bool has(int key) const;
    // The slot's current text; empty for a key that is no slot.
    const std::string& text(int key) const;
    // Copies text into the slot, cut to what the slot holds (with a note on
    // stderr). Returns false for a key that is no slot.
    bool set(int key, std::string_view text);
    void restoreBuiltIn();

private:
    std::vector<std::string> texts_;  // in the order of slotDefinitions()
};

// The program's one set of slots.
TextSlots& textSlots();

}  // namespace dravinor::lang
