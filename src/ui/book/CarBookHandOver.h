#pragma once

#include "book/BookRecords.h"
#include "params/JournalEntry.h"
#include "params/ParameterBlock.h"
#include "ui/book/BookTables.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace dravinor::params {
class ControllerSession;
struct BulkWriteOutcome;
}  // namespace dravinor::params
namespace dravinor::wizard {
struct AdaptationResult;
}

namespace dravinor::ui {

class CarBookWindow;
class Dialogs;
class ReportDialog;
class WindowBook;

// What the main window lends the car book.
struct CarBookHost {
    QWidget* window = nullptr;
    // Where the pages' captions are found, for the comparison.
    QWidget* pagesRoot = nullptr;
    // Shown on the status lines: what became of a record.
    std::function<void(const QString& text)> tell;
    // The window's own bulk write of a whole set, with its question and backup.
    std::function<void(const params::ParameterBlock& set, const QString& question)> writeSet;
    std::function<void(const QString& topic)> help;
};

// Between the main window and the car book: the book's window, made and the
// book opened on first use; what the window reads, writes and reports for
// the current car, recorded into its visits; the report dialog's car
// details. The book failing never stops a read or a write: it is said on
// the status lines.
class CarBookHandOver {
public:
    CarBookHandOver(params::ControllerSession& session, Dialogs* dialogs, CarBookHost host);
    ~CarBookHandOver();

    // "Książka serwisowa".
    void showWindow();
    CarBookWindow* window() const { return window_; }
    WindowBook& book() const { return *book_; }
    // The window's texts in the language just chosen.
    void redrawTexts();

    // A whole read of the controller, a bulk write it answered, a report saved.
    void afterWholeRead();
    void afterBulkWrite(const params::BulkWriteOutcome& outcome);
    void afterReportSaved(const QString& path);
    // An auto-adaptation ran to its end, or was left part way: what it
    // measured, and the set it left when the controller took every write.
    void afterAdaptation(const wizard::AdaptationResult& result);
    // Writes that reached the journal: into the current car's visit.
    void afterWrites(const std::vector<params::JournalEntry>& entries);
    // What the journal holds of each visit's writes, a line each.
    std::vector<carbook::VisitWrites> writesOf(const std::vector<book::Visit>& visits) const;
    // The current car's registration and make and model in the report's
    // fields, and the book's registrations to complete the typed one.
    void fillReport(ReportDialog& dialog);

    // The book window's comparison of a visit's set with the window's.
    void compare(const params::ParameterBlock& set, const QString& name);

private:
    void tellLater(const QString& text);

    params::ControllerSession& session_;
    Dialogs* dialogs_;
    CarBookHost host_;
    std::unique_ptr<WindowBook> book_;
    CarBookWindow* window_ = nullptr;
};

}  // namespace dravinor::ui
