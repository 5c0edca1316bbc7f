#include "ui/journal/JournalTableModel.h"

#include "params/JournalListing.h"
#include "ui/journal/JournalTexts.h"
#include "ui/pages/FieldCaptions.h"
#include "ui/status/BackupTexts.h"

#include <QFont>
#include <QGuiApplication>
#include <QPalette>
#include <QStringList>

namespace dravinor::ui {

namespace {

QString summaryName(const params::JournalEntry& entry)
{
    using params::JournalKind, params::WriteSource;
    // A kind of a newer version: its word as it was written.
    if (entry.kind == JournalKind::Other)
        return QString::fromStdString(entry.kindText());
    if (entry.kind == JournalKind::Reset)
        return slotText(journal::resetKind);
    if (entry.kind == JournalKind::AdaptationReset)
        return slotText(journal::adaptationResetKind);
    if (entry.source == WriteSource::Undo)
        return slotText(texts::backupKey::restoreKind);
    return slotText(entry.source == WriteSource::File ? journal::fileKind : journal::writeAllKind);
}

QString addressText(const params::JournalEntry& entry)
{
    return entry.isWord() ? QStringLiteral("%1-%2").arg(entry.address).arg(entry.lastAddress)
                          : QString::number(entry.address);
}

// The words a mark adds to the result; empty for none.
QString markText(params::UndoMark mark)
{
    switch (mark) {
    case params::UndoMark::Unchanged: return slotText(journal::unchangedMark);
    case params::UndoMark::UndoWrite: return slotText(journal::undoWriteMark);
    case params::UndoMark::TakenBack: return slotText(journal::takenBackMark);
    case params::UndoMark::Next: return slotText(journal::nextUndoMark);
    case params::UndoMark::None: break;
    }
    return {};
}

}  // namespace

JournalTableModel::JournalTableModel(QObject* parent) : QAbstractTableModel(parent) {}

JournalTableModel::~JournalTableModel() = default;

void JournalTableModel::setEntries(std::vector<params::JournalEntry> newestFirst)
{
    beginResetModel();
    listing_.reset();
    entries_ = std::move(newestFirst);
    marker_ = {};
    marks_.clear();
    markNewRows();
    endResetModel();
}

void JournalTableModel::setListing(std::unique_ptr<params::JournalListing> listing)
{
    beginResetModel();
    listing_ = std::move(listing);
    entries_ = listing_->take(batchRows);
    marker_ = {};
    marks_.clear();
    markNewRows();
    endResetModel();
}

bool JournalTableModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && listing_ && !listing_->atEnd();
}

void JournalTableModel::fetchMore(const QModelIndex& parent)
{
    if (!canFetchMore(parent))
        return;
    std::vector<params::JournalEntry> more = listing_->take(batchRows);
    if (more.empty())
        return;
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(more.size()) - 1);
    entries_.insert(entries_.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
    markNewRows();
    endInsertRows();
}

void JournalTableModel::markNewRows()
{
    // Rows come newest first, so the rows above decide each new row's mark.
    for (std::size_t row = marks_.size(); row < entries_.size(); ++row)
        marks_.push_back(marker_.mark(entries_[row]));
}

void JournalTableModel::retranslate()
{
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
    if (!entries_.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

int JournalTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

int JournalTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

// "Silnik ponizej TPS: Prędkość attuatora (PAttuatoraPon, 11)"; a flag byte
// names the fields of the bits that changed; a value no field shows, its
// description.
QString JournalTableModel::fieldText(const params::JournalEntry& e) const
{
    QStringList captions;
    for (const QString& name : QString::fromStdString(e.field).split(u'+', Qt::SkipEmptyParts)) {
        const QString caption = fieldCaption(name.toStdString(), captionRoot_);
        if (caption.isEmpty()) {
            captions.clear();
            break;
        }
        captions << caption;
    }
    if (captions.isEmpty())
        return addressCaption(e.address, captionRoot_) + QStringLiteral(" (") + addressText(e) + ')';
    return captions.join(QStringLiteral(" + ")) + QStringLiteral(" (") + QString::fromStdString(e.field) +
           QStringLiteral(", ") + addressText(e) + ')';
}

QString JournalTableModel::cellText(const params::JournalEntry& e, int column) const
{
    const bool summary = e.address == 0;
    switch (column) {
    case Time:
        // An impossible time is shown as stored, never as a made-up date;
        // the mark comes first, so that a narrow column still shows it.
        if (!params::journalTimeValid(e.time))
            return slotText(journal::invalidTime) + ' ' + QString::fromStdString(e.time);
        return QString::fromStdString(params::journalLocalTime(e.time));
    case Port: return QString::fromStdString(e.port);
    case Version: return QString::fromStdString(e.controller);
    case Field: return summary ? summaryName(e) : fieldText(e);
    case OldValue: return summary ? QString() : QString::fromStdString(params::journalValueText(e.oldShown, e.oldRaw));
    case NewValue: return summary ? QString() : QString::fromStdString(params::journalValueText(e.newShown, e.newRaw));
    case Result: {
        const QString word = slotText(e.acknowledged ? journal::acknowledged : journal::notAcknowledged);
        // A summary counts its writes; a single write may carry the writer's
        // doubt about its value.
        return e.note.empty() ? word : word + QStringLiteral(" (") + QString::fromStdString(e.note) + ')';
    }
    default: return {};
    }
}

QString JournalTableModel::cellText(int row, int column) const
{
    const params::JournalEntry& entry = entries_.at(static_cast<std::size_t>(row));
    QString text = cellText(entry, column);
    if (column == Result)
        if (const QString mark = markText(this->mark(row)); !mark.isEmpty())
            text += QStringLiteral(" - ") + mark;
    return text;
}

QVariant JournalTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const params::JournalEntry& entry = entries_[static_cast<std::size_t>(index.row())];
    const params::UndoMark mark = this->mark(index.row());
    switch (role) {
    case Qt::DisplayRole: return cellText(index.row(), index.column());
    case Qt::ToolTipRole:
        // The result in full: a summary's note outgrows its column.
        return QString::fromStdString(entry.kindText() + " / " + entry.sourceText()) + '\n' +
               cellText(index.row(), Result);
    case Qt::ForegroundRole:
        if (mark == params::UndoMark::Unchanged)
            return QGuiApplication::palette().color(QPalette::Disabled, QPalette::Text);
        return {};
    case Qt::FontRole: {
        if (mark == params::UndoMark::None || mark == params::UndoMark::Unchanged)
            return {};
        QFont font;
        font.setItalic(mark == params::UndoMark::UndoWrite);
        font.setStrikeOut(mark == params::UndoMark::TakenBack);
        font.setBold(mark == params::UndoMark::Next);
        return font;
    }
    default: return {};
    }
}

QVariant JournalTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return slotText(journal::firstHeader + section);
}

}  // namespace dravinor::ui
