#pragma once

#include <QWidget>

class QKeyEvent;
class QLabel;
class QPushButton;
class QTableView;

namespace dravinor::params {
class ControllerSession;
}

namespace dravinor::ui {

class Dialogs;
class JournalTableModel;

// "Dziennik zmian": every write to a controller, newest first, and the
// button that takes the last single-field write back. Escape closes it.
class JournalWindow final : public QWidget {
public:
    JournalWindow(params::ControllerSession& session, Dialogs& dialogs, QWidget* parent);

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
    params::ControllerSession& session_;
    Dialogs& dialogs_;
    JournalTableModel* model_;
    QTableView* table_;
    QLabel* problems_;
    QPushButton* undo_;
};

}  // namespace dravinor::ui
