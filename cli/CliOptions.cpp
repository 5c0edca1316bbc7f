#include "CliOptions.h"

namespace dravinor::cli {

const char* const usageText =
    "Usage: dravinor-cli [--port PORT]... COMMAND [ARGUMENTS]\n"
    "\n"
    "Talks to the LPG mixer controller on a serial port, without a window.\n"
    "\n"
    "Commands:\n"
    "  ports                    list COM1..COM10 and the device each one stands for\n"
    "  identify                 show the controller's type and firmware version\n"
    "  read [-o FILE]           read all 35 parameters and print them decoded;\n"
    "                           with -o also save them as a parameter file (.PAR)\n"
    "  write [--force] FILE     send a parameter file to the controller\n"
    "                           (all to EEPROM, then all to RAM); a file that is\n"
    "                           not 64 bytes is refused unless --force\n"
    "  set ADDR VALUE           write one raw byte (ADDR 1..35, VALUE 0..255)\n"
    "                           to EEPROM and RAM, with retries\n"
    "  reset                    write the default parameter set (twice, as the tool does)\n"
    "  live [--count N] [--csv] poll the live data every 50 ms and print it\n"
    "                           (N polls, default: until interrupted)\n"
    "  adapt --ignition N --probe N [--temperature-sensor on|off] [--yes]\n"
    "                           run the auto-adaptation on the running engine:\n"
    "                           resets the parameters (asks first unless --yes),\n"
    "                           then measures and writes TPS, lambda and actuator\n"
    "                           settings; Enter stands for the wizard's buttons,\n"
    "                           --yes presses them at once\n"
    "  show FILE                decode a parameter file; no controller needed\n"
    "  defaults -o FILE         save the default parameter set as a file\n"
    "  journal [--last N]       list the writes to controllers, newest first\n"
    "                           (only the N newest with --last); set, write,\n"
    "                           reset and adapt are journalled, as the window's\n"
    "                           writes are\n"
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
    "  (at 1 MB it moves to journal.log.1).\n"
    "\n"
    "Exit status: 0 success, 1 usage, 2 no port, no controller, the port went\n"
    "away or (live) no poll answered, 3 write not acknowledged or (live) some\n"
    "polls unanswered, 4 file error; adapt: 130 when interrupted.\n";

bool parseCommandLine(int argc, char** argv, CliOptions& options, std::string& error)
{
    int i = 1;
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
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
