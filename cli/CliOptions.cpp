#include "CliOptions.h"

#include "CommandTable.h"
#include "PlatformHelpText.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <ostream>

namespace dravinor::cli {

const char* const usageText = "Usage: dravinor-cli [--port PORT]... COMMAND [ARGUMENTS]\n"
                              "\n"
                              "Talks to the LPG mixer controller on a serial port, without a window.\n"
                              "The global options --port, --help and --version may stand before or after\n"
                              "the command; -- ends the options (for a file named like one).\n"
                              "\n"
                              "Commands (dravinor-cli COMMAND --help tells more of each):\n"
                              "  ports                    COM1..COM10: device, stable name, USB adapter,\n"
                              "                           driver, access and programs holding the port\n"
                              "  identify                 show the controller's type and firmware version\n"
                              "  read [-o FILE]           read all 35 parameters and print them as the\n"
                              "                           parameter pages show them;\n"
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
                              "  show FILE                show a parameter file as the pages would; no\n"
                              "                           controller needed\n"
                              "  defaults -o FILE         save the default parameter set as a file\n"
                              "  journal [--last N]       list the writes to controllers, newest first\n"
                              "                           (only the N newest with --last); set, write,\n"
                              "                           reset and adapt are journalled, as the window's\n"
                              "                           writes are\n"
                              "  report -o FILE.pdf [--file CAR.PAR] [--registration ..] [--make-model ..]\n"
                              "         [--odometer ..] [--workshop ..]\n"
                              "                           the customer's report as PDF: the car, every\n"
                              "                           parameter as the pages show it, from the\n"
                              "                           controller or a parameter file\n"
                              "  cars [TEXT]              the car book: search the cars (all without TEXT);\n"
                              "                           --export / --import FILE.json moves the book\n"
                              "  car REG                  one car's visits, newest first; --visit N -o FILE\n"
                              "                           saves a visit's set; --add --make-model TEXT adds\n"
                              "                           the car; --current records each read as its visit\n"
                              "                           and each write, adaptation and report into it\n"
                              "\n"
                              "  --help, -h               this help; with a command, the command's help\n"
                              "  --version, -V            print the program's version\n"
                              "\n" DRAVINOR_PORT_SELECTION_HELP "\n" DRAVINOR_JOURNAL_HELP "\n" DRAVINOR_CAR_BOOK_HELP
                              "Exit status: 0 success, 1 usage, 2 no port, no controller, the port went\n"
                              "away or (live) no poll answered, 3 write not acknowledged or (live) some\n"
                              "polls unanswered, 4 file error; adapt: 130 when interrupted; diff: 0 the\n"
                              "same, 1 different, 2 trouble.\n";

namespace {

constexpr const char* portValueHint = "(COMn, a device path, or COMn=PATH)";

// "-5" and "-,5" are values (a temperature, a voltage), not options.
bool looksLikeOption(std::string_view argument)
{
    if (argument.size() < 2 || argument[0] != '-')
        return false;
    const char next = argument[1];
    return !(std::isdigit(static_cast<unsigned char>(next)) || next == ',' || next == '.');
}

std::optional<long> countValue(std::string_view text)
{
    long value = 0;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || end != text.data() + text.size() || failure == std::errc::invalid_argument)
        return std::nullopt;
    // Out of range counts as too large: it is a number all the same.
    return failure == std::errc::result_out_of_range ? 0 : value;
}

// Checks a count's text; empty when it is one.
std::string countProblem(std::string_view option, const std::string& text)
{
    const auto value = countValue(text);
    if (!value)
        return std::string(option) + " '" + text + "' is not a number (1 or more)";
    if (*value < 1)
        return std::string(option) + " " + text + " out of 1..";
    return {};
}

std::string operandsProblem(const CommandSpec& command, const std::vector<std::string>& operands)
{
    const auto count = static_cast<int>(operands.size());
    if (count >= command.minOperands && count <= command.maxOperands)
        return {};
    const std::string name(command.name);
    if (command.maxOperands == 0)
        return name + " takes no arguments, got '" + operands.front() + "'";
    return name + " takes " + std::string(command.operands) + ", got " + std::to_string(count);
}

class LineParser {
public:
    LineParser(const std::vector<std::string>& arguments, CliOptions& options)
        : arguments_(arguments), options_(options)
    {
    }

    bool parse(UsageProblem& problem)
    {
        bool optionsEnded = false;
        for (index_ = 0; index_ < arguments_.size(); ++index_) {
            const std::string& argument = arguments_[index_];
            if (!optionsEnded && argument == "--")
                optionsEnded = true;
            else if (optionsEnded || !looksLikeOption(argument))
                takeWord(argument);
            else if (!takeGlobalOption(argument))
                takeCommandOption(argument);
        }
        // A wrong option before the command may have made a command of its value.
        if (!problemBeforeCommand_ && !options_.command.empty() && !command_) {
            problem = {"unknown command '" + options_.command + "'", "", exitUsage};
            return false;
        }
        if (options_.help || options_.version)
            return true;
        if (problemBeforeCommand_) {
            problem = {first_, "", exitUsage};
            return false;
        }
        if (!command_)
            note(first_.empty() ? "no command given" : first_);
        else if (first_.empty())
            note(operandsProblem(*command_, options_.arguments));
        if (first_.empty())
            return true;
        problem = {first_, command_ ? std::string(command_->name) : std::string(),
                   command_ ? command_->usageExit : exitUsage};
        return false;
    }

private:
    // Only the first problem is told; the rest of the line is still read
    // for a --help or --version that answers whatever else is wrong.
    void note(std::string problem)
    {
        if (first_.empty()) {
            first_ = std::move(problem);
            problemBeforeCommand_ = options_.command.empty();
        }
    }

