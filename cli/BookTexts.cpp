#include "BookTexts.h"

#include "book/BookFile.h"
#include "params/PathText.h"

#include <ctime>
#include <iostream>

namespace dravinor::cli {

std::string bookOpenText(const book::OpenResult& result, const std::filesystem::path& file)
{
    const std::string name = params::utf8Text(file);
    const std::string because = result.detail.empty() ? "" : " (" + result.detail + ")";
    switch (result.outcome) {
    case book::BookOpen::Opened:
    case book::BookOpen::Created: return {};
    case book::BookOpen::DamagedReplaced:
        return "the car book " + name + " was damaged: it is kept as " + result.detail +
               " and a new, empty book was started";
    case book::BookOpen::CannotMakeFolder: return "cannot make the car book's folder for " + name + because;
    case book::BookOpen::NotAFile: return name + " is not a car book file (a folder or a device holds its name)";
    case book::BookOpen::ReadOnly: return "the car book " + name + " may not be written (read-only)" + because;
    case book::BookOpen::DiskFull: return "the disk is full: the car book " + name + " cannot be opened";
    case book::BookOpen::NewerBook:
        return "the car book " + name + " was written by a newer version of this program; it is left as it is";
    case book::BookOpen::DamagedStuck:
        return "the car book " + name + " is damaged and could not be moved aside to " + result.detail +
               "; it is left as it is";
    case book::BookOpen::CannotOpen: break;
    }
    return "cannot open the car book " + name + because;
}

std::string bookWriteText(book::BookWrite write)
{
    switch (write) {
    case book::BookWrite::Done: return "done";
    case book::BookWrite::DuplicateCar: return "a car with that registration is in the book already";
    case book::BookWrite::EmptyRegistration: return "the registration number is empty";
    case book::BookWrite::NoSuchCar: return "that car is not in the book";
    case book::BookWrite::NoSuchVisit: return "that visit is not in the book";
    case book::BookWrite::Busy: return "another program kept the car book busy for too long; try again";
    case book::BookWrite::DiskFull: return "the disk is full";
    case book::BookWrite::ReadOnly: return "the car book may not be written (read-only)";
    case book::BookWrite::Damaged: return "the car book is damaged";
    case book::BookWrite::Failed: break;
    }
    return "the car book refused the write";
}

namespace {

std::string fileProblemText(const book::ImportResult& result)
{
    switch (result.fileError) {
    case params::RegularFileError::Directory: return "a folder, not an export";
    case params::RegularFileError::NotAFile: return "not a regular file (a FIFO or a device?): it is not read";
    case params::RegularFileError::Missing: return "no such file";
    default: break;
    }
    return "cannot read it" + (result.detail.empty() ? std::string() : " (" + result.detail + ")");
}

}  // namespace

std::string importProblemText(const book::ImportResult& result)
{
    const std::string where = result.detail.empty() ? "" : " at " + result.detail;
    switch (result.outcome) {
    case book::ImportOutcome::Imported: return {};
    case book::ImportOutcome::BookClosed: return "the car book is not open";
    case book::ImportOutcome::CannotRead: return fileProblemText(result);
    case book::ImportOutcome::WriteFailed: return bookWriteText(result.write);
    case book::ImportOutcome::Malformed: break;
    }
    switch (result.problem) {
    case book::JsonProblem::NotJson: return "not a JSON file, or cut short";
    case book::JsonProblem::NotABook: return "not a car book export (dravinor-cli cars --export)";
    case book::JsonProblem::NewerFormat: return "exported by a newer version of this program";
    case book::JsonProblem::BadEntry: return "a car or visit is not as an export writes it" + where;
    case book::JsonProblem::None: break;
    }
    return "not a car book export";
}

std::string visitTimeText(std::int64_t utcSeconds)
{
    const auto time = static_cast<std::time_t>(utcSeconds);
    std::tm local{};
    char text[32] = "";
    if (!localtime_r(&time, &local) || std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local) == 0)
        return std::to_string(utcSeconds) + " s";
    return text;
}

bool openBookForCommand(book::CarBook& book)
{
    const auto file = book::defaultBookPath();
    const book::OpenResult result = book.open(file);
    const std::string text = bookOpenText(result, file);
    if (result.outcome == book::BookOpen::DamagedReplaced)
        std::cerr << "dravinor-cli: warning: " << text << '\n';
    else if (!text.empty())
        std::cerr << "dravinor-cli: " << text << '\n';
    return book::usable(result.outcome);
}

}  // namespace dravinor::cli
