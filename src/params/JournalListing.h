#pragma once

#include "params/JournalEntry.h"
#include "params/WriteJournal.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace dravinor::params {

// The journal as it is listed: newest first, a word's two halves joined
// into one entry, taken a few entries at a time, so that a list holds only
// the rows it shows, however long the journal has grown.
class JournalListing {
public:
    explicit JournalListing(const WriteJournal& journal,
                            std::size_t blockSize = JournalBackwardReader::defaultBlockSize)
        : reader_(journal, blockSize)
    {
    }

    // Up to `count` more entries; fewer once the journal's first is reached.
    std::vector<JournalEntry> take(std::size_t count);
    bool atEnd() const { return atEnd_; }
    // The journal files that exist but could not be read.
    const std::vector<JournalProblem>& problems() const { return reader_.problems(); }

private:
    JournalBackwardReader reader_;
    std::optional<JournalEntry> older_;  // read ahead: maybe the first half of a word
    bool atEnd_ = false;
};

}  // namespace dravinor::params
