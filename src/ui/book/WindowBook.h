#pragma once

#include "book/CarBook.h"
#include "link/ControllerIdentity.h"
#include "params/ParameterBlock.h"

#include <QString>

#include <filesystem>
#include <optional>
#include <string>

namespace dravinor::ui {

// The window's car book: opened on first use, never at start-up, and tried
// again on the next use when it could not be opened. What the window records
// for the current car goes through here; each record tells, in the fitter's
// words, what became of it.
class WindowBook {
public:
    // file: the book; empty for the one in the data folder.
    explicit WindowBook(std::filesystem::path file = {});

    const std::filesystem::path& file();
    // True when the book is open and usable; lastOpen() says how it went.
    bool open();
    const book::OpenResult& lastOpen() const { return lastOpen_; }
    // Why the last open failed, or what it did to a damaged book; empty otherwise.
    QString openProblem();
    book::CarBook& book() { return book_; }

    // The car the fitter said is connected (shared with the command line).
    std::optional<std::string> currentRegistration();
    // False, with nothing changed, when the file beside the book could not be written.
    bool makeCurrent(const std::string& registration);
    bool endCurrent();

    // Records for the current car; an empty text when no car is current.
    QString recordRead(const params::ParameterBlock& set, const std::optional<link::ControllerIdentity>& identity);
    QString recordAdaptation(std::string result, const std::optional<params::ParameterBlock>& set,
                             const std::optional<link::ControllerIdentity>& identity);
    QString recordEndSet(const params::ParameterBlock& set, const std::optional<link::ControllerIdentity>& identity);
    QString recordReport(const QString& pdfPath);
    // Writes that reached the journal; said only when they could not be recorded.
    QString recordWrites(const book::JournalRange& range, const std::optional<link::ControllerIdentity>& identity);

private:
    std::filesystem::path file_;
    book::CarBook book_;
    book::OpenResult lastOpen_;
};

}  // namespace dravinor::ui
