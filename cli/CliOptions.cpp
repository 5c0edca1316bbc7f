#include "CliOptions.h"

namespace dravinor::cli {

const char* const usageText =
    "Usage: dravinor-cli [--port PORT]... COMMAND [ARGUMENTS]\n"
    "\n"
    "Talks to the LPG mixer controller on a serial port, without a window.\n"
    "\n"
    "Commands (dravinor-cli COMMAND --help tells more of each):\n"
    "  ports                    COM1..COM10: device, stable name, USB adapter,\n"
    "                           driver, access and programs holding the port\n"
    "  identify                 show the controller's type and firmware version\n"
    "  read [-o FILE]           read all 35 parameters and print them decoded;\n"
    "                           with -o also save them as a parameter file (.PAR)\n"
    "  write [--force] FILE     send a parameter file to the controller\n"
    "                           (all to EEPROM, then all to RAM) and print what\n"
    "                           changed; a file that is not 64 bytes is refused\n"
    "                           unless --force\n"
    "  set ADDR VALUE           write one raw byte (ADDR 1..35, VALUE 0..255)\n"
    "  set FIELD VALUE          write one field's value in its units, as the\n"
    "                           parameter page does (set PRLambda 0,5)\n"
    "  diff A B                 compare two parameter sets, each a .PAR file or\n"
    "                           the word controller; exit 0 same, 1 different\n"
    "  reset                    write the default parameter set (twice, as the tool does)\n"
    "  live [--count N] [--csv] poll the live data every 50 ms and print it\n"
    "                           (N polls, default: until interrupted); --csv\n"
    "                           writes the window's recording format, which\n"
    "                           dravinor --replay FILE plays\n"
    "  adapt --ignition N --probe N [--temperature-sensor on|off] [--yes]\n"
    "                           run the auto-adaptation on the running engine\n"
    "  show FILE                decode a parameter file; no controller needed\n"
    "  defaults -o FILE         save the default parameter set as a file\n"
    "  journal [--last N]       list the writes to controllers, newest first\n"
    "                           (only the N newest with --last); set, write,\n"
    "                           reset and adapt are journalled, as the window's\n"
    "                           writes are\n"
    "\n"
    "  --version, -V            print the program's version\n"
    "\n"
    "Port selection:\n"
    "  --port COM3              use COM3 only (no scan)\n"
    "  --port /dev/ttyUSB0      use this device only (no scan)\n"
    "  --port COM1=/dev/ttyUSB0 map a port name to a device (repeatable); once\n"
    "                           any mapping is given, only mapped names exist\n"
    "  Without a port to use, COM1..COM10 are scanned for the controller.\n"
    "  By default COM1.. stand for the serial devices present: /dev/ttyUSB*,\n"
    "  /dev/ttyACM*, then /dev/ttyS* with a real UART. The environment variable\n"
    "  DRAVINOR_PORTS=\"COM1=/dev/x,COM2=/dev/y\" sets the map too; --port wins.\n"
    "\n"
    "Journal: $DRAVINOR_STATE_DIR/journal.log, else\n"
    "  $XDG_STATE_HOME/dravinor/journal.log, else ~/.local/state/dravinor/journal.log\n"
    "  (at 1 MB it moves to journal.log.1, replacing the one older file kept).\n"
    "\n"
    "Exit status: 0 success, 1 usage, 2 no port, no controller, the port went\n"
    "away or (live) no poll answered, 3 write not acknowledged or (live) some\n"
    "polls unanswered, 4 file error; adapt: 130 when interrupted; diff: 0 the\n"
    "same, 1 different, 2 trouble.\n";

namespace {

struct CommandHelp {
    const char* name;
    const char* usage;
    const char* text;
};

const CommandHelp commandHelps[] = {
    {"ports", "ports",
     "Lists COM1..COM10 and, for each, the device it stands for, the device's\n"
     "stable name under /dev/serial/by-id, the USB adapter (vendor:product, maker,\n"
     "product) and its driver, owner, group and mode, whether you may open it,\n"
     "and any program that holds it open, each with the command that helps.\n"},
    {"identify", "identify",
     "Finds the controller (the --port given, or a scan of COM1..COM10) and shows\n"
     "its type and firmware version.\n"},
    {"read", "read [-o FILE]",
     "Reads all 35 parameters from the controller and prints them decoded.\n"
     "  -o FILE   also save them as a parameter file; an existing FILE is kept\n"
     "            beside it as a .BAK copy\n"},
    {"write", "write [--force] FILE",
     "Sends a parameter file to the controller: all 35 parameters to EEPROM,\n"
     "then the RAM copy, and prints every value that changed.\n"
     "  --force   also send a file that is not 64 bytes long (its first 64\n"
     "            bytes, or as many as it has)\n"},
    {"set", "set ADDR VALUE | set FIELD VALUE",
     "set ADDR VALUE writes one raw byte: ADDR 1..35, VALUE 0..255 (decimal or\n"
     "0x..), to EEPROM and RAM with retries.\n"
     "set FIELD VALUE writes a parameter page field by its name, VALUE in the\n"
     "field's units (decimal comma or point): it is encoded as the page encodes\n"
     "it when the field is left, clamped to the field's limits with a warning,\n"
     "and written to the same addresses. Examples:\n"
     "  dravinor-cli set PRLambda 0,5        lambda probe threshold, volts\n"
     "  dravinor-cli set ODPBenzynaGas 2300  switch-over speed, RPM\n"
     "Fields: PRLambda ESLambda_1 ESLambda_2 PCTps ODPBenzynaGas DObrotow MONGaz\n"
     "TPWStopniach ZPAttuatoraPow_1 ZPAttuatoraPow_2 PSAttuatoraPow PAttuatoraPow\n"
     "ZPAttuatoraPon_1 ZPAttuatoraPon_2 PSAttuatoraPon PAttuatoraPon IKDCutOff\n"
     "OSDCutOff BTps CLambda AVoltage DOAttuatora RPMSignal\n"},
    {"diff", "diff A B",
     "Compares two parameter sets, each a parameter file (.PAR) or the word\n"
     "controller (read from the connected controller), and prints every value\n"
     "that differs with its caption and both values as the pages show them.\n"
     "Exit status: 0 the same, 1 different, 2 trouble (as diff).\n"},
    {"journal", "journal [--last N]",
     "Lists the writes made to controllers by this tool, newest first: time,\n"
     "port, controller, field, old and new value as stored and as shown, result.\n"
     "The journal is read from its end, so --last reads only what it lists.\n"
     "  --last N   only the N newest entries\n"
     "Exit status 4 when a journal file exists but cannot be read (a folder, a\n"
     "FIFO); the entries that could be read are listed all the same.\n"},
    {"reset", "reset", "Writes the default parameter set to the controller, twice, as the tool does.\n"},
    {"live", "live [--count N] [--csv]",
     "Polls the live data every 50 ms and prints it.\n"
     "  --count N  stop after N polls (default: until interrupted)\n"
     "  --csv      comma-separated values with a header line\n"},
    {"adapt", "adapt --ignition N --probe N [--temperature-sensor on|off] [--yes]",
     "Runs the auto-adaptation on the running engine: resets the parameters\n"
     "(asks first unless --yes), then measures and writes TPS, lambda and\n"
     "actuator settings. Enter stands for the wizard's buttons; --yes presses\n"
     "them at once. It starts only after all 35 parameters were read (exit 2\n"
     "otherwise); only whole live frames are samples, and a phase with more\n"
     "than a tenth of its polls bad is reported and journalled as doubtful.\n"
     "Exit 3 lists every write the controller did not acknowledge.\n"
     "  --ignition N   ignition type: 0..5 as the wizard's list\n"
     "  --probe N      lambda probe type: 0..5 as the wizard's list\n"
     "  --temperature-sensor on|off   tick or clear the temperature sensor\n"},
    {"show", "show FILE", "Decodes a parameter file; no controller needed.\n"},
    {"defaults", "defaults -o FILE", "Saves the default parameter set as a parameter file.\n"},
};

const CommandHelp* findHelp(const std::string& command)
{
    for (const CommandHelp& help : commandHelps)
        if (command == help.name)
            return &help;
    return nullptr;
}

}  // namespace

const char* commandUsage(const std::string& command)
{
    const CommandHelp* help = findHelp(command);
    return help ? help->usage : nullptr;
}

const char* commandHelp(const std::string& command)
{
    const CommandHelp* help = findHelp(command);
    return help ? help->text : nullptr;
}

bool parseCommandLine(int argc, char** argv, CliOptions& options, std::string& error)
{
    int i = 1;
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            return true;
        }
        if (arg == "--version" || arg == "-V") {
            options.version = true;
            return true;
        }
        if (arg == "--port" || arg.rfind("--port=", 0) == 0) {
            std::string value;
            if (arg == "--port") {
                if (i + 1 >= argc) {
                    error = "--port needs a value (COMn, a device path, or COMn=PATH)";
                    return false;
                }
                value = argv[++i];
            } else {
                value = arg.substr(7);
            }
            if (value.find('=') != std::string::npos)
                options.portAssignments.push_back(value);
            else
                options.port = value;
            continue;
        }
        if (!arg.empty() && arg[0] == '-') {
            error = "unknown option " + arg;
            return false;
        }
        break;
    }
    if (i >= argc) {
        error = "no command given";
        return false;
    }
    options.command = argv[i++];
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h")
            options.help = true;
        else
            options.arguments.push_back(arg);
    }
    return true;
}

}  // namespace dravinor::cli
