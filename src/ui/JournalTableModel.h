#pragma once

#include "JournalEntry.h"

#include <QAbstractTableModel>

#include <memory>
#include <vector>

namespace dravinor::params {
class JournalListing;
}

namespace dravinor::ui {

// The journal's entries, newest first, as the journal window lists them:
// time, port, version, field, old value, new value, result.
class JournalTableModel final : public QAbstractTableModel {
public:
    enum Column { Time, Port, Version, Field, OldValue, NewValue, Result, ColumnCount };

    explicit JournalTableModel(QObject* parent = nullptr);
    ~JournalTableModel() override;

    // Rows a batch; the view asks for the next one as it scrolls to the end.
    static constexpr std::size_t batchRows = 200;

    void setEntries(std::vector<params::JournalEntry> newestFirst);
    // Lists the journal from its newest entry, a batch of rows now and more
    // as they are scrolled to: only the rows shown are held.
    void setListing(std::unique_ptr<params::JournalListing> listing);
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
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
    std::unique_ptr<params::JournalListing> listing_;
};

}  // namespace dravinor::ui
