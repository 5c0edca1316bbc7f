#include "ui/recording/ReplayProblem.h"

#include "live/TraceHistory.h"
#include "ui/recording/LiveRecordingTexts.h"

#include <QDir>
#include <QMessageBox>

namespace dravinor::ui {

namespace {

using params::LiveCsvFault;

QString reason(const params::LiveCsvError& error)
{
    switch (error.fault) {
    case LiveCsvFault::Missing: return texts::replayMissing;
    case LiveCsvFault::CannotOpen:
        return QString(texts::replayCannotOpen).arg(QString::fromStdString(error.systemText));
    case LiveCsvFault::Folder: return texts::replayFolder;
    case LiveCsvFault::NotAFile: return texts::replayNotAFile;
    case LiveCsvFault::TooLarge: return texts::replayTooLarge;
    case LiveCsvFault::CannotRead:
        return QString(texts::replayCannotRead).arg(QString::fromStdString(error.systemText));
    case LiveCsvFault::Empty: return texts::replayEmpty;
    case LiveCsvFault::WrongHeader:
        // The trace's exported samples hold four channels ten times a second and none
        // of the fuel state, temperature and settings a replay shows: what a replay
        // wants, and how to record it, instead.
        return live::isTraceCsvFirstLine(error.text) ? texts::replayTraceSamples : texts::replayWrongHeader;
    case LiveCsvFault::NoPolls: return texts::replayNoPolls;
    case LiveCsvFault::ColumnCount:
        // One more than a row holds stands for "more than that".
        if (error.columns > params::liveCsvColumnCount)
            return QString(texts::replayManyColumns).arg(params::liveCsvColumnCount);
        return QString(texts::replayFewColumns).arg(error.columns).arg(params::liveCsvColumnCount);
    case LiveCsvFault::BadValue:
        return QString(texts::replayBadValue)
            .arg(error.column)
            .arg(QString::fromStdString(error.text))
            .arg(slotText(texts::firstReplayValueKey + static_cast<int>(error.expected)));
    case LiveCsvFault::TimeGoesBack: return texts::replayTimeGoesBack;
    case LiveCsvFault::None: break;
    }
    return {};
}

}  // namespace

ReplayProblemText replayProblemText(const QString& path, const params::LiveCsvError& error)
{
    ReplayProblemText text;
    text.text = texts::replayCannotPlay;
    text.informative = QDir::toNativeSeparators(path) + "\n";
    if (error.line > 0)
        text.informative += QString(texts::replayLine) + " " + QString::number(error.line) + ": ";
    text.informative += reason(error);
    // A header runs far wider than a box: the details hold it whole, to compare or copy.
    if (error.fault == LiveCsvFault::WrongHeader)
        text.details = QString(texts::replayExpectedHeader) + "\n" + QString::fromStdString(params::liveCsvHeader()) +
                       "\n\n" + texts::replayFirstLine + "\n" + QString::fromStdString(error.text);
    return text;
}

std::unique_ptr<QMessageBox> replayProblemBox(const ReplayProblemText& text)
{
    auto box = std::make_unique<QMessageBox>(QMessageBox::Critical, QString(), text.text, QMessageBox::Ok);
    box->setTextFormat(Qt::PlainText);
    box->setInformativeText(text.informative);
    if (!text.details.isEmpty())
        box->setDetailedText(text.details);
    return box;
}

}  // namespace dravinor::ui
