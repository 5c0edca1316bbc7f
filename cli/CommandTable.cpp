#include "CommandTable.h"

#include "AdaptOptions.h"

#include <algorithm>

namespace dravinor::cli {

namespace {

using enum OptionValue;

constexpr CommandOption readOptions[] = {{"-o", Text}};
constexpr CommandOption writeOptions[] = {{"--force"}, {"--yes"}};
constexpr CommandOption resetOptions[] = {{"--yes"}};
constexpr CommandOption showOptions[] = {{"--force"}};
constexpr CommandOption setOptions[] = {{"--clamp"}};
constexpr CommandOption journalOptions[] = {{"--last", Count}};
constexpr CommandOption liveOptions[] = {{"--count", Count}, {"--csv"}, {"--probe-health"}, {"--reconnect"}};
// The item numbers are checked by adapt itself, which lists the items.
constexpr CommandOption adaptOptions[] = {
    {"--ignition", Text}, {"--probe", Text}, {"--temperature-sensor", Text}, {"--yes"}, {"--force"}};
constexpr CommandOption defaultsOptions[] = {{"-o", Text}};
constexpr CommandOption reportOptions[] = {{"-o", Text},           {"--file", Text},     {"--registration", Text},
                                           {"--make-model", Text}, {"--odometer", Text}, {"--workshop", Text}};
constexpr CommandOption carsOptions[] = {{"--export", Text}, {"--import", Text}, {"--forget-current"}};
constexpr CommandOption carOptions[] = {{"--visit", Count}, {"-o", Text},      {"--add"},    {"--make-model", Text},
                                        {"--vin", Text},    {"--notes", Text}, {"--current"}};

constexpr int diffTrouble = 2;

const CommandSpec commands[] = {
    {.name = "ports",
     .usage = "ports",
     .help = "Lists COM1..COM10 and, for each, the device it stands for, the device's\n"
             "stable name under /dev/serial/by-id, the USB adapter (vendor:product, maker,\n"
             "product) and its driver, owner, group and mode, whether you may open it,\n"
             "and any program that holds it open, each with the command that helps.\n"},
    {.name = "identify",
     .usage = "identify",
     .help = "Finds the controller (the --port given, or a scan of COM1..COM10) and shows\n"
             "its type and firmware version.\n"},
    {.name = "read",
     .usage = "read [-o FILE]",
     .help = "Reads all 35 parameters from the controller and prints them as the\n"
             "parameter pages show them: field, caption, value, stored value, address.\n"
             "A value the controller gave no valid answer for says \"no answer\".\n"
             "  -o FILE   also save them as a parameter file; an existing FILE is kept\n"
             "            beside it as a .BAK copy\n",
     .options = readOptions},
    {.name = "write",
     .usage = "write [--force] [--yes] FILE",
     .help = "Sends a parameter file to the controller: all 35 parameters to EEPROM,\n"
             "then the RAM copy, and prints every value that changed. On a terminal it\n"
             "asks first, saying how many values the file changes; without a terminal\n"
             "it needs --yes. The controller's set as it was is kept first as a backup\n"
             "in the state folder (backups/), named in the journal; none when its\n"
             "parameters could not all be read, and it says so.\n"
             "  --force   also send a file that is not 64 bytes long (its first 64\n"
             "            bytes, or as many as it has)\n"
             "  --yes     write without asking\n",
     .options = writeOptions,
     .minOperands = 1,
     .maxOperands = 1,
     .operands = "one parameter file"},
    {.name = "set",
     .usage = "set ADDR VALUE | set [--clamp] FIELD VALUE",
     .help = "set ADDR VALUE writes one raw byte: ADDR 1..35, VALUE 0..255 (decimal or\n"
             "0x..), with retries, to EEPROM and RAM, or to EEPROM alone for the\n"
             "parameters kept only there (33..35).\n"
             "set FIELD VALUE writes a parameter page field by its name, VALUE in the\n"
             "field's units (decimal comma or point): it is encoded as the page encodes\n"
             "it when the field is left and written to the same addresses. A value\n"
             "outside the field's range is refused with the range (exit 1). A list\n"
             "field takes its item's text or its number (0 for the first). Examples:\n"
             "  dravinor-cli set PRLambda 0,5        lambda probe threshold, volts\n"
             "  dravinor-cli set ODPBenzynaGas 2300  switch-over speed, RPM\n"
             "  dravinor-cli set RSLambda 1          lambda probe type, second item\n"
             "  --clamp   take a value outside the range as the page does: the\n"
             "            nearest limit, with a warning\n"
             "Fields: PRLambda ESLambda_1 ESLambda_2 PCTps ODPBenzynaGas DObrotow MONGaz\n"
             "TPWStopniach ZPAttuatoraPow_1 ZPAttuatoraPow_2 PSAttuatoraPow PAttuatoraPow\n"
             "ZPAttuatoraPon_1 ZPAttuatoraPon_2 PSAttuatoraPon PAttuatoraPon IKDCutOff\n"
             "OSDCutOff BTps CLambda AVoltage DOAttuatora RPMSignal\n"
             "Lists: RSLambda RSYLambda TCTps RObrotow CNPaliw RUZaplonowego TPSterownika\n"
             "TSRezerwy TJazdy DOAttuatoraCheck\n",
     .options = setOptions,
     .minOperands = 2,
     .maxOperands = 2,
     .operands = "two arguments"},
    {.name = "diff",
     .usage = "diff A B",
     .help = "Compares two parameter sets, each a parameter file (.PAR) or the word\n"
             "controller (read from the connected controller), and prints every value\n"
             "that differs with its caption and both values as the pages show them.\n"
             "Exit status: 0 the same, 1 different, 2 trouble (as diff).\n",
     .minOperands = 2,
     .maxOperands = 2,
     .operands = "two sets",
     .usageExit = diffTrouble},
    {.name = "journal",
     .usage = "journal [--last N]",
     .help = "Lists the writes made to controllers by this tool, newest first: time,\n"
             "port, controller, field, old and new value as stored and as shown, result.\n"
             "The journal is read from its end, so --last reads only what it lists.\n"
             "  --last N   only the N newest entries\n"
             "Exit status 4 when a journal file exists but cannot be read (a folder, a\n"
             "FIFO); the entries that could be read are listed all the same.\n",
     .options = journalOptions},
    {.name = "reset",
     .usage = "reset [--yes]",
     .help = "Writes the default parameter set to the controller, twice, as the tool does.\n"
             "On a terminal it asks first, saying how many values it changes; without a\n"
             "terminal it needs --yes. The controller's set as it was is kept first as a\n"
             "backup in the state folder (backups/), named in the journal.\n"
             "  --yes     reset without asking\n",
     .options = resetOptions},
    {.name = "live",
     .usage = "live [--count N] [--csv] [--probe-health] [--reconnect]",
     .help = "Polls the live data every 50 ms and prints it.\n"
             "  --count N       stop after N polls (default: until interrupted)\n"
             "  --csv           comma-separated values with a header line\n"
             "  --probe-health  every second, the lambda probe's swing, crossings of the\n"
             "                  threshold, rich share, edge times and a verdict over the\n"
             "                  last 10 s above idle (on stderr with --csv)\n"
             "  --reconnect     when the adapter is unplugged, wait for it to come back\n"
             "                  and go on with the same controller (another is not used)\n",
     .options = liveOptions},
    {.name = "adapt",
     .usage = "adapt --ignition N --probe N [--temperature-sensor on|off] [--yes] [--force]",
     .help = "Runs the auto-adaptation on the running engine: resets the parameters\n"
             "(asks first unless --yes), then measures and writes TPS, lambda and\n"
             "actuator settings. Enter stands for the wizard's buttons; --yes presses\n"
             "them at once. It starts only after all 35 parameters were read (exit 2\n"
             "otherwise); only whole live frames are samples, and a phase with more\n"
             "than a tenth of its polls bad is reported and journalled as doubtful.\n"
             "A lambda probe that is stuck or gives no signal in the lambda phases\n"
             "stops it before the lambda threshold is written (exit 5).\n"
             "Exit 3 lists every write the controller did not acknowledge, or says\n"
             "that it went on with a failed probe.\n"
             "  --ignition N   ignition type: a number of the wizard's list below\n"
             "  --probe N      lambda probe type: a number of the wizard's list below\n"
             "  --temperature-sensor on|off   tick or clear the temperature sensor\n"
             "  --force        go on with a failed probe; its results are marked\n"
             "                 doubtful in the journal and the exit status (3)\n",
     .options = adaptOptions,
     .helpLists = adaptItemLists},
    {.name = "show",
     .usage = "show [--force] FILE",
     .help = "Decodes a parameter file, as the parameter pages would show it; no\n"
             "controller needed. A file that is not 64 bytes long is refused.\n"
             "  --force   decode it anyway (missing bytes taken as 0, extra ones\n"
             "            left out)\n",
     .options = showOptions,
     .minOperands = 1,
     .maxOperands = 1,
     .operands = "one parameter file"},
    {.name = "report",
     .usage = "report -o FILE.pdf [--file CAR.PAR] [--registration TEXT] [--make-model TEXT] [--odometer TEXT] "
              "[--workshop TEXT]",
     .help = "Writes the customer's report as an A4 PDF: the car, the workshop, the date,\n"
             "the controller's type and firmware, and every parameter with its caption\n"
             "and value as the parameter pages show them (in Polish). The parameters are\n"
             "read from the controller, or from a parameter file with --file. A value the\n"
             "controller gave no valid answer for is marked as not read, never shown;\n"
             "the report is written all the same and the exit status is 2.\n"
             "  -o FILE            the PDF; an existing FILE is replaced only once the\n"
             "                     new one is complete\n"
             "  --file CAR.PAR     the parameters of a parameter file; no controller needed\n"
             "  --registration, --make-model, --odometer, --workshop TEXT\n"
             "                     the car's registration number, make and model,\n"
             "                     odometer reading, and the workshop's name\n",
     .options = reportOptions},
    {.name = "defaults",
     .usage = "defaults -o FILE",
     .help = "Saves the default parameter set as a parameter file.\n",
     .options = defaultsOptions},
    {.name = "cars",
     .usage = "cars [TEXT] | cars --export FILE.json | cars --import FILE.json | cars --forget-current",
     .help = "The workshop's car book: every car, its visits and the sets its controller\n"
             "held. Without TEXT it lists every car; with TEXT the cars whose registration\n"
             "holds it (spaces, dashes and case do not count; those that start with it\n"
             "first) or whose make and model does: registration, make and model, the\n"
             "number of visits and the last one.\n"
             "  --export FILE.json  write the whole book, sets and reports included, to\n"
             "                      one file, to move it to another PC\n"
             "  --import FILE.json  merge such a file into this book: a car is matched by\n"
             "                      its registration, a visit already here (same car, time\n"
             "                      and read set) is skipped, never overwritten; says how\n"
             "                      many it took and skipped. A file with anything wrong\n"
             "                      in it is refused whole (exit 4)\n"
             "  --forget-current    no car is current any more (see car --current)\n"
             "The book is workshop.sqlite in $DRAVINOR_DATA_DIR, else\n"
             "$XDG_DATA_HOME/dravinor, else ~/.local/share/dravinor. A damaged book is\n"
             "kept as workshop.sqlite.damaged-DATE-TIME and a new one started.\n",
     .options = carsOptions,
     .maxOperands = 1,
     .operands = "at most one search text"},
    {.name = "car",
     .usage = "car REG [--visit N [-o FILE.PAR]] [--add --make-model TEXT [--vin V] [--notes T]] [--current]",
     .help = "One car of the car book, by its registration number (spaces, dashes and\n"
             "case do not count): its details and its visits, newest first, numbered\n"
             "from the first visit (a visit keeps its number when later ones come).\n"
             "  --visit N              show visit N whole: what its auto-adaptation measured\n"
             "                         and the writes it made, as the journal still holds them\n"
             "  --visit N -o FILE.PAR  save the set visit N left with (its end set), or the\n"
             "                         set read when it came when it has none, as a\n"
             "                         parameter file; an existing FILE is kept beside it\n"
             "                         as a .BAK copy\n"
             "  --add --make-model TEXT [--vin V] [--notes T]\n"
             "                         add the car to the book, its registration as typed\n"
             "  --current              make it the car on the lift: every whole read\n"
             "                         (dravinor-cli read) is then recorded as a visit of\n"
             "                         it, with the controller's type and firmware, and\n"
             "                         every write the controller took whole as the end\n"
             "                         set, every auto-adaptation (finished or left) and\n"
             "                         every command's writes, and every report saved as\n"
             "                         the report, of its visit of today (a new one if\n"
             "                         none), until another car is current, cars\n"
             "                         --forget-current, or the day ends (the next day it\n"
             "                         must be chosen again)\n",
     .options = carOptions,
     .minOperands = 1,
     .maxOperands = 1,
     .operands = "one registration number"},
};

}  // namespace

std::span<const CommandSpec> commandTable()
{
    return commands;
}

const CommandSpec* findCommand(std::string_view name)
{
    const auto it = std::find_if(std::begin(commands), std::end(commands),
                                 [name](const CommandSpec& command) { return command.name == name; });
    return it == std::end(commands) ? nullptr : &*it;
}

const CommandOption* findOption(const CommandSpec& command, std::string_view name)
{
    const auto it = std::find_if(command.options.begin(), command.options.end(),
                                 [name](const CommandOption& option) { return option.name == name; });
    return it == command.options.end() ? nullptr : &*it;
}

}  // namespace dravinor::cli
