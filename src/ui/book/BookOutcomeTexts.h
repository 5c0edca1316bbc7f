#pragma once

#include "book/CarBook.h"
#include "book/VisitRecording.h"

#include <QString>

#include <filesystem>

namespace dravinor::ui::carbook {

// The fitter's words for what the car book did, in the current language.

// Why the book cannot be used, or (DamagedReplaced) what was done about
// it; empty for a book opened or started as it should be.
QString openProblemText(const book::OpenResult& result, const std::filesystem::path& file);
// Why a write was refused.
QString writeProblemText(book::BookWrite write);
// What became of recording for the current car, for the status line; empty
// when no car is current. Writes that were recorded say nothing: each write
// says its own outcome, and a field is written at every edit.
enum class Record { Read, EndSet, Report, Adaptation, Writes };
QString recordedText(Record what, const book::CurrentCarLookup& lookup, const std::filesystem::path& file,
                     const book::Recorded& recorded);

}  // namespace dravinor::ui::carbook
