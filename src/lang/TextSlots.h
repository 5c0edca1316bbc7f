#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dravinor::lang {

// Keys of the text slots that the program reads by name.
namespace slot {
inline constexpr int firstHint = 40000;  // 40000..40035, see the field catalogue
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
inline constexpr int aboutDescription = 50001;  // 50001..50006: the About box
inline constexpr int aboutVersion = 50002;
inline constexpr int aboutLicence = 50003;
inline constexpr int aboutController = 50004;
inline constexpr int aboutNoController = 50005;
inline constexpr int aboutSpeaksAs = 50006;     // %1: the tool version the controllers know, as in the title
inline constexpr int firstHiddenValue = 50320;  // 50320..50323: the stored values no field shows, in order
inline constexpr int adaptationWithoutController = 51102;
inline constexpr int adaptationAfterIncompleteRead = 51103;  // %1: how many were not read
inline constexpr int conversionError = 51250;                // %1: the text that is no number
inline constexpr int languageFileTooLarge = 51251;           // %1: the file, %2: the limit in bytes
inline constexpr int helpFileMissing = 51252;                // %1: the help file looked for
inline constexpr int fuelBeforeFirstPoll = 51253;            // the live view's fuel state until a poll
inline constexpr int parameterFileFilter = 51254;            // the file dialogs' name for *.PAR files
inline constexpr int aboutControllerVersion = 51255;         // %1: the connected controller's firmware version
inline constexpr int portLostDuringWrite = 51260;            // %1: parameters written of 35
inline constexpr int mixedSetAfterWrite = 51261;             // appended to it
inline constexpr int unusualFileSize = 51262;                // %1: the file's size in bytes
inline constexpr int probeVerdict = 51410;                   // 51410..51415, in ProbeVerdict's order
inline constexpr int traceNotSaved = 51425;                  // %1: the file the trace was to be saved in
inline constexpr int adapterUnplugged = 51470;               // %1: the port name
inline constexpr int adapterUnpluggedTitle = 51471;
inline constexpr int adapterBackRead = 51472;      // %1: the port name
inline constexpr int adapterBack = 51473;          // %1: the port name
inline constexpr int otherControllerBack = 51474;  // %1: the port, %2: the one found, %3: the one before
inline constexpr int controllerIdentity = 51475;   // %1: type, %2: firmware version
inline constexpr int adapterBackSilent = 51476;    // %1: the port name
inline constexpr int adapterBackUnopened = 51477;  // %1: the port name
inline constexpr int versionUnknown = 51480;       // the title's text for a controller without a clean identity
inline constexpr int readStoppedSilent = 51482;    // %1: the address the controller stopped answering at
inline constexpr int readStoppedGarbled = 51483;   // %1: the address
inline constexpr int readStoppedPortLost = 51484;  // %1: the address
inline constexpr int readStoppedBeforeFirst = 51485;
inline constexpr int readNotAsked = 51486;        // %1: how many parameters were never asked
inline constexpr int adapterBackUnclear = 51487;  // %1: the port name
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
// The customer's report: its dialog and its sheet.
namespace report {
inline constexpr int dialogTitle = 51431;  // the dialog's own title
inline constexpr int registration = 51432;
inline constexpr int makeAndModel = 51433;
inline constexpr int odometer = 51434;
inline constexpr int workshop = 51435;
inline constexpr int includeTrace = 51436;
inline constexpr int savePdf = 51437;
inline constexpr int print = 51438;
inline constexpr int close = 51439;
inline constexpr int pdfFilter = 51440;
inline constexpr int notSaved = 51441;  // %1: the file
inline constexpr int saved = 51442;     // %1: the file
inline constexpr int notPrinted = 51443;
inline constexpr int freezeFirst = 51444;
inline constexpr int sheetTitle = 51445;  // the sheet's heading
inline constexpr int date = 51446;
inline constexpr int controller = 51447;
inline constexpr int controllerIdentity = 51448;  // %1: type, %2: firmware version
inline constexpr int noController = 51449;
inline constexpr int fromFile = 51450;  // %1: the parameter file
inline constexpr int parameters = 51451;
inline constexpr int parameterColumn = 51452;
inline constexpr int valueColumn = 51453;
inline constexpr int notRead = 51454;
inline constexpr int ignitionTypeNotRead = 51455;
inline constexpr int notReadNote = 51456;
inline constexpr int adaptationFinished = 51457;
inline constexpr int adaptationStopped = 51458;
inline constexpr int firstFigure = 51459;  // 51459..51463, in AdaptationFigure's order
inline constexpr int unacknowledged = 51464;
inline constexpr int doubtfulPhases = 51465;
inline constexpr int trace = 51466;
inline constexpr int pageNumber = 51467;  // %1: the page, %2: how many
inline constexpr int signature = 51468;
inline constexpr int notInFileNote = 51469;    // a file shorter than a whole set
inline constexpr int identityUnknown = 51481;  // connected, but no clean identity came
inline constexpr int failedProbe = 51539;      // an adaptation that found the probe failed
inline constexpr int probeWentOn = 51540;      // %1 verdict, %2-%3 volts: it went on, doubtful
inline constexpr int probeStopped = 51541;     // likewise: it stopped there
inline constexpr int yes = 51620;              // a check box's value in words
inline constexpr int no = 51621;
inline constexpr int measuredColumn = 51622;  // the adaptation's figures are measured, not stored
inline constexpr int measuredNote = 51623;    // where the stored values stand
inline constexpr int technical = 51624;       // the appendix of stored values no page shows
inline constexpr int fileName = 51625;        // the suggested file name's first word
}  // namespace report
// The car book's window, its outcomes and what the window records in it (the menu item's caption
// is key 51640 in the key table).
namespace carBook {
inline constexpr int windowTitle = 51641;
inline constexpr int searchHint = 51642;
inline constexpr int registrationHeader = 51643;
inline constexpr int makeModelHeader = 51644;
inline constexpr int timeHeader = 51645;
inline constexpr int odometerHeader = 51646;
inline constexpr int controllerHeader = 51647;
inline constexpr int readSetHeader = 51648;  // the visit holds the set read when it came
inline constexpr int endSetHeader = 51649;   // the set written before it left
inline constexpr int reportHeader = 51650;
inline constexpr int adaptationHeader = 51651;
inline constexpr int compareButton = 51652;
inline constexpr int writeButton = 51653;
inline constexpr int openReportButton = 51654;
inline constexpr int addCarButton = 51655;
inline constexpr int connectedButton = 51656;
inline constexpr int currentCar = 51657;  // %1 registration, make and model
inline constexpr int noCurrentCar = 51658;
inline constexpr int endCurrentButton = 51659;  // ends the connected car
inline constexpr int addCarTitle = 51660;
inline constexpr int registrationLabel = 51661;
inline constexpr int makeModelLabel = 51662;
inline constexpr int vinLabel = 51663;
inline constexpr int notesLabel = 51664;
inline constexpr int registrationRequired = 51665;
inline constexpr int duplicateCar = 51666;  // %1 registration
inline constexpr int cannotOpen = 51667;    // %1 why
inline constexpr int whyNotAFile = 51668;   // %1 the book's file
inline constexpr int whyReadOnly = 51669;
inline constexpr int whyDiskFull = 51670;
inline constexpr int whyNewerBook = 51671;
inline constexpr int whyDamagedStuck = 51672;
inline constexpr int whyNoFolder = 51673;
inline constexpr int whyOther = 51674;
inline constexpr int damagedReplaced = 51675;  // %1 the book, %2 where the old one went
inline constexpr int notWritten = 51676;       // %1 why
inline constexpr int writeBusy = 51677;
inline constexpr int writeReadOnly = 51678;
inline constexpr int writeDamaged = 51679;
inline constexpr int writeFailed = 51680;
inline constexpr int writeNoCar = 51681;
inline constexpr int recordedRead = 51682;  // %1 registration
inline constexpr int recordedEndToday = 51683;
inline constexpr int recordedEndNew = 51684;
inline constexpr int recordedReportToday = 51685;
inline constexpr int recordedReportNew = 51686;
inline constexpr int notRecorded = 51687;  // %1 registration, %2 why
inline constexpr int currentNotInBook = 51688;
inline constexpr int writeQuestion = 51689;  // %1 the visit's time, %2 registration
inline constexpr int noSet = 51690;
inline constexpr int reportNotOpened = 51691;  // %1 why
inline constexpr int notConnected = 51692;
inline constexpr int noReport = 51693;
inline constexpr int carAdded = 51694;   // %1 registration
inline constexpr int visitName = 51695;  // the comparison's other side: %1 registration, %2 time
inline constexpr int noViewer = 51696;
inline constexpr int currentNotSaved = 51697;  // %1 the file
inline constexpr int helpButton = 51698;
inline constexpr int visitColumn = 51699;              // the comparison's column of the visit's values
inline constexpr int recordedAdaptationToday = 51700;  // %1 registration
inline constexpr int recordedAdaptationNew = 51701;
inline constexpr int currentLapsed = 51702;  // a connected car chosen on another day
inline constexpr int journalHeader = 51703;  // how many changes the visit's writes made
inline constexpr int journalGone = 51704;    // the journal has rotated past the visit
}  // namespace carBook
// The comparison of the pages with a parameter file.
namespace diff {
inline constexpr int title = 50301;
inline constexpr int parameterColumn = 50302;
inline constexpr int pagesColumn = 50303;
inline constexpr int fileColumn = 50304;
inline constexpr int loadButton = 50305;
inline constexpr int closeButton = 50306;
inline constexpr int same = 50307;
inline constexpr int count = 50308;
}  // namespace diff
// Why a port did not open, and the command that mends it.
namespace portProblem {
inline constexpr int notInGroup = 50310;
inline constexpr int heldByOther = 50311;
inline constexpr int logInAgain = 50312;
inline constexpr int notASerialPort = 51180;
}  // namespace portProblem
// What a save may not write onto.
namespace saveRefusal {
inline constexpr int folder = 51500;
inline constexpr int fifo = 51501;
inline constexpr int characterDevice = 51502;
inline constexpr int blockDevice = 51503;
inline constexpr int socket = 51504;
inline constexpr int linkLoop = 51505;
inline constexpr int throughLink = 51506;  // %1: where the link leads, %2: what is there
}  // namespace saveRefusal
// What a bulk write came to.
namespace bulkWrite {
inline constexpr int allConfirmed = 51050;
inline constexpr int allConfirmedAfterRewrites = 51051;  // %1 how many were written again
inline constexpr int notConfirmed = 51052;               // %1 how many, %2 their captions
inline constexpr int noneConfirmed = 51053;
}  // namespace bulkWrite
// The flag bytes' captions where no field shows them.
namespace flagBytes {
inline constexpr int flagByteA = 51054;
inline constexpr int flagByteB = 51055;
}  // namespace flagBytes
// The backups kept before bulk writes, the question before a recent file is written, the undo of a
// bulk write.
namespace backup {
inline constexpr int kept = 51560;  // %1 the backup's file name
inline constexpr int setNotKnown = 51561;
inline constexpr int notSaved = 51562;            // %1 file name, %2 why
inline constexpr int ramPartlyRefreshed = 51563;  // %1 RAM words refreshed of 32
inline constexpr int recentFileQuestion = 51564;  // %1 file name
inline constexpr int noBackupAhead = 51565;
inline constexpr int restoreQuestion = 51566;   // %1 the write, %2 its time, %3 file name
inline constexpr int backupUnreadable = 51567;  // %1 file name, %2 why
inline constexpr int restoreKind = 51568;
inline constexpr int notWholeBackup = 51569;
inline constexpr int valuesChanged = 51570;  // %1 how many; the questions' second line
}  // namespace backup
// Parameter files saved and loaded.
namespace fileStatus {
inline constexpr int saved = 51160;          // %1 file
inline constexpr int backupCreated = 51161;  // %1 the ".BAK"
inline constexpr int backupKept = 51162;     // %1 the ".BAK"
inline constexpr int notSaved = 51163;       // %1 file, %2 why
inline constexpr int cannotCreate = 51164;
inline constexpr int cannotWrite = 51165;
inline constexpr int cannotReplace = 51166;
inline constexpr int cannotBackUp = 51167;  // %1 the ".BAK"
inline constexpr int loaded = 51170;        // %1 file
inline constexpr int notLoaded = 51171;     // %1 file, %2 why
inline constexpr int notRegularFile = 51172;
inline constexpr int written = 51173;
}  // namespace fileStatus
// The journal window and its undo (the menu item's caption is key 50100 in the key table); how an
// entry stands towards undo; the journal's problems.
namespace journal {
inline constexpr int windowTitle = 50101;
inline constexpr int undoButton = 50102;
inline constexpr int firstHeader = 50103;  // 50103..50109: time, port, version, field, old, new, result
inline constexpr int acknowledged = 50110;
inline constexpr int notAcknowledged = 50111;
inline constexpr int undoQuestion = 50112;  // %1 field, %2 value written back, %3 value now
inline constexpr int undoNotConnected = 50113;
inline constexpr int undoOtherController = 50114;  // %1 port, %2 version
inline constexpr int nothingToUndo = 50115;
inline constexpr int undoFailed = 50116;
inline constexpr int writeAllKind = 50117;
inline constexpr int resetKind = 50118;
inline constexpr int adaptationResetKind = 50119;
inline constexpr int fileKind = 50120;
inline constexpr int unchangedMark = 51060;
inline constexpr int undoWriteMark = 51061;
inline constexpr int takenBackMark = 51062;
inline constexpr int nextUndoMark = 51063;
inline constexpr int unreadableFile = 51150;  // %1 file, %2 why
inline constexpr int isFolder = 51151;
inline constexpr int notRegularFile = 51152;
inline constexpr int invalidTime = 51153;
inline constexpr int undoOtherSet = 51154;
}  // namespace journal
// Values the controller did not give, and the default set shown when no controller answered at
// start-up.
namespace reads {
inline constexpr int unreadReason = 51000;      // tip and hint of a field without a value
inline constexpr int unreadStatus = 51001;      // %1 how many of the 35, %2 captions
inline constexpr int saveQuestion = 51002;      // %1 captions
inline constexpr int compareQuestion = 51003;   // %1 captions
inline constexpr int writeAllQuestion = 51004;  // %1 captions
inline constexpr int defaultSetShown = 51005;   // follows the scan's last text
inline constexpr int silentPorts = 51006;       // %1 ports that opened but did not answer
}  // namespace reads
// Live recording and replay; why a recording cannot be played, what a column must hold, the labels
// of the box's details.
namespace recording {
inline constexpr int recordingTo = 50210;
inline constexpr int recordingFinished = 50211;
inline constexpr int recordingWriteError = 50212;
inline constexpr int recordingCannotCreate = 50213;
inline constexpr int recordingNoController = 50214;
inline constexpr int replaying = 50215;
inline constexpr int replayPaused = 50216;
inline constexpr int replayEnd = 50217;
inline constexpr int replayCannotPlay = 50218;
inline constexpr int replayLine = 50219;
inline constexpr int csvFilter = 50220;
inline constexpr int replayMissing = 51310;
inline constexpr int replayCannotOpen = 51311;  // %1: the system's reason
inline constexpr int replayFolder = 51312;
inline constexpr int replayNotAFile = 51313;
inline constexpr int replayTooLarge = 51314;
inline constexpr int replayCannotRead = 51315;  // %1: the system's reason
inline constexpr int replayEmpty = 51316;
inline constexpr int replayWrongHeader = 51317;
inline constexpr int replayNoPolls = 51318;
inline constexpr int replayFewColumns = 51319;   // %1: the row's columns, %2: a recording's
inline constexpr int replayManyColumns = 51320;  // %1: a recording's columns
inline constexpr int replayBadValue = 51321;     // %1: the column, %2: its text, %3: what it must be
inline constexpr int replayTimeGoesBack = 51322;
inline constexpr int firstReplayValueKey = 51323;  // 51323..51329 in the order of LiveCsvValue
inline constexpr int replayExpectedHeader = 51330;
inline constexpr int replayFirstLine = 51331;
inline constexpr int replayTraceSamples = 51613;  // the file is the trace's exported samples
}  // namespace recording
// The trace's picture kept as PNG or in the report: its channels' names with units (51605..51608 in
// the trace's channel order), the time axis, the heading.
namespace traceChart {
inline constexpr int firstChannelName = 51605;
inline constexpr int time = 51609;
inline constexpr int span = 51610;              // %1 date, %2 first sample's time, %3 last's, %4 seconds
inline constexpr int spanWithoutClock = 51611;  // %1 seconds
inline constexpr int probe = 51612;             // %1 the probe type as the parameter page lists it
}  // namespace traceChart
inline constexpr int settingsNotKept = 51507;  // the program's settings could not be kept
// How the language writes numbers and units (lang/ShownNumbers.h).
namespace numbers {
inline constexpr int decimalSeparator = 51615;
inline constexpr int volt = 51616;
inline constexpr int second = 51617;
inline constexpr int perSecond = 51618;
inline constexpr int rpm = 51619;
}  // namespace numbers
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
