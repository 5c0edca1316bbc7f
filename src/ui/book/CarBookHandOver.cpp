#include "ui/book/CarBookHandOver.h"

#include "book/VisitJournal.h"
#include "lang/ShownNumbers.h"
#include "params/ControllerSession.h"
#include "report/AdaptationRecord.h"
#include "ui/book/CarBookTexts.h"
#include "ui/book/CarBookWindow.h"
#include "ui/book/WindowBook.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/dialogs/ParameterDiffDialog.h"
#include "ui/journal/JournalTableModel.h"
#include "ui/report/ReportDialog.h"
#include "wizard/AdaptationResult.h"

#include <QCompleter>
#include <QDesktopServices>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QUrl>

namespace dravinor::ui {

namespace {

// "2026-12-10 10:02:11  Próg sondy (PRLambda, 1): 0,38 V [19] -> 0,45 V [22]"; a bulk
// write's summary with its count, and a write the controller did not take, marked.
QString writeLine(const JournalTableModel& journal, const params::JournalEntry& entry)
{
    using Column = JournalTableModel::Column;
    QString line =
        journal.cellText(entry, Column::Time) + QStringLiteral("  ") + journal.cellText(entry, Column::Field);
    if (entry.address != 0)
        line += QStringLiteral(": ") + journal.cellText(entry, Column::OldValue) + QStringLiteral(" -> ") +
                journal.cellText(entry, Column::NewValue);
    if (entry.address == 0 || !entry.acknowledged)
        line += QStringLiteral("  (") + journal.cellText(entry, Column::Result) + ')';
    return line;
}

}  // namespace

CarBookHandOver::CarBookHandOver(params::ControllerSession& session, Dialogs* dialogs, CarBookHost host)
    : session_(session), dialogs_(dialogs), host_(std::move(host)), book_(std::make_unique<WindowBook>())
{
}

CarBookHandOver::~CarBookHandOver() = default;

void CarBookHandOver::showWindow()
{
    if (!window_) {
        CarBookActions actions{
            [this](const params::ParameterBlock& set, const QString& name) { compare(set, name); },
            host_.writeSet,
            [this] { return session_.port().controllerConnected(); },
            [](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); },
            [this] {
                if (host_.help)
                    host_.help(QStringLiteral("ksiazka"));
            },
            [this](const std::vector<book::Visit>& visits) { return writesOf(visits); },
        };
        window_ = new CarBookWindow(*book_, dialogs_, std::move(actions), host_.window);
    }
    window_->refresh();
    window_->showOver(*host_.window);
    window_->raise();
    window_->activateWindow();
}

void CarBookHandOver::redrawTexts()
{
    if (window_)
        window_->refresh();
}

void CarBookHandOver::compare(const params::ParameterBlock& set, const QString& name)
{
    auto* dialog = new ParameterDiffDialog(session_.state().block(), set, name, host_.pagesRoot, window_);
    dialog->setOtherSide(slotText(carbook::visitColumn), slotText(carbook::writeButton),
                         session_.port().controllerConnected());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // Accepted: the visit's set is written, after the same question as from the book's window.
    QObject::connect(dialog, &QDialog::accepted, window_, [this] { window_->writeVisit(); });
    dialog->open();
}

void CarBookHandOver::tellLater(const QString& text)
{
    if (text.isEmpty() || !host_.tell)
        return;
    // After the read's or write's own words, which come when it returns.
    QTimer::singleShot(0, host_.window, [tell = host_.tell, text] { tell(text); });
}

void CarBookHandOver::afterWholeRead()
{
    tellLater(book_->recordRead(session_.state().block(), session_.connection().identity()));
    if (window_ && window_->isVisible())
        window_->refresh();
}

void CarBookHandOver::afterBulkWrite(const params::BulkWriteOutcome& outcome)
{
    // Only a set the controller took whole is the car's set.
    if (outcome.portLost || !outcome.allConfirmed())
        return;
    tellLater(book_->recordEndSet(session_.state().block(), session_.connection().identity()));
    if (window_ && window_->isVisible())
        window_->refresh();
}

void CarBookHandOver::afterAdaptation(const wizard::AdaptationResult& result)
{
    const auto summary = report::summariseAdaptation(result, lang::decimalSeparator());
    if (!summary)
        return;  // nothing measured, nothing to keep
    // A write it did not get through leaves the controller's set unknown.
    const bool setKnown = result.everyWriteTaken() && session_.port().controllerConnected();
    tellLater(book_->recordAdaptation(report::adaptationRecordText(*summary),
                                      setKnown ? std::optional(session_.state().block()) : std::nullopt,
                                      session_.connection().identity()));
    if (window_ && window_->isVisible())
        window_->refresh();
}

void CarBookHandOver::afterWrites(const std::vector<params::JournalEntry>& entries)
{
    const auto range = book::journalRangeOf(entries);
    if (!range)
        return;  // a field rewriting its own value: nothing changed on the car
    tellLater(book_->recordWrites(*range, session_.connection().identity()));
    if (window_ && window_->isVisible())
        window_->refresh();
}

std::vector<carbook::VisitWrites> CarBookHandOver::writesOf(const std::vector<book::Visit>& visits) const
{
    const auto found = book::visitJournalEntries(session_.journal(), visits);
    // The journal window's words for a write, the fields named as the pages name them.
    JournalTableModel journal;
    journal.setCaptionRoot(host_.pagesRoot);
    std::vector<carbook::VisitWrites> writes(visits.size());
    for (std::size_t i = 0; i < visits.size(); ++i) {
        writes[i].kept = visits[i].journal.has_value();
        for (const params::JournalEntry& entry : found.entries[i]) {
            writes[i].lines << writeLine(journal, entry);
            if (entry.address != 0)
                ++writes[i].changes;  // not a bulk write's summary
        }
    }
    return writes;
}

void CarBookHandOver::afterReportSaved(const QString& path)
{
    tellLater(book_->recordReport(path));
    if (window_ && window_->isVisible())
        window_->refresh();
}

void CarBookHandOver::fillReport(ReportDialog& dialog)
{
    // Opened for the report only now; a book that cannot be used leaves the fields to the fitter.
    if (!book_->open())
        return;
    QStringList registrations;
    for (const auto& car : book_->book().cars())
        registrations << QString::fromStdString(car.registration);
    auto* completer = new QCompleter(registrations, dialog.registration());
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchContains);
    dialog.registration()->setCompleter(completer);
    // A registration the book knows brings its make and model, where none was typed.
    QPointer<QLineEdit> makeAndModel = dialog.makeAndModel();
    QObject::connect(dialog.registration(), &QLineEdit::editingFinished, dialog.registration(),
                     [this, field = dialog.registration(), makeAndModel] {
                         if (!makeAndModel || !makeAndModel->text().trimmed().isEmpty() || !book_->open())
                             return;
                         if (const auto car = book_->book().carByRegistration(field->text().trimmed().toStdString()))
                             makeAndModel->setText(QString::fromStdString(car->makeModel));
                     });
    const auto current = book_->currentRegistration();
    if (!current)
        return;
    const auto car = book_->book().carByRegistration(*current);
    dialog.registration()->setText(car ? QString::fromStdString(car->registration) : QString::fromStdString(*current));
    if (car)
        dialog.makeAndModel()->setText(QString::fromStdString(car->makeModel));
}

}  // namespace dravinor::ui
