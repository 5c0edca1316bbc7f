#pragma once

#include "params/JournalEntry.h"
#include "params/WriteJournal.h"
#include "params/WriteRecorder.h"

#include <functional>
#include <string>
#include <vector>

namespace dravinor::params {

// Where a write went: filled in for every entry at the time of the write.
struct WriteTarget {
    std::string port;                // empty when no port is open
    std::string controller;          // "1/3" (type/version) while a controller is connected
    std::string controllerSet = {};  // its parameter set's fingerprint, while connected
};

// The entries a write leaves in the journal (plain functions, so they can
// be tested without a file).
JournalEntry singleWriteEntry(const SingleWrite& write, const WriteTarget& target, const std::string& time);
// Details first (one per parameter that changed or whose old value was not
// known), the summary last, so it reads first when the journal is listed
// newest first.
std::vector<JournalEntry> bulkWriteEntries(const BulkWrite& write, const WriteTarget& target, const std::string& time);

// Appends every write of a transfer to the journal.
class JournalRecorder final : public WriteRecorder {
public:
    JournalRecorder(WriteJournal& journal, std::function<WriteTarget()> target)
        : journal_(journal), target_(std::move(target))
    {
    }

    void singleWrite(const SingleWrite& write) override;
    void bulkWrite(const BulkWrite& write) override;

    // Told once per failed append, with the reason.
    void setErrorListener(std::function<void(const std::string&)> listener) { errorListener_ = std::move(listener); }
    // Told the entries of each append that reached the journal, in the order
    // they were written (the car book keeps which entries a visit wrote).
    using AppendListener = std::function<void(const std::vector<JournalEntry>&)>;
    void setAppendListener(AppendListener listener) { appendListener_ = std::move(listener); }

private:
    void append(const std::vector<JournalEntry>& entries);

    WriteJournal& journal_;
    std::function<WriteTarget()> target_;
    std::function<void(const std::string&)> errorListener_;
    AppendListener appendListener_;
};

}  // namespace dravinor::params
