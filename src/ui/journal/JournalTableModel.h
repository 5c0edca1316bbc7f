#pragma once

#include "params/JournalEntry.h"
#include "params/JournalUndo.h"

#include <QAbstractTableModel>

#include <memory>
#include <vector>

class QWidget;
namespace dravinor::params {
class JournalListing;
}

namespace dravinor::ui {

// The journal's entries, newest first, as the journal window lists them:
// time, port, version, field, old value, new value, result. Rewrites of an
// unchanged value are dimmed, undo's own writes are in italics, changes
// already taken back are struck out and the one the next undo takes back is
// bold; the result column names each mark.
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
    params::UndoMark mark(int row) const { return marks_.at(static_cast<std::size_t>(row)); }
    // Where the fields' captions are found in the current language; without
    // it, the built-in captions.
    void setCaptionRoot(const QWidget* root) { captionRoot_ = root; }
    // Headers and result words follow the language.
    void retranslate();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    QString cellText(const params::JournalEntry& entry, int column) const;
    QString cellText(int row, int column) const;

private:
    QString fieldText(const params::JournalEntry& entry) const;
    // Marks the rows that have none yet.
    void markNewRows();

    std::vector<params::JournalEntry> entries_;
    std::vector<params::UndoMark> marks_;
    params::UndoMarker marker_;
    const QWidget* captionRoot_ = nullptr;
    std::unique_ptr<params::JournalListing> listing_;
};

}  // namespace dravinor::ui
