// `dravinor-cli journal --last 3` on a journal grown far beyond its 1 MB
// rotation (50 MB by default, written straight into the file): the time
// and the memory to list the newest entries from the end, against reading
// the whole journal from its start as lists did before. Median of runs.
//
//   dravinor_journal_tail_bench [megabytes] [runs]
#include "MedianTime.h"
#include "params/JournalListing.h"
#include "params/WriteJournal.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

using namespace dravinor;
namespace fs = std::filesystem;

using dravinor::bench::medianMs;

namespace {

long peakKilobytes()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv)
{
    const long megabytes = argc > 1 ? std::atol(argv[1]) : 50;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 9;
    const fs::path dir = fs::temp_directory_path() / ("dravinor-journal-tail-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const params::WriteJournal journal(dir / "journal.log");

    params::JournalEntry e;
    e.time = "2026-12-08T07:32:05.123Z";
    e.port = "COM1";
    e.controller = "3/1";
    e.kind = params::JournalKind::Write;
    e.source = params::WriteSource::Field;
    e.address = e.lastAddress = 11;
    e.field = "PAttuatoraPon";
    e.oldRaw = 75;
    e.newRaw = 85;
    e.oldShown = "75";
    e.newShown = "85";
    e.acknowledged = true;
    e.controllerSet = "0a1b2c3d";
    const std::string line = params::formatJournalLine(e) + '\n';
    {
        std::ofstream out(journal.path(), std::ios::binary);
        const std::string block = [&line] {
            std::string text;
            while (text.size() < 1024 * 1024)
                text += line;
            return text;
        }();
        for (long written = 0; written < megabytes * 1024 * 1024; written += static_cast<long>(block.size()))
            out << block;
    }
    const auto size = fs::file_size(journal.path());

    const long before = peakKilobytes();
    std::size_t listed = 0;
    const double tail = medianMs(runs, [&] { listed = params::JournalListing(journal).take(3).size(); });
    const long afterTail = peakKilobytes();
    std::size_t all = 0;
    const double whole = medianMs(std::max(1, runs / 3), [&] { all = journal.readOldestFirst().size(); });
    const long afterWhole = peakKilobytes();

    std::printf("journal of %.1f MB (%zu entries)\n", static_cast<double>(size) / (1024 * 1024), all);
    std::printf("last %zu from the end: %.3f ms, peak memory +%ld kB; goal 50 ms, ratio %.3f (goal <= 1)\n", listed,
                tail, afterTail - before, tail / 50.0);
    std::printf("whole journal from the start, for comparison: %.1f ms, peak memory +%ld kB\n", whole,
                afterWhole - afterTail);
    fs::remove_all(dir);
    return 0;
}
