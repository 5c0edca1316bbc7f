#include "ui/book/BookOutcomeTexts.h"

#include "params/PathText.h"
#include "ui/book/CarBookTexts.h"

#include <QDir>

namespace dravinor::ui::carbook {

namespace {

QString nativeName(const std::filesystem::path& file)
{
    return QDir::toNativeSeparators(QString::fromStdString(params::utf8Text(file)));
}

QString openWhy(const book::OpenResult& result, const std::filesystem::path& file)
{
    const QString name = nativeName(file);
    QString why;
    switch (result.outcome) {
    case book::BookOpen::CannotMakeFolder: why = slotText(whyNoFolder).arg(name); break;
    case book::BookOpen::NotAFile: return slotText(whyNotAFile).arg(name);
    case book::BookOpen::ReadOnly: why = slotText(whyReadOnly).arg(name); break;
    case book::BookOpen::DiskFull: return slotText(whyDiskFull);
    case book::BookOpen::NewerBook: return slotText(whyNewerBook).arg(name);
    case book::BookOpen::DamagedStuck: return slotText(whyDamagedStuck).arg(name);
    default: why = slotText(whyOther).arg(name); break;
    }
    // The system's or SQLite's own words, where there are any.
    return result.detail.empty() ? why : why + " (" + QString::fromStdString(result.detail) + ")";
}

}  // namespace

QString openProblemText(const book::OpenResult& result, const std::filesystem::path& file)
{
    switch (result.outcome) {
    case book::BookOpen::Opened:
    case book::BookOpen::Created: return {};
    case book::BookOpen::DamagedReplaced:
        return slotText(damagedReplaced)
            .arg(nativeName(file), QDir::toNativeSeparators(QString::fromStdString(result.detail)));
    default: break;
    }
    return slotText(cannotOpen).arg(openWhy(result, file));
}

QString writeProblemText(book::BookWrite write)
{
    switch (write) {
    case book::BookWrite::Done: return {};
    case book::BookWrite::DuplicateCar:
    case book::BookWrite::EmptyRegistration:
    case book::BookWrite::NoSuchCar:
    case book::BookWrite::NoSuchVisit: return slotText(writeNoCar);
    case book::BookWrite::Busy: return slotText(writeBusy);
    case book::BookWrite::DiskFull: return slotText(whyDiskFull);
    case book::BookWrite::ReadOnly: return slotText(writeReadOnly);
    case book::BookWrite::Damaged: return slotText(writeDamaged);
    case book::BookWrite::Failed: break;
    }
    return slotText(writeFailed);
}

QString recordedText(Record what, const book::CurrentCarLookup& lookup, const std::filesystem::path& file,
                     const book::Recorded& recorded)
{
    using State = book::CurrentCarLookup::State;
    const QString registration = QString::fromStdString(lookup.registration);
    switch (lookup.state) {
    case State::NoCurrentCar: return {};
    case State::BookUnusable: return slotText(notRecorded).arg(registration, openProblemText(lookup.open, file));
    case State::NotInBook: return slotText(notRecorded).arg(registration, slotText(currentNotInBook));
    case State::Lapsed: return slotText(notRecorded).arg(registration, slotText(currentLapsed));
    case State::Found: break;
    }
    if (!recorded.done())
        return slotText(notRecorded).arg(registration, writeProblemText(recorded.write));
    // A reconnect's read of the set the visit holds: nothing new, nothing to say.
    if (recorded.visit == book::VisitTaken::AlreadyThere || what == Record::Writes)
        return openProblemText(lookup.open, file);
    const bool today = recorded.visit == book::VisitTaken::TodaysVisit;
    int key = recordedRead;
    if (what == Record::EndSet)
        key = today ? recordedEndToday : recordedEndNew;
    else if (what == Record::Report)
        key = today ? recordedReportToday : recordedReportNew;
    else if (what == Record::Adaptation)
        key = today ? recordedAdaptationToday : recordedAdaptationNew;
    const QString done = slotText(key).arg(registration);
    // A damaged book was put aside on the way: that is said too.
    const QString warning = openProblemText(lookup.open, file);
    return warning.isEmpty() ? done : done + "; " + warning;
}

}  // namespace dravinor::ui::carbook
