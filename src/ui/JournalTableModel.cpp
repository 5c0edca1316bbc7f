#include "JournalTableModel.h"

#include "JournalListing.h"
#include "JournalTexts.h"

namespace dravinor::ui {

namespace {

QString fromStd(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString summaryName(const params::JournalEntry& entry)
{
    if (entry.kind == "reset")
        return slotText(journal::resetKind);
    if (entry.kind == "adaptation-reset")
        return slotText(journal::adaptationResetKind);
    return slotText(entry.source == "file" ? journal::fileKind : journal::writeAllKind);
}

QString addressText(const params::JournalEntry& entry)
{
    return entry.isWord() ? QStringLiteral("%1-%2").arg(entry.address).arg(entry.lastAddress)
                          : QString::number(entry.address);
}

}  // namespace

JournalTableModel::JournalTableModel(QObject* parent) : QAbstractTableModel(parent) {}

JournalTableModel::~JournalTableModel() = default;

void JournalTableModel::setEntries(std::vector<params::JournalEntry> newestFirst)
{
    beginResetModel();
    listing_.reset();
    entries_ = std::move(newestFirst);
    endResetModel();
}

void JournalTableModel::setListing(std::unique_ptr<params::JournalListing> listing)
{
    beginResetModel();
    listing_ = std::move(listing);
    entries_ = listing_->take(batchRows);
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
    endInsertRows();
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

QString JournalTableModel::cellText(const params::JournalEntry& e, int column) const
{
    const bool summary = e.address == 0;
    switch (column) {
    case Time:
        // An impossible time is shown as stored, never as a made-up date;
        // the mark comes first, so that a narrow column still shows it.
        if (!params::journalTimeValid(e.time))
            return slotText(journal::invalidTime) + ' ' + fromStd(e.time);
        return fromStd(params::journalLocalTime(e.time));
    case Port:
        return fromStd(e.port);
    case Version:
        return fromStd(e.controller);
    case Field:
        return summary ? summaryName(e) : fromStd(e.field) + QStringLiteral(" (") + addressText(e) + ')';
    case OldValue:
        return summary ? QString() : fromStd(params::journalValueText(e.oldShown, e.oldRaw));
    case NewValue:
        return summary ? QString() : fromStd(params::journalValueText(e.newShown, e.newRaw));
    case Result: {
        const QString word = slotText(e.acknowledged ? journal::acknowledged : journal::notAcknowledged);
        return summary ? word + QStringLiteral(" (") + fromStd(e.note) + ')' : word;
    }
    default:
        return {};
    }
}

QVariant JournalTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const params::JournalEntry& entry = entries_[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole)
        return cellText(entry, index.column());
    if (role == Qt::ToolTipRole)
        return fromStd(entry.kind + " / " + entry.source);
    return {};
}

QVariant JournalTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return slotText(journal::firstHeader + section);
}

}  // namespace dravinor::ui
