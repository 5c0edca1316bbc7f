#include "JournalLineText.h"

#include "params/PathText.h"

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

}  // namespace

std::string journalProblemText(const params::JournalProblem& problem)
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

std::string journalLineText(const JournalEntry& e, params::UndoMark mark)
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

}  // namespace dravinor::cli
