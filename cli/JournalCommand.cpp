#include "Arguments.h"
#include "CliOptions.h"
#include "Commands.h"

#include "params/JournalListing.h"
#include "params/JournalUndo.h"
#include "params/PathText.h"
#include "params/WriteJournal.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

namespace dravinor::cli {

using params::JournalEntry;

namespace {

std::string orDash(const std::string& text)
{
    return text.empty() ? "-" : text;
}

const char* markText(params::UndoMark mark)
{
    switch (mark) {
    case params::UndoMark::Unchanged: return "  (unchanged, skipped by undo)";
    case params::UndoMark::UndoWrite: return "  (undo)";
    case params::UndoMark::TakenBack: return "  (taken back)";
    case params::UndoMark::Next: return "  (next to undo)";
    case params::UndoMark::None: break;
    }
    return "";
}

std::string timeText(const std::string& time)
{
    // Shown as stored: converting it would make up a date.
    if (!params::journalTimeValid(time))
        return time + " (invalid time)";
    return params::journalLocalTime(time);
}

std::string problemText(const params::JournalProblem& problem)
{
    const std::string file = params::utf8Text(problem.file);
    switch (problem.kind) {
    case params::JournalProblem::Kind::Directory: return file + " is a folder, not a journal file";
    case params::JournalProblem::Kind::NotAFile:
        return file + " is not a regular file (a FIFO or a device?): it is neither read nor written";
    case params::JournalProblem::Kind::CannotOpen: return file + ": cannot open (" + problem.systemText + ")";
    case params::JournalProblem::Kind::CannotRead: break;
    }
    return file + ": cannot read (" + problem.systemText + ")";
}

std::string describe(const JournalEntry& e, params::UndoMark mark)
{
    std::string line = timeText(e.time) + "  " + orDash(e.port) + "  " + orDash(e.controller) + "  " + e.kindText() +
                       " (" + e.sourceText() + ")  ";
    if (e.address == 0) {
        line += e.note;
    } else {
        line += e.field + " @" + std::to_string(e.address);
        // Appended piece by piece: GCC 12 at -O3 takes "-" + string for an
        // overlapping copy and warns (-Wrestrict), falsely.
        if (e.isWord()) {
            line += '-';
            line += std::to_string(e.lastAddress);
        }
        line += ": " + params::journalValueText(e.oldShown, e.oldRaw) + " -> " +
                params::journalValueText(e.newShown, e.newRaw);
        if (!e.note.empty())
            line += "  (" + e.note + ")";
    }
    return line + "  " + (e.acknowledged ? "acknowledged" : "NOT acknowledged") + markText(mark);
}

}  // namespace

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
            std::printf("%s\n", describe(entry, marker.mark(entry)).c_str());
        printed += entries.size();
    }
    // Whatever could be read is listed; what could not is told, and the
    // exit status says the listing is not the whole journal.
    for (const auto& problem : listing.problems())
        std::cerr << "dravinor-cli: " << problemText(problem) << '\n';
    if (!listing.problems().empty())
        return exitFileError;
    if (printed == 0)
        std::printf("No writes in the journal (%s)\n", params::utf8Text(journal.path()).c_str());
    return exitSuccess;
}

}  // namespace dravinor::cli
