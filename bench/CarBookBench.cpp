// The car book at a busy workshop's size: 10,000 cars of 10 visits each,
// both sets in every visit and a small report in every tenth. Opening it,
// a search as the fitter types one, two and three letters of a registration,
// and recording a visit, each the median of runs against its goal
// (100 ms, 20 ms, 5 ms). The book is generated once into a temporary folder.
//
//   dravinor_carbook_bench [cars] [runs]
#include "MedianTime.h"
#include "book/BookRows.h"
#include "book/CarBook.h"
#include "book/Sqlite.h"
#include "book/VisitRecording.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <unistd.h>

using namespace dravinor;
namespace fs = std::filesystem;

using dravinor::bench::medianMs;

namespace {

constexpr const char* makes[] = {"Opel Astra G 1.6",   "Škoda Octavia 1.8T", "Fiat Punto II",  "Ford Focus 1.6",
                                 "Volkswagen Golf IV", "Daewoo Lanos",       "Renault Megane", "Toyota Corolla",
                                 "Honda Civic",        "Лада Приора"};

std::string registrationOf(std::mt19937& random)
{
    static constexpr char letters[] = "ABCDEFGHIJKLMNOPRSTUWXYZ";
    std::uniform_int_distribution<int> letter(0, 23);
    std::uniform_int_distribution<int> digit(0, 9);
    std::string text;
    for (int i = 0; i < 2; ++i)
        text += letters[letter(random)];
    text += ' ';
    for (int i = 0; i < 5; ++i)
        text += static_cast<char>(i == 4 ? letters[letter(random)] : '0' + digit(random));
    return text;
}

book::Visit visitOf(std::int64_t carId, std::int64_t time, int n)
{
    book::Visit visit;
    visit.carId = carId;
    visit.time = time;
    visit.odometer = 100000 + n * 1500;
    visit.controllerType = "3";
    visit.firmware = "1";
    visit.readSet.emplace();
    visit.readSet->bytes().fill(static_cast<std::uint8_t>(n));
    visit.endSet.emplace();
    visit.endSet->bytes().fill(static_cast<std::uint8_t>(n + 1));
    if (n % 10 == 0)
        visit.reportPdf = std::vector<std::uint8_t>(3000, 0x25);
    visit.notes = "reducer screw turned, lambda checked";
    visit.journal = book::JournalRange{n * 10, n * 10 + 7};
    return visit;
}

// Generated in one transaction: a visit a transaction would take minutes.
bool generate(book::CarBook& carBook, int cars)
{
    std::mt19937 random(42);
    book::Transaction transaction(carBook.handle());
    for (int c = 0; c < cars; ++c) {
        book::Car car{0, registrationOf(random), makes[c % 10], "", ""};
        if (book::insertCar(carBook.handle(), car) != SQLITE_OK)
            continue;  // a registration drawn twice
        for (int v = 0; v < 10; ++v) {
            book::Visit visit = visitOf(car.id, 1600000000 + v * 2592000 + c, v);
            if (book::insertVisit(carBook.handle(), visit) != SQLITE_OK)
                return false;
        }
    }
    return transaction.commit() == SQLITE_OK;
}

void report(const char* what, double ms, double goalMs)
{
    std::printf("  %-34s %8.3f ms  ratio %.3f to the %.0f ms goal (goal <= 1)\n", what, ms, ms / goalMs, goalMs);
}

}  // namespace

int main(int argc, char** argv)
{
    const int cars = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 25;
    const fs::path folder = fs::temp_directory_path() / ("dravinor-carbook-bench-" + std::to_string(::getpid()));
    const fs::path file = folder / "workshop.sqlite";
    {
        book::CarBook carBook;
        if (!book::usable(carBook.open(file).outcome) || !generate(carBook, cars)) {
            std::fprintf(stderr, "cannot generate the book in %s\n", folder.c_str());
            return 1;
        }
        std::printf("%zu cars, %d visits each, %.1f MB\n", carBook.findCars("").size(), 10,
                    static_cast<double>(fs::file_size(file)) / 1e6);
    }
    std::printf("median of %d runs:\n", runs);

    report("open (size as last closed)",
           medianMs(runs,
                    [&] {
                        book::CarBook carBook;
                        carBook.open(file);
                    }),
           100);
    // After another program changed the file: the whole-file check runs.
    const std::string changedSize = std::to_string(fs::file_size(file) + 1);
    report("open after a change (quick_check)",
           medianMs(5,
                    [&] {
                        std::FILE* record = std::fopen((file.string() + ".checked-size").c_str(), "w");
                        std::fputs(changedSize.c_str(), record);
                        std::fclose(record);
                        book::CarBook carBook;
                        carBook.open(file);
                    }),
           100);

    book::CarBook carBook;
    carBook.open(file);
    for (const char* typed : {"W", "WX", "WX1"}) {
        std::size_t found = 0;
        const double ms = medianMs(runs, [&] { found = carBook.findCars(typed, 50).size(); });
        const std::string what = std::string("search '") + typed + "', first 50 of them";
        report(what.c_str(), ms, 20);
        std::size_t all = 0;
        const double allMs = medianMs(runs, [&] { all = carBook.findCars(typed).size(); });
        const std::string whatAll = std::string("search '") + typed + "', all " + std::to_string(all);
        report(whatAll.c_str(), allMs, 20);
        (void)found;
    }
    const auto someCar = carBook.findCars("", 1).front().car;
    int n = 0;
    report("record a visit (one transaction)",
           medianMs(runs,
                    [&] {
                        book::Visit visit = visitOf(someCar.id, 1800000000 + n, n);
                        ++n;
                        carBook.addVisit(visit);
                    }),
           5);
    report("a car's visits, newest first", medianMs(runs, [&] { carBook.visitsOf(someCar.id); }), 20);
    // What each field's write adds in the window while a car is current.
    std::int64_t writtenAt = 1800000000000;
    report("a write into today's visit",
           medianMs(runs,
                    [&] {
                        ++writtenAt;
                        book::recordJournal(carBook, someCar, {writtenAt, writtenAt}, std::nullopt, 1800000000);
                    }),
           5);
    carBook.close();
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return 0;
}
