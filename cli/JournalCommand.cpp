#include "Arguments.h"
#include "CliOptions.h"
#include "Commands.h"

#include "JournalUndo.h"
#include "WriteJournal.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <iostream>

namespace dravinor::cli {

using params::JournalEntry;

namespace {

bool parseLast(const std::vector<std::string>& arguments, std::size_t& last)
{
    last = SIZE_MAX;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string value;
        if (arguments[i] == "--last" && i + 1 < arguments.size())
            value = arguments[++i];
        else if (arguments[i].rfind("--last=", 0) == 0)
            value = arguments[i].substr(7);
        else
            return false;
        std::size_t n = 0;
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), n);
        if (value.empty() || error != std::errc{} || end != value.data() + value.size() || n == 0)
            return false;
        last = n;
    }
    return true;
}

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

std::string describe(const JournalEntry& e, params::UndoMark mark)
{
    std::string line = params::journalLocalTime(e.time) + "  " + orDash(e.port) + "  " + orDash(e.controller) + "  " +
                       e.kind + " (" + e.source + ")  ";
    if (e.address == 0) {
        line += e.note;
    } else {
        line += e.field + " @" + std::to_string(e.address);
        if (e.isWord())
            line += "-" + std::to_string(e.lastAddress);
        line += ": " + params::journalValueText(e.oldShown, e.oldRaw) + " -> " +
                params::journalValueText(e.newShown, e.newRaw);
        if (!e.note.empty())
            line += "  (" + e.note + ")";
    }
    return line + "  " + (e.acknowledged ? "acknowledged" : "NOT acknowledged") + markText(mark);
}

}  // namespace

int runJournal(const CliOptions& options)
{
    std::size_t last = SIZE_MAX;
    if (!parseLast(options.arguments, last))
        return usageError("journal", "--last N: N counts entries, 1 or more");
    const params::WriteJournal journal(params::WriteJournal::defaultPath());
    std::vector<JournalEntry> entries = params::joinWordHalves(journal.readOldestFirst());
    if (entries.empty()) {
        std::printf("No writes in the journal (%s)\n", journal.path().c_str());
        return exitSuccess;
    }
    std::reverse(entries.begin(), entries.end());
    // Marked over the whole journal: an undo's partner may lie beyond --last.
    const std::vector<params::UndoMark> marks = params::undoMarks(entries);
    for (std::size_t i = 0; i < entries.size() && i < last; ++i)
        std::printf("%s\n", describe(entries[i], marks[i]).c_str());
    return exitSuccess;
}

}  // namespace dravinor::cli
