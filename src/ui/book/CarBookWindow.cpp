#include "ui/book/CarBookWindow.h"

#include "ui/book/BookTables.h"
#include "ui/book/CarBookTexts.h"
#include "ui/book/WindowBook.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/window/WindowPlacement.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace dravinor::ui {

namespace {

// As large as a 1024 x 768 screen lets it be beside the main window; a smaller
// screen gets what it has.
constexpr QSize wantedSize{900, 600};
constexpr QSize smallestSize{480, 360};

QTableWidget* listTable(QWidget* parent, const char* name)
{
    auto* table = new QTableWidget(parent);
    table->setObjectName(name);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(false);
    table->verticalHeader()->hide();
    // A line of text each, not the style's roomy rows: more cars and visits in view.
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
    // Every column as wide as its words, the last one taking the rest.
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    table->horizontalHeader()->setHighlightSections(false);
    return table;
}

QPushButton* button(QWidget* parent, const char* name)
{
    auto* made = new QPushButton(parent);
    made->setObjectName(name);
    return made;
}

}  // namespace

CarBookWindow::CarBookWindow(WindowBook& book, Dialogs* dialogs, CarBookActions actions, QWidget* parent)
    : QWidget(parent, Qt::Window), book_(book),
      ownDialogs_(dialogs ? nullptr : std::make_unique<MessageBoxDialogs>(this)),
      dialogs_(dialogs ? *dialogs : *ownDialogs_), actions_(std::move(actions)),
      placement_(new WindowPlacement(*this, smallestSize))
{
    setObjectName("CarBookWindow");
    build();
    resize(wantedSize);
}

CarBookWindow::~CarBookWindow() = default;

void CarBookWindow::build()
{
    problem_ = new QLabel(this);
    problem_->setObjectName("carBookProblem");
    problem_->setTextFormat(Qt::PlainText);
    problem_->setWordWrap(true);
    problem_->setStyleSheet(QStringLiteral("color: #C00000;"));
    problem_->hide();
    search_ = new QLineEdit(this);
    search_->setObjectName("carSearch");
    search_->setClearButtonEnabled(true);
    cars_ = listTable(this, "carList");
    visits_ = listTable(this, "visitList");
    auto* lists = new QSplitter(Qt::Vertical, this);
    lists->setChildrenCollapsible(false);
    lists->addWidget(cars_);
    lists->addWidget(visits_);
    lists->setStretchFactor(0, 2);
    lists->setStretchFactor(1, 3);

    compare_ = button(this, "visitCompare");
    write_ = button(this, "visitWrite");
    report_ = button(this, "visitReport");
    auto* visitButtons = new QHBoxLayout;
    visitButtons->addWidget(compare_);
    visitButtons->addWidget(write_);
    visitButtons->addWidget(report_);
    visitButtons->addStretch();

    current_ = new QLabel(this);
    current_->setObjectName("currentCar");
    current_->setTextFormat(Qt::PlainText);
    current_->setWordWrap(true);
    connected_ = button(this, "carConnected");
    endCurrent_ = button(this, "carConnectedEnd");
    addCar_ = button(this, "carAdd");
    help_ = button(this, "carBookHelp");
    auto* carButtons = new QHBoxLayout;
    carButtons->addWidget(connected_);
    carButtons->addWidget(endCurrent_);
    carButtons->addStretch();
    carButtons->addWidget(addCar_);
    carButtons->addWidget(help_);

    result_ = new QLabel(this);
    result_->setObjectName("carBookResult");
    result_->setTextFormat(Qt::PlainText);
    result_->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(problem_);
    layout->addWidget(search_);
    layout->addWidget(lists, 1);
    layout->addLayout(visitButtons);
    layout->addWidget(current_);
    layout->addLayout(carButtons);
    layout->addWidget(result_);

    connect(search_, &QLineEdit::textChanged, this, &CarBookWindow::listCars);
    connect(cars_, &QTableWidget::itemSelectionChanged, this, &CarBookWindow::showVisitsOfSelected);
    connect(visits_, &QTableWidget::itemSelectionChanged, this, &CarBookWindow::updateButtons);
    connect(compare_, &QPushButton::clicked, this, &CarBookWindow::compareVisit);
    connect(write_, &QPushButton::clicked, this, &CarBookWindow::writeVisit);
    connect(report_, &QPushButton::clicked, this, &CarBookWindow::openReport);
    connect(addCar_, &QPushButton::clicked, this, &CarBookWindow::showAddCar);
    connect(connected_, &QPushButton::clicked, this, &CarBookWindow::markConnected);
    connect(endCurrent_, &QPushButton::clicked, this, &CarBookWindow::endConnected);
    connect(help_, &QPushButton::clicked, this, [this] {
        if (actions_.help)
            actions_.help();
    });
}

