#include "JournalTableModel.h"

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

void JournalTableModel::setEntries(std::vector<params::JournalEntry> newestFirst)
{
    beginResetModel();
    entries_ = std::move(newestFirst);
    endResetModel();
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
        // A summary counts its writes; a single write may carry the writer's
        // doubt about its value.
        return e.note.empty() ? word : word + QStringLiteral(" (") + fromStd(e.note) + ')';
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
