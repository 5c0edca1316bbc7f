#pragma once

#include "params/JournalEntry.h"
#include "params/JournalUndo.h"
#include "params/WriteJournal.h"

#include <string>

namespace dravinor::cli {

// A journal entry as one line of `journal` and of a visit's writes: local
// time, port, controller, kind, the field and its old and new value.
std::string journalLineText(const params::JournalEntry& entry, params::UndoMark mark = params::UndoMark::None);

// Why a journal file that exists could not be read.
std::string journalProblemText(const params::JournalProblem& problem);

}  // namespace dravinor::cli
