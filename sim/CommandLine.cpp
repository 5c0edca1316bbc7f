#include "CommandLine.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

namespace dravinor::sim {

namespace {

// Whole number in decimal or 0x hex, within [low, high].
bool parseNumber(const std::string& text, long low, long high, long& value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtol(text.c_str(), &end, 0);
    return errno == 0 && *end == '\0' && value >= low && value <= high;
}

// The line faults set by a whole number.
struct FaultNumber {
    const char* option;
    long low;
    long high;
    int FaultOptions::*field;
};
constexpr FaultNumber faultNumbers[] = {
    {"--ignore-writes", 0, 1'000'000, &FaultOptions::ignoreFirstWrites},
    {"--late-tail", 0, 60'000, &FaultOptions::lateTailMs},
    {"--long-reply", 0, 4096, &FaultOptions::longReplyExtra},
    {"--noise", 0, 100, &FaultOptions::noisePercent},
    {"--hang-up-after", 0, 1'000'000'000, &FaultOptions::hangUpAfterFrames},
};

std::vector<std::string> splitAtCommas(const std::string& text)
{
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        const auto comma = text.find(',', start);
        parts.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos)
            return parts;
        start = comma + 1;
    }
}

// A probe model by its name; false, with the names known, for anything else.
bool parseProbeModel(const std::string& name, ProbeModel& model, std::string& error)
{
    const std::optional<ProbeModel> named = probeModelNamed(name);
    if (!named) {
        error = "--probe: bad value '" + name + "' (healthy, slow, stuck-lean, stuck-rich, disconnected or biased)";
        return false;
    }
    model = *named;
    return true;
}

// "ADDRESS,MS[,queue][,once]"; false for anything else.
bool parseLateAnswer(const std::string& text, FaultOptions& faults)
{
    const std::vector<std::string> parts = splitAtCommas(text);
    long address = 0;
    long delay = 0;
    bool modesKnown = true;
    faults.lateAnswerQueues = false;
    faults.lateAnswerOnce = false;
    for (std::size_t k = 2; k < parts.size(); ++k) {
        if (parts[k] == "queue" && !faults.lateAnswerQueues)
            faults.lateAnswerQueues = true;
        else if (parts[k] == "once" && !faults.lateAnswerOnce)
            faults.lateAnswerOnce = true;
        else
            modesKnown = false;
    }
    if (parts.size() < 2 || !modesKnown || !parseNumber(parts[0], 1, 35, address) ||
        !parseNumber(parts[1], 1, 60'000, delay))
        return false;
    faults.lateAnswerAddress = static_cast<int>(address);
    faults.lateAnswerMs = static_cast<int>(delay);
    return true;
}

// "VALUE[,NTH]" of a fault on the identify answers: the value within
// [low, high], NTH (from 1) the one identify it touches, none for all.
bool parseIdentifyFault(const std::string& text, long low, long high, int& value, int& nth)
{
    const std::vector<std::string> parts = splitAtCommas(text);
    long v = 0;
    long n = 0;
    if (parts.size() > 2 || !parseNumber(parts[0], low, high, v) ||
        (parts.size() == 2 && !parseNumber(parts[1], 1, 1'000'000, n)))
        return false;
    value = static_cast<int>(v);
    nth = static_cast<int>(n);
    return true;
}

// "ADDRESS,MS"; false for anything else.
bool parsePause(const std::string& text, FaultOptions& faults)
{
    const std::vector<std::string> parts = splitAtCommas(text);
    long address = 0;
    long ms = 0;
    if (parts.size() != 2 || !parseNumber(parts[0], 1, 35, address) || !parseNumber(parts[1], 1, 600'000, ms))
        return false;
    faults.pauseAddress = static_cast<int>(address);
    faults.pauseMs = static_cast<int>(ms);
    return true;
}

// "MIN-MAX[,PERCENT]"; false for anything else.
bool parseStalls(const std::string& text, FaultOptions& faults)
{
    const std::vector<std::string> parts = splitAtCommas(text);
    const auto dash = parts[0].find('-');
    long low = 0;
    long high = 0;
    long percent = 100;
    if (parts.size() > 2 || dash == std::string::npos || !parseNumber(parts[0].substr(0, dash), 1, 60'000, low) ||
        !parseNumber(parts[0].substr(dash + 1), low, 60'000, high) ||
        (parts.size() == 2 && !parseNumber(parts[1], 0, 100, percent)))
        return false;
    faults.stallMinMs = static_cast<int>(low);
    faults.stallMaxMs = static_cast<int>(high);
    faults.stallPercent = static_cast<int>(percent);
    return true;
}

// "MS[,FOR_MS]"; false for anything else.
bool parseUnplug(const std::string& text, CommandLine& command)
{
    const std::vector<std::string> parts = splitAtCommas(text);
    long after = 0;
    long lasting = command.unplugForMs;
    if (parts.size() > 2 || !parseNumber(parts[0], 0, 86'400'000, after) ||
        (parts.size() == 2 && !parseNumber(parts[1], 0, 86'400'000, lasting)))
        return false;
    command.unplugAfterMs = static_cast<int>(after);
    command.unplugForMs = static_cast<int>(lasting);
    return true;
}

}  // namespace

const char* usageText()
{
    return "usage: dravinor-sim [options]\n"
           "Simulates the mixer controller on a pseudo-terminal and prints its device path.\n"
           "  --link PATH          keep a symlink to the device at PATH\n"
           "  --identity BYTE      identity byte (default 0x31: type 1, firmware 3)\n"
           "  --eeprom FILE.PAR    start with this parameter file instead of the factory set\n"
           "  --silent             never answer\n"
           "  --no-pacing          answer at once instead of at 9600 baud\n"
           "  --ignore-writes N    leave the first N 's'/'R'/'r' frames unanswered\n"
           "  --wrong-checksum     'l' replies carry a checksum off by one\n"
           "  --late-tail MS       the last byte of each reply comes MS late\n"
           "  --long-reply N       follow every reply with N extra bytes\n"
           "  --noise PERCENT      chance of a garbage byte before a reply\n"
           "  --hang-up-after N    unplug the adapter after N frames\n"
           "  --unplug-after MS[,FOR_MS]\n"
           "                       unplug the adapter MS after the start and plug it in\n"
           "                       again FOR_MS later (default 2000) as a new device, the\n"
           "                       --link following it; SIGUSR1 unplugs and replugs too\n"
           "  --tps-falling        the car's throttle sensor falls as it opens\n"
           "  --fitter             a virtual fitter follows the auto-adaptation\n"
           "  --rpm N              the engine runs at N RPM (850-5000) instead of\n"
           "                       idling, the throttle held there\n"
           "  --probe MODEL        the car's lambda probe: healthy, slow, stuck-lean,\n"
           "                       stuck-rich, disconnected or biased\n"
           "  --late-answer A,MS[,queue][,once]\n"
           "                       the answer to reading parameter A comes MS late; with\n"
           "                       queue the frames sent meanwhile are answered after it,\n"
           "                       in order (else they are lost); with once only the\n"
           "                       first read of A is late\n"
           "  --late-identify MS[,N]\n"
           "                       the answer to identify comes MS late (only the Nth\n"
           "                       identify's, counted from 1, when N is given)\n"
           "  --identify-prefix BYTE[,N]\n"
           "                       a stray BYTE comes ahead of the identity byte (only\n"
           "                       in the Nth identify's answer when N is given)\n"
           "  --pause-at A,MS      at the first read of parameter A the controller falls\n"
           "                       silent for MS: that read and all it hears meanwhile\n"
           "                       go unanswered\n"
           "  --stalls MIN-MAX[,PERCENT]\n"
           "                       a reply reaches the tool MIN..MAX ms late (a loaded\n"
           "                       PC, a USB adapter's latency timer), PERCENT of them\n"
           "                       (default 100); later replies wait behind it\n"
           "  --seed N             seed of the random faults (--noise, --stalls), so a\n"
           "                       run can be repeated; random without it\n"
           "  --help               show this text\n"
           "  --version            show the program's version\n";
}

namespace {

// The arguments read one after another; a value that is missing or bad
// says so in the error, after the option it belongs to.
class ArgumentReader {
public:
    ArgumentReader(const std::vector<std::string>& args, std::string& error) : args_(args), error_(error) {}

    bool done() const { return next_ >= args_.size(); }
    const std::string& nextOption() { return option_ = args_[next_++]; }
    std::string& error() { return error_; }

    bool value(std::string& out)
    {
        if (done()) {
            error_ = option_ + " needs a value";
            return false;
        }
        out = args_[next_++];
        return true;
    }

    bool number(long low, long high, long& out)
    {
        std::string text;
        if (!value(text))
            return false;
        if (!parseNumber(text, low, high, out))
            return badValue(text, "");
        return true;
    }

    bool badValue(const std::string& text, const std::string& form)
    {
        error_ = option_ + ": bad value '" + text + "'" + form;
        return false;
    }

private:
    const std::vector<std::string>& args_;
    std::string& error_;
    std::size_t next_ = 0;
    std::string option_;
};

// Options without a value; false for any other.
bool setSwitch(const std::string& option, CommandLine& command)
{
    SimulatorOptions& options = command.options;
    if (option == "--help")
        command.help = true;
    else if (option == "--version")
        command.version = true;
    else if (option == "--silent")
        options.silent = true;
    else if (option == "--tps-falling")
        options.tpsFalling = true;
    else if (option == "--fitter")
        options.fitter = true;
    else if (option == "--no-pacing")
        options.pacing = false;
    else if (option == "--wrong-checksum")
        options.faults.wrongChecksum = true;
    else
        return false;
    return true;
}

enum class Parsed { Done, Failed, Unknown };

Parsed readValueOption(ArgumentReader& reader, const std::string& option, CommandLine& command)
{
    SimulatorOptions& options = command.options;
    long n = 0;
    std::string text;
    bool read = false;
    if (option == "--link") {
        read = reader.value(options.linkPath);
    } else if (option == "--eeprom") {
        read = reader.value(command.eepromFile);
    } else if (option == "--identity") {
        read = reader.number(0, 255, n);
        if (read)
            options.identity = static_cast<std::uint8_t>(n);
    } else if (option == "--rpm") {
        read = reader.number(850, 5000, n);
        if (read)
            options.steadyRpm = static_cast<double>(n);
    } else if (option == "--probe") {
        read = reader.value(text) && parseProbeModel(text, options.probeModel, reader.error());
    } else if (option == "--unplug-after") {
        read = reader.value(text) && (parseUnplug(text, command) || reader.badValue(text, " (MS[,FOR_MS])"));
    } else if (option == "--late-identify") {
        read = reader.value(text) &&
               (parseIdentifyFault(text, 1, 60'000, options.faults.lateIdentifyMs, options.faults.lateIdentifyNth) ||
                reader.badValue(text, " (MS[,N])"));
    } else if (option == "--identify-prefix") {
        read = reader.value(text) &&
               (parseIdentifyFault(text, 0, 255, options.faults.identifyPrefix, options.faults.identifyPrefixNth) ||
                reader.badValue(text, " (BYTE[,N])"));
    } else if (option == "--pause-at") {
        read = reader.value(text) && (parsePause(text, options.faults) || reader.badValue(text, " (ADDRESS,MS)"));
    } else if (option == "--stalls") {
        read =
            reader.value(text) && (parseStalls(text, options.faults) || reader.badValue(text, " (MIN-MAX[,PERCENT])"));
    } else if (option == "--seed") {
        read = reader.number(1, 0xFFFFFFFFL, n);
        if (read)
            options.noiseSeed = static_cast<std::uint32_t>(n);
    } else if (option == "--late-answer") {
        read = reader.value(text) &&
               (parseLateAnswer(text, options.faults) || reader.badValue(text, " (ADDRESS,MS[,queue][,once])"));
    } else if (const auto* fault = std::find_if(std::begin(faultNumbers), std::end(faultNumbers),
                                                [&](const FaultNumber& f) { return option == f.option; });
               fault != std::end(faultNumbers)) {
        read = reader.number(fault->low, fault->high, n);
        if (read)
            options.faults.*(fault->field) = static_cast<int>(n);
    } else {
        return Parsed::Unknown;
    }
    return read ? Parsed::Done : Parsed::Failed;
}

}  // namespace

bool parseCommandLine(const std::vector<std::string>& args, CommandLine& command, std::string& error)
{
    ArgumentReader reader(args, error);
    while (!reader.done()) {
        const std::string option = reader.nextOption();
        if (setSwitch(option, command))
            continue;
        switch (readValueOption(reader, option, command)) {
        case Parsed::Done: break;
        case Parsed::Failed: return false;
        case Parsed::Unknown: error = "unknown option '" + option + "'"; return false;
        }
    }
    return true;
}

}  // namespace dravinor::sim