void CarBookWindow::showOver(const QWidget& owner)
{
    if (!placed_) {
        placed_ = true;
        // On a small screen the main window's status lines stay in sight below it.
        QSize size = wantedSize;
        if (const QRect area = placement_->screenArea(); area.isValid())
            size = size.boundedTo(area.size() * 9 / 10);
        QRect outer(QPoint(), size);
        outer.moveCenter(owner.frameGeometry().center());
        placement_->place(outer);
    }
    show();
}

void CarBookWindow::refresh()
{
    redrawTexts();
    usable_ = book_.open();
    const QString problem = book_.openProblem();
    problem_->setText(problem);
    problem_->setVisible(!problem.isEmpty());
    search_->setEnabled(usable_);
    addCar_->setEnabled(usable_);
    listCars();
    showCurrentCar();
}

void CarBookWindow::redrawTexts()
{
    setWindowTitle(slotText(carbook::windowTitle));
    search_->setPlaceholderText(slotText(carbook::searchHint));
    carbook::showCarHeaders(*cars_);
    carbook::showVisitHeaders(*visits_);
    compare_->setText(slotText(carbook::compareButton));
    write_->setText(slotText(carbook::writeButton));
    report_->setText(slotText(carbook::openReportButton));
    addCar_->setText(slotText(carbook::addCarButton));
    connected_->setText(slotText(carbook::connectedButton));
    endCurrent_->setText(slotText(carbook::endCurrentButton));
    help_->setText(slotText(carbook::helpButton));
    // The yes and no marks are words of the language too.
    carbook::showVisits(*visits_, shownVisits_, shownWrites_);
}

void CarBookWindow::listCars()
{
    const auto keep = selectedCar();
    const QSignalBlocker quiet(cars_);
    shownCars_ =
        usable_ ? book_.book().findCars(search_->text().trimmed().toStdString()) : std::vector<book::CarSummary>{};
    carbook::showCars(*cars_, shownCars_);
    // The car chosen stays chosen while the search still finds it, else the first found.
    int row = cars_->rowCount() > 0 ? 0 : -1;
    for (int i = 0; keep && i < cars_->rowCount(); ++i)
        if (cars_->item(i, carbook::RegistrationColumn)->data(Qt::UserRole).toLongLong() == keep->id)
            row = i;
    if (row >= 0)
        cars_->selectRow(row);
    showVisitsOfSelected();
}

std::optional<book::Car> CarBookWindow::selectedCar() const
{
    const auto rows = cars_->selectionModel()->selectedRows();
    if (rows.isEmpty() || rows.front().row() >= static_cast<int>(shownCars_.size()))
        return std::nullopt;
    return shownCars_[static_cast<std::size_t>(rows.front().row())].car;
}

const book::Visit* CarBookWindow::selectedVisit() const
{
    const auto rows = visits_->selectionModel()->selectedRows();
    if (rows.isEmpty() || rows.front().row() >= static_cast<int>(shownVisits_.size()))
        return nullptr;
    return &shownVisits_[static_cast<std::size_t>(rows.front().row())];
}

void CarBookWindow::showVisitsOfSelected()
{
    const auto car = selectedCar();
    shownVisits_ = car ? book_.book().visitsOf(car->id) : std::vector<book::Visit>{};
    shownWrites_ = actions_.writesOf ? actions_.writesOf(shownVisits_) : std::vector<carbook::VisitWrites>{};
    const QSignalBlocker quiet(visits_);
    carbook::showVisits(*visits_, shownVisits_, shownWrites_);
    if (!shownVisits_.empty())
        visits_->selectRow(0);
    updateButtons();
}

void CarBookWindow::updateButtons()
{
    const book::Visit* visit = selectedVisit();
    const bool hasSet = visit && setOf(*visit);
    const bool connected = actions_.controllerConnected && actions_.controllerConnected();
    compare_->setEnabled(hasSet);
    write_->setEnabled(hasSet && connected);
    write_->setToolTip(hasSet && !connected ? slotText(carbook::notConnected) : QString());
    report_->setEnabled(visit && visit->reportPdf);
    report_->setToolTip(visit && !visit->reportPdf ? slotText(carbook::noReport) : QString());
    connected_->setEnabled(selectedCar().has_value());
}

const params::ParameterBlock* CarBookWindow::setOf(const book::Visit& visit)
{
    if (visit.endSet)
        return &*visit.endSet;
    return visit.readSet ? &*visit.readSet : nullptr;
}

void CarBookWindow::say(const QString& text)
{
    result_->setText(text);
}

void CarBookWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    if (event->key() == Qt::Key_F1 && actions_.help) {
        actions_.help();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CarBookWindow::changeEvent(QEvent* event)
{
    // The controller may have come or gone while another window was in front.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        updateButtons();
    QWidget::changeEvent(event);
}

}  // namespace dravinor::ui
