// Any bytes as the write journal (split between journal.log.1 and
// journal.log): reading never throws or crashes; the journal read
// backwards a block at a time (as `journal --last` and the journal window
// read it) lists exactly the entries of the whole journal read forwards,
// newest first, word halves joined; every entry read writes back to a line
// that reads back the same.
#include "FuzzCheck.h"
#include "params/JournalEntry.h"
#include "params/JournalListing.h"
#include "params/JournalUndo.h"
#include "params/WriteJournal.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

using namespace dravinor;
namespace fs = std::filesystem;

using dravinor::fuzz::check;
using dravinor::fuzz::workDirectory;

namespace {

void writeFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const auto blockSize = input.ConsumeIntegralInRange<std::size_t>(1, 97);
    const auto batch = input.ConsumeIntegralInRange<std::size_t>(1, 9);
    const std::string older = input.ConsumeRandomLengthString(size);
    const std::string newer = input.ConsumeRemainingBytesAsString();
    const params::WriteJournal journal(workDirectory() / "journal.log");
    writeFile(journal.rotatedPath(), older);
    writeFile(journal.path(), newer);

    std::vector<params::JournalProblem> problems;
    std::vector<params::JournalEntry> forwards = params::joinWordHalves(journal.readOldestFirst(&problems));
    check(problems.empty());
    std::reverse(forwards.begin(), forwards.end());

    params::JournalListing listing(journal, blockSize);
    std::vector<params::JournalEntry> backwards;
    while (!listing.atEnd()) {
        const auto taken = listing.take(batch);
        check(taken.size() <= batch);
        backwards.insert(backwards.end(), taken.begin(), taken.end());
    }
    check(listing.problems().empty());
    check(backwards == forwards);

    for (const params::JournalEntry& entry : journal.readOldestFirst()) {
        const std::string line = params::formatJournalLine(entry);
        check(line.find('\n') == std::string::npos);
        const auto reread = params::parseJournalLine(line);
        check(reread.has_value());
        check(params::formatJournalLine(*reread) == line);
        if (params::journalTimeValid(entry.time))
            check(!params::journalLocalTime(entry.time).empty());
        else
            check(params::journalLocalTime(entry.time) == entry.time);
    }
    return 0;
}
