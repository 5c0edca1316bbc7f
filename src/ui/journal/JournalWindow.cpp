#include "ui/journal/JournalWindow.h"

#include "params/ControllerSession.h"
#include "params/JournalListing.h"
#include "params/JournalUndo.h"
#include "params/PathText.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/journal/JournalTableModel.h"
#include "ui/journal/JournalTexts.h"
#include "ui/window/WindowPlacement.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <QStringList>

#include <memory>

namespace dravinor::ui {

namespace {

// Outer sizes: wide enough for every column where the screen lets it be;
// the table scrolls on a smaller one.
constexpr QSize wantedSize{1200, 480};
constexpr QSize smallestSize{480, 240};

QString problemText(const params::JournalProblem& problem)
{
    QString why = QString::fromStdString(problem.systemText);
    if (problem.kind == params::JournalProblem::Kind::Directory)
        why = slotText(journal::isFolder);
    else if (problem.kind == params::JournalProblem::Kind::NotAFile)
        why = slotText(journal::notRegularFile);
    return slotText(journal::unreadableFile).arg(QString::fromStdString(params::utf8Text(problem.file)), why);
}

}  // namespace

JournalWindow::JournalWindow(params::ControllerSession& session, Dialogs* dialogs, QWidget* parent,
                             BulkWritten bulkWritten)
    : QWidget(parent, Qt::Window), session_(session),
      ownDialogs_(dialogs ? nullptr : std::make_unique<MessageBoxDialogs>(this)),
      dialogs_(dialogs ? *dialogs : *ownDialogs_), bulkWritten_(std::move(bulkWritten)),
      model_(new JournalTableModel(this)), table_(new QTableView(this)), problems_(new QLabel(this)),
      undo_(new QPushButton(this)), placement_(new WindowPlacement(*this, smallestSize))
{
    setObjectName("DziennikZmianOkno");
    table_->setObjectName("DziennikTabela");
    problems_->setObjectName("DziennikProblem");
    problems_->setTextFormat(Qt::PlainText);
    problems_->setWordWrap(true);
    problems_->setStyleSheet(QStringLiteral("color: #C00000;"));
    problems_->hide();
    undo_->setObjectName("CofnijOstatniZapis");
    // The captions are the main window's, in its current language.
    model_->setCaptionRoot(parent);
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    // Fixed row heights: a long journal opens without measuring every row.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->horizontalHeader()->setStretchLastSection(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(undo_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(problems_);
    layout->addWidget(table_);
    layout->addLayout(buttons);
    connect(undo_, &QPushButton::clicked, this, &JournalWindow::undoLastWrite);
    resize(wantedSize);
}

void JournalWindow::showOver(const QWidget& owner)
{
    if (!placed_) {
        placed_ = true;
        QRect outer(QPoint(), wantedSize);
        outer.moveCenter(owner.frameGeometry().center());
        placement_->place(outer);
    }
    show();
}

void JournalWindow::refresh()
{
    setWindowTitle(slotText(journal::windowTitle));
    undo_->setText(slotText(journal::undoButton));
    auto listing = std::make_unique<params::JournalListing>(session_.journal());
    const params::JournalListing& read = *listing;
    model_->setListing(std::move(listing));
    // Files that cannot be read are named; whatever can be read is listed.
    QStringList problems;
    for (const params::JournalProblem& problem : read.problems())
        problems << problemText(problem);
    problems_->setText(problems.join('\n'));
    problems_->setVisible(!problems.isEmpty());
    model_->retranslate();
    // The result column takes the rest: a summary's counts stay readable.
    const int widths[] = {150, 55, 45, 380, 150, 150};
    for (int column = 0; column < 6; ++column)
        table_->setColumnWidth(column, widths[column]);
}

// Escape closes the window as it closes a dialog; the table and the button
// leave the key to it.
void JournalWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void JournalWindow::undoLastWrite()
{
    const params::UndoPlan plan =
        params::planUndo(session_.journal(), session_.writeTarget(), session_.port().controllerConnected());
    switch (plan.refusal) {
    case params::UndoRefusal::NothingToUndo: dialogs_.showMessage(slotText(journal::nothingToUndo)); return;
    case params::UndoRefusal::NotConnected: dialogs_.showMessage(slotText(journal::undoNotConnected)); return;
    case params::UndoRefusal::OtherController:
        dialogs_.showMessage(
            slotText(journal::undoOtherController)
                .arg(QString::fromStdString(plan.entry.port.empty() ? "-" : plan.entry.port),
                     QString::fromStdString(plan.entry.controller.empty() ? "-" : plan.entry.controller)));
        return;
    case params::UndoRefusal::None: break;
    }
    if (plan.bulk()) {
        undoBulkWrite(plan);
        return;
    }
    const params::JournalEntry& entry = plan.entry;
    QString question = slotText(journal::undoQuestion)
                           .arg(model_->cellText(entry, JournalTableModel::Field),
                                QString::fromStdString(params::journalValueText(entry.oldShown, entry.oldRaw)),
                                QString::fromStdString(params::journalValueText(entry.newShown, entry.newRaw)));
    // Same port and type, but not the set this write left: another car, or changed since.
    if (plan.otherSet)
        question = slotText(journal::undoOtherSet) + '\n' + question;
    if (!dialogs_.askYesNo(question))
        return;
    const bool acknowledged = params::undoWrite(session_.transfer(), entry);
    refresh();
    if (!acknowledged)
        dialogs_.showMessage(slotText(journal::undoFailed));
}

}  // namespace dravinor::ui
