#include "params/JournalListing.h"

#include "params/JournalUndo.h"

namespace dravinor::params {

std::vector<JournalEntry> JournalListing::take(std::size_t count)
{
    std::vector<JournalEntry> entries;
    while (entries.size() < count && !atEnd_) {
        std::optional<JournalEntry> entry;
        entry.swap(older_);
        if (!entry)
            entry = reader_.next();
        if (!entry) {
            atEnd_ = true;
            break;
        }
        // Read backwards, a word's low half comes before its high half.
        older_ = reader_.next();
        if (older_ && halvesOfOneWord(*older_, *entry)) {
            entries.push_back(joinedWord(*older_, *entry));
            older_.reset();
        } else {
            entries.push_back(std::move(*entry));
        }
    }
    return entries;
}

}  // namespace dravinor::params
