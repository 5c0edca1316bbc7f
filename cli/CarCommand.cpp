#include "Arguments.h"
#include "BookTexts.h"
#include "CliOptions.h"
#include "Commands.h"
#include "JournalLineText.h"
#include "ParameterFileCommands.h"
#include "SaveTargetText.h"

#include "book/CurrentCar.h"
#include "book/VisitJournal.h"

#include "params/PathText.h"

#include <iostream>
#include <optional>

namespace dravinor::cli {

namespace {

std::string visitLine(std::size_t number, const book::Visit& visit)
{
    std::string line = (number < 10 ? "  " : " ") + std::to_string(number) + "  " + visitTimeText(visit.time);
    if (visit.odometer)
        line += "  " + std::to_string(*visit.odometer) + " km";
    if (!visit.controllerType.empty() || !visit.firmware.empty())
        line += "  controller type " + visit.controllerType + ", firmware " + visit.firmware;
    std::string held;
    const auto add = [&held](bool has, const char* what) {
        if (has)
            held += (held.empty() ? "" : ", ") + std::string(what);
    };
    add(visit.readSet.has_value(), "read set");
    add(visit.endSet.has_value(), "end set");
    add(visit.adaptation.has_value(), "adaptation");
    add(visit.reportPdf.has_value(), "report");
    add(visit.journal.has_value(), "writes");
    if (!held.empty())
        line += "  [" + held + "]";
    if (!visit.notes.empty())
        line += "  " + visit.notes;
    return line;
}

void printCar(const book::Car& car, const std::vector<book::Visit>& visits)
{
    std::cout << car.registration << "  " << (car.makeModel.empty() ? "-" : car.makeModel);
    if (!car.vin.empty())
        std::cout << "  VIN " << car.vin;
    std::cout << '\n';
    if (!car.notes.empty())
        std::cout << "  " << car.notes << '\n';
    if (visits.empty())
        std::cout << "No visits yet\n";
    // Numbered from the first visit, so that a visit keeps its number when
    // later ones come; listed newest first.
    for (std::size_t i = 0; i < visits.size(); ++i)
        std::cout << visitLine(visits.size() - i, visits[i]) << '\n';
}

int addCar(book::CarBook& book, const std::string& registration, const CliOptions& options)
{
    book::Car car{0, registration, options.value("--make-model").value_or(""), options.value("--vin").value_or(""),
                  options.value("--notes").value_or("")};
    const book::BookWrite write = book.addCar(car);
    if (write == book::BookWrite::DuplicateCar) {
        const auto known = book.carByRegistration(registration);
        std::cerr << "dravinor-cli: " << (known ? known->registration : registration)
                  << " is in the car book already; nothing added\n";
        return exitUsage;
    }
    if (write != book::BookWrite::Done) {
        std::cerr << "dravinor-cli: cannot add " << registration << ": " << bookWriteText(write) << '\n';
        return write == book::BookWrite::EmptyRegistration ? exitUsage : exitFileError;
    }
    std::cerr << "Added " << registration << " to the car book\n";
    return exitSuccess;
}

// Visit `number` of the car's (newest first), or nullopt after saying which there are.
std::optional<book::Visit> numberedVisit(const book::CarBook& book, const book::Car& car, long number)
{
    const auto visits = book.visitsOf(car.id);
    if (number < 1 || static_cast<std::size_t>(number) > visits.size()) {
        std::cerr << "dravinor-cli: " << car.registration << " has "
                  << (visits.empty() ? "no visits" : "visits 1.." + std::to_string(visits.size())) << ", not visit "
                  << number << '\n';
        return std::nullopt;
    }
    return visits[visits.size() - static_cast<std::size_t>(number)];
}

// The writes a visit made, as the journal still holds them.
void printVisitWrites(const book::Visit& visit, const params::WriteJournal& journal)
{
    const auto found = book::visitJournalEntries(journal, {visit});
    for (const auto& problem : found.problems)
        std::cerr << "dravinor-cli: " << journalProblemText(problem) << '\n';
    const auto& entries = found.entries.front();
    if (entries.empty()) {
        std::cout << "  Writes: the journal no longer holds them (" << params::utf8Text(journal.path())
                  << " keeps the last 2 MB of writes)\n";
        return;
    }
    std::cout << "  Writes (newest first):\n";
    for (const params::JournalEntry& entry : entries)
        std::cout << "    " << journalLineText(entry) << '\n';
}

// One visit whole: its line, then what the auto-adaptation measured and
// the writes it made.
int showVisit(const book::CarBook& book, const book::Car& car, long number, const params::WriteJournal& journal)
{
    const auto visit = numberedVisit(book, car, number);
    if (!visit)
        return exitUsage;
    std::cout << car.registration << "  " << (car.makeModel.empty() ? "-" : car.makeModel) << '\n'
              << visitLine(static_cast<std::size_t>(number), *visit) << '\n';
    if (visit->adaptation) {
        std::cout << "  Auto-adaptation:\n";
        for (std::size_t start = 0; start < visit->adaptation->size();) {
            const std::size_t end = visit->adaptation->find('\n', start);
            std::cout << "    " << visit->adaptation->substr(start, end - start) << '\n';
            start = end == std::string::npos ? visit->adaptation->size() : end + 1;
        }
    }
    if (visit->journal)
        printVisitWrites(*visit, journal);
    return exitSuccess;
}

// A visit's end set, or the set read when it came when it has no end set.
int saveVisitSet(const book::CarBook& book, const book::Car& car, long number, const std::string& output)
{
    const auto found = numberedVisit(book, car, number);
    if (!found)
        return exitUsage;
    const book::Visit& visit = *found;
    const auto& set = visit.endSet ? visit.endSet : visit.readSet;
    if (!set) {
        std::cerr << "dravinor-cli: visit " << number << " of " << car.registration << " (" << visitTimeText(visit.time)
                  << ") holds no parameter set; nothing saved\n";
        return exitFileError;
    }
    std::cerr << "Visit " << number << " of " << car.registration << " (" << visitTimeText(visit.time) << "): the "
              << (visit.endSet ? "set it held at the end" : "set read when it came (it has no end set)") << '\n';
    return saveFile(output, *set);
}

std::string optionProblem(const CliOptions& options)
{
    const bool adding = options.has("--add");
    if (!adding && (options.has("--make-model") || options.has("--vin") || options.has("--notes")))
        return "--make-model, --vin and --notes go with --add";
    if (adding && !options.has("--make-model"))
        return "car --add needs --make-model TEXT";
    if (options.has("-o") && !options.has("--visit"))
        return "-o FILE goes with --visit N";
    if (options.has("--visit") && (adding || options.has("--current")))
        return "--visit shows or saves a visit; it goes with neither --add nor --current";
    return {};
}

}  // namespace

int runCar(const CliOptions& options, const params::SessionWiring& wiring)
{
    if (const std::string problem = optionProblem(options); !problem.empty())
        return usageError("car", problem);
    const std::string& registration = options.arguments.front();
    const auto output = options.value("-o");
    // Nothing opened for a file that would be refused.
    if (output && !outputAccepted(*output, "the parameter file"))
        return exitFileError;
    book::CarBook book;
    if (!openBookForCommand(book))
        return exitFileError;
    if (options.has("--add"))
        if (const int code = addCar(book, registration, options); code != exitSuccess)
            return code;
    const auto car = book.carByRegistration(registration);
    if (!car) {
        std::cerr << "dravinor-cli: no car " << registration
                  << " in the car book (dravinor-cli car REG --add --make-model TEXT adds it)\n";
        return exitUsage;
    }
    if (output)
        return saveVisitSet(book, *car, *options.count("--visit"), *output);
    if (options.has("--visit"))
        return showVisit(book, *car, *options.count("--visit"),
                         params::WriteJournal(wiring.journalPath.empty() ? params::WriteJournal::defaultPath()
                                                                         : wiring.journalPath));
    if (options.has("--current")) {
        if (!book::rememberCurrentCar(book.file(), car->registration)) {
            std::cerr << "dravinor-cli: cannot write " << params::utf8Text(book::currentCarPath(book.file())) << '\n';
            return exitFileError;
        }
        std::cerr << car->registration
                  << " is the current car: dravinor-cli read records a visit of it (cars --forget-current stops "
                     "that)\n";
        return exitSuccess;
    }
    if (!options.has("--add"))
        printCar(*car, book.visitsOf(car->id));
    return exitSuccess;
}

}  // namespace dravinor::cli
