#include "Arguments.h"
#include "CliOptions.h"
#include "Commands.h"
#include "JournalLineText.h"

#include "params/JournalListing.h"
#include "params/JournalUndo.h"
#include "params/PathText.h"
#include "params/WriteJournal.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

namespace dravinor::cli {

using params::JournalEntry;

int runJournal(const CliOptions& options, const params::SessionWiring& wiring)
{
    const auto givenLast = options.count("--last");
    const std::size_t last = givenLast ? static_cast<std::size_t>(*givenLast) : SIZE_MAX;
    const params::WriteJournal journal(wiring.journalPath.empty() ? params::WriteJournal::defaultPath()
                                                                  : wiring.journalPath);
    // Read from the end a batch at a time: `--last 3` reads three entries,
    // and a whole listing never holds more than one batch.
    // Marks depend only on newer entries, so they come out right batch by batch.
    params::JournalListing listing(journal);
    params::UndoMarker marker;
    constexpr std::size_t batch = 256;
    std::size_t printed = 0;
    while (printed < last && !listing.atEnd()) {
        const auto entries = listing.take(std::min(batch, last - printed));
        for (const JournalEntry& entry : entries)
            std::printf("%s\n", journalLineText(entry, marker.mark(entry)).c_str());
        printed += entries.size();
    }
    // Whatever could be read is listed; what could not is told, and the
    // exit status says the listing is not the whole journal.
    for (const auto& problem : listing.problems())
        std::cerr << "dravinor-cli: " << journalProblemText(problem) << '\n';
    if (!listing.problems().empty())
        return exitFileError;
    if (printed == 0)
        std::printf("No writes in the journal (%s)\n", params::utf8Text(journal.path()).c_str());
    return exitSuccess;
}

}  // namespace dravinor::cli
