#pragma once

#include <QWidget>

#include <functional>

class QKeyEvent;
class QLabel;
class QPushButton;
class QTableView;

namespace dravinor::params {
class ControllerSession;
struct BulkWriteOutcome;
struct UndoPlan;
}

namespace dravinor::ui {

class Dialogs;
class JournalTableModel;

// "Dziennik zmian": every write to a controller, newest first, and the
// button that takes the last write back: a single field's old value, or
// the backup a bulk write kept. Escape closes it.
class JournalWindow final : public QWidget {
public:
    // Told what a bulk write that undo made achieved (the main window's status lines).
    using BulkWritten = std::function<void(const params::BulkWriteOutcome&)>;
    JournalWindow(params::ControllerSession& session, Dialogs& dialogs, QWidget* parent, BulkWritten bulkWritten = {});

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
    Dialogs& dialogs_;
    BulkWritten bulkWritten_;
    JournalTableModel* model_;
    QTableView* table_;
    QLabel* problems_;
    QPushButton* undo_;
};

}  // namespace dravinor::ui
