#pragma once

#include "JournalEntry.h"

#include <QAbstractTableModel>

#include <vector>

namespace dravinor::ui {

// The journal's entries, newest first, as the journal window lists them:
// time, port, version, field, old value, new value, result.
class JournalTableModel final : public QAbstractTableModel {
public:
    enum Column { Time, Port, Version, Field, OldValue, NewValue, Result, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void setEntries(std::vector<params::JournalEntry> newestFirst);
    const std::vector<params::JournalEntry>& entries() const { return entries_; }
    // Headers and result words follow the language.
    void retranslate();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    QString cellText(const params::JournalEntry& entry, int column) const;

private:
    std::vector<params::JournalEntry> entries_;
};

}  // namespace dravinor::ui
