#pragma once

// The report's own texts: slots of the text table, in both language files.
namespace dravinor::reportpdf::key {
inline constexpr int registration = 51432;
inline constexpr int makeAndModel = 51433;
inline constexpr int odometer = 51434;
inline constexpr int workshop = 51435;
inline constexpr int title = 51445;
inline constexpr int date = 51446;
inline constexpr int controller = 51447;
inline constexpr int controllerIdentity = 51448;  // %1: type, %2: firmware version
inline constexpr int noController = 51449;
inline constexpr int fromFile = 51450;            // %1: the parameter file
inline constexpr int parameters = 51451;
inline constexpr int parameterColumn = 51452;
inline constexpr int valueColumn = 51453;
inline constexpr int notRead = 51454;
inline constexpr int ignitionTypeNotRead = 51455;
inline constexpr int notReadNote = 51456;
inline constexpr int adaptationFinished = 51457;
inline constexpr int adaptationStopped = 51458;
inline constexpr int firstFigure = 51459;         // 51459..51463, in AdaptationFigure's order
inline constexpr int unacknowledged = 51464;
inline constexpr int doubtfulPhases = 51465;
inline constexpr int trace = 51466;
inline constexpr int pageNumber = 51467;          // %1: the page, %2: how many
inline constexpr int signature = 51468;
inline constexpr int notInFileNote = 51469;  // a file shorter than a whole set
inline constexpr int identityUnknown = 51481;  // connected, but no clean identity came
inline constexpr int probeVerdict = 51410;   // 51410..51415, the probe check's verdicts
inline constexpr int failedProbe = 51539;    // an adaptation that found the probe failed
inline constexpr int probeWentOn = 51540;    // %1 verdict, %2-%3 volts: it went on, doubtful
inline constexpr int probeStopped = 51541;   // likewise: it stopped there
}  // namespace dravinor::reportpdf::key