    void takeWord(const std::string& word)
    {
        if (!options_.command.empty()) {
            options_.arguments.push_back(word);
            return;
        }
        options_.command = word;
        command_ = findCommand(word);
    }

    // The value of an option: after its '=', or the next argument.
    std::optional<std::string> valueOf(const std::string& argument, std::size_t nameLength)
    {
        if (argument.size() > nameLength)
            return argument.substr(nameLength + 1);
        if (index_ + 1 >= arguments_.size())
            return std::nullopt;
        return arguments_[++index_];
    }

    bool takeGlobalOption(const std::string& argument)
    {
        if (argument == "--help" || argument == "-h") {
            options_.help = true;
            return true;
        }
        if (argument == "--version" || argument == "-V") {
            options_.version = true;
            return true;
        }
        if (argument != "--port" && !argument.starts_with("--port="))
            return false;
        // A device path never starts with a dash: "--port --help" lacks its value.
        const bool followedByOption =
            argument == "--port" && index_ + 1 < arguments_.size() && looksLikeOption(arguments_[index_ + 1]);
        const auto value = followedByOption ? std::nullopt : valueOf(argument, 6);
        if (!value || value->empty()) {
            note(std::string("--port needs a value ") + portValueHint);
            return true;
        }
        if (value->find('=') != std::string::npos)
            options_.portAssignments.push_back(*value);
        else
            options_.port = *value;
        return true;
    }

    void takeCommandOption(const std::string& argument)
    {
        const std::size_t equals = argument.starts_with("--") ? argument.find('=') : std::string::npos;
        const std::string name = argument.substr(0, equals);
        if (!command_) {
            // Before the command, or after an unknown one (told above).
            if (options_.command.empty())
                note("unknown option '" + argument + "'");
            return;
        }
        const CommandOption* option = findOption(*command_, name);
        if (!option) {
            note(std::string(command_->name) + " has no option '" + name + "'");
            return;
        }
        std::string value;
        if (option->value == OptionValue::None) {
            if (equals != std::string::npos)
                note(name + " takes no value");
        } else if (const auto given = valueOf(argument, name.size())) {
            value = *given;
            if (option->value == OptionValue::Count)
                if (std::string problem = countProblem(name, value); !problem.empty())
                    note(std::move(problem));
        } else {
            note(name + " needs a value");
        }
        options_.commandOptions.emplace_back(name, std::move(value));
    }

    const std::vector<std::string>& arguments_;
    CliOptions& options_;
    const CommandSpec* command_ = nullptr;
    std::size_t index_ = 0;
    std::string first_;
    bool problemBeforeCommand_ = false;
};

}  // namespace

bool CliOptions::has(std::string_view option) const
{
    return std::any_of(commandOptions.begin(), commandOptions.end(),
                       [option](const auto& given) { return given.first == option; });
}

std::optional<std::string> CliOptions::value(std::string_view option) const
{
    const auto it = std::find_if(commandOptions.rbegin(), commandOptions.rend(),
                                 [option](const auto& given) { return given.first == option; });
    if (it == commandOptions.rend())
        return std::nullopt;
    return it->second;
}

std::optional<long> CliOptions::count(std::string_view option) const
{
    const auto text = value(option);
    return text ? countValue(*text) : std::nullopt;
}

bool parseCommandLine(const std::vector<std::string>& arguments, CliOptions& options, UsageProblem& problem)
{
    options = CliOptions{};
    return LineParser(arguments, options).parse(problem);
}

bool parseCommandLine(int argc, char** argv, CliOptions& options, UsageProblem& problem)
{
    return parseCommandLine(std::vector<std::string>(argv + std::min(argc, 1), argv + argc), options, problem);
}

int reportUsageProblem(const UsageProblem& problem, std::ostream& out)
{
    out << "dravinor-cli: " << problem.message << "\nTry 'dravinor-cli "
        << (problem.command.empty() ? "" : problem.command + " ") << "--help'.\n";
    return problem.exitCode;
}

std::string helpText(const std::string& command)
{
    const CommandSpec* spec = findCommand(command);
    if (!spec)
        return usageText;
    return "usage: dravinor-cli [--port PORT]... " + std::string(spec->usage) + "\n\n" + std::string(spec->help) +
           (spec->helpLists ? spec->helpLists() : std::string());
}

}  // namespace dravinor::cli
