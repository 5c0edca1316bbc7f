#pragma once

#include <QWidget>

#include <functional>
#include <memory>

class QKeyEvent;
class QLabel;
class QPushButton;
class QTableView;

namespace dravinor::params {
class ControllerSession;
struct BulkWriteOutcome;
struct UndoPlan;
}  // namespace dravinor::params

namespace dravinor::ui {

class Dialogs;
class JournalTableModel;
class WindowPlacement;

// "Dziennik zmian": every write to a controller, newest first, and the
// button that takes the last write back: a single field's old value, or
// the backup a bulk write kept. Escape closes it.
class JournalWindow final : public QWidget {
public:
    // Told what a bulk write that undo made achieved (the main window's status lines).
    using BulkWritten = std::function<void(const params::BulkWriteOutcome&)>;
    // Without dialogs of the caller's, its questions and messages are message
    // boxes over this window, so that the main window does not come over it.
    JournalWindow(params::ControllerSession& session, Dialogs* dialogs, QWidget* parent, BulkWritten bulkWritten = {});

    // Shows it on the screen of the window that opened it, centred over that
    // window the first time and as large as the screen lets it be.
    void showOver(const QWidget& owner);

    // Reads the journal again and puts the current language's texts up.
    void refresh();
    // "Cofnij ostatni zapis": refused with a message when no controller is
    // connected or the write was to another one; asks before writing.
    void undoLastWrite();

    JournalTableModel& model() const { return *model_; }
    QTableView* table() const { return table_; }
    // Names the journal files that could not be read; hidden when all could.
    QLabel* problemLine() const { return problems_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Writes the backup of a bulk write back, once asked (JournalBulkUndo.cpp).
    void undoBulkWrite(const params::UndoPlan& plan);

    params::ControllerSession& session_;
    std::unique_ptr<Dialogs> ownDialogs_;
    Dialogs& dialogs_;
    BulkWritten bulkWritten_;
    JournalTableModel* model_;
    QTableView* table_;
    QLabel* problems_;
    QPushButton* undo_;
    WindowPlacement* placement_;
    bool placed_ = false;
};

}  // namespace dravinor::ui
