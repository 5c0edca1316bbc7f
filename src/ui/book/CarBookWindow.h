#pragma once

#include "book/BookRecords.h"
#include "params/ParameterBlock.h"
#include "ui/book/BookTables.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace dravinor::ui {

class AddCarDialog;
class Dialogs;
class WindowBook;
class WindowPlacement;

// What the book window asks of the main window.
struct CarBookActions {
    // The visit's set beside what the window holds; `name` names the visit.
    std::function<void(const params::ParameterBlock& set, const QString& name)> compare;
    // The visit's set written to the controller, once the fitter said yes to `question`.
    std::function<void(const params::ParameterBlock& set, const QString& question)> write;
    std::function<bool()> controllerConnected;
    // Opens a file with the system's viewer; false when none took it.
    std::function<bool(const QString& path)> openFile;
    // The help at the book's topic.
    std::function<void()> help;
    // What the journal holds of each visit's writes; without it, nothing is shown of them.
    std::function<std::vector<carbook::VisitWrites>(const std::vector<book::Visit>& visits)> writesOf;
};

// "Książka serwisowa": the cars, found as the fitter types, the chosen car's
// visits newest first, and for a visit: compare its set with the window's,
// write it to the controller, open its report. The car on the lift is
// marked here ("Ten samochód jest podłączony"), and new cars are added.
// A book that cannot be opened is said in the window, which then offers nothing.
class CarBookWindow final : public QWidget {
    Q_OBJECT
public:
    // Without dialogs of the caller's, its questions and messages are message
    // boxes over this window.
    CarBookWindow(WindowBook& book, Dialogs* dialogs, CarBookActions actions, QWidget* parent);
    ~CarBookWindow() override;

    // Centred over the owner the first time.
    void showOver(const QWidget& owner);
    // Opens the book when it is not open, puts the current language's texts
    // up and lists the cars again.
    void refresh();
    // The buttons as the selection and the controller allow now.
    void updateButtons();

    // The selected car and visit; nullopt for none.
    std::optional<book::Car> selectedCar() const;
    const book::Visit* selectedVisit() const;

    QLineEdit* search() const { return search_; }
    QTableWidget* cars() const { return cars_; }
    QTableWidget* visits() const { return visits_; }
    QLabel* problem() const { return problem_; }
    QLabel* currentLine() const { return current_; }
    QLabel* resultLine() const { return result_; }
    QPushButton* compareButton() const { return compare_; }
    QPushButton* writeButton() const { return write_; }
    QPushButton* reportButton() const { return report_; }
    QPushButton* addCarButton() const { return addCar_; }
    QPushButton* connectedButton() const { return connected_; }
    QPushButton* endCurrentButton() const { return endCurrent_; }
    AddCarDialog* addCarDialog() const { return addCarDialog_; }

    void compareVisit();
    void writeVisit();
    void openReport();
    void showAddCar();
    void markConnected();
    void endConnected();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void build();
    void redrawTexts();
    void listCars();
    void showVisitsOfSelected();
    void showCurrentCar();
    void say(const QString& text);
    // The set a visit would give back: what it left, else what it found.
    static const params::ParameterBlock* setOf(const book::Visit& visit);
    QString visitName(const book::Visit& visit) const;

    WindowBook& book_;
    std::unique_ptr<Dialogs> ownDialogs_;
    Dialogs& dialogs_;
    CarBookActions actions_;
    bool usable_ = false;
    std::vector<book::CarSummary> shownCars_;
    std::vector<book::Visit> shownVisits_;
    std::vector<carbook::VisitWrites> shownWrites_;
    QLabel* problem_ = nullptr;
    QLineEdit* search_ = nullptr;
    QTableWidget* cars_ = nullptr;
    QTableWidget* visits_ = nullptr;
    QPushButton* compare_ = nullptr;
    QPushButton* write_ = nullptr;
    QPushButton* report_ = nullptr;
    QLabel* current_ = nullptr;
    QPushButton* connected_ = nullptr;
    QPushButton* endCurrent_ = nullptr;
    QPushButton* addCar_ = nullptr;
    QPushButton* help_ = nullptr;
    QLabel* result_ = nullptr;
    AddCarDialog* addCarDialog_ = nullptr;
    WindowPlacement* placement_ = nullptr;
    bool placed_ = false;
};

}  // namespace dravinor::ui
