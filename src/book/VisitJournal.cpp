#include "book/VisitJournal.h"

#include "params/JournalListing.h"

#include <algorithm>
#include <limits>
#include <string>

namespace dravinor::book {

std::optional<JournalRange> journalRangeOf(const std::vector<params::JournalEntry>& entries)
{
    std::optional<JournalRange> range;
    for (const params::JournalEntry& entry : entries) {
        if (entry.unchangedRewrite())
            continue;
        if (const auto time = params::journalTimeMilliseconds(entry.time))
            range = joinedRange(range, JournalRange{*time, *time});
    }
    return range;
}

JournalRange joinedRange(const std::optional<JournalRange>& range, const JournalRange& more)
{
    if (!range)
        return more;
    return {std::min(range->first, more.first), std::max(range->last, more.last)};
}

bool visitWrote(const Visit& visit, const params::JournalEntry& entry)
{
    if (!visit.journal || entry.unchangedRewrite())
        return false;
    if (!visit.controllerType.empty() && entry.controller != visit.controllerType + "/" + visit.firmware)
        return false;
    const auto time = params::journalTimeMilliseconds(entry.time);
    return time && *time >= visit.journal->first && *time <= visit.journal->last;
}

VisitJournalEntries visitJournalEntries(const params::WriteJournal& journal, const std::vector<Visit>& visits)
{
    VisitJournalEntries found;
    found.entries.resize(visits.size());
    std::int64_t oldest = std::numeric_limits<std::int64_t>::max();
    for (const Visit& visit : visits)
        if (visit.journal)
            oldest = std::min(oldest, visit.journal->first);
    if (oldest == std::numeric_limits<std::int64_t>::max())
        return found;

    params::JournalListing listing(journal);
    constexpr std::size_t batch = 256;
    bool older = false;
    while (!older && !listing.atEnd()) {
        for (const params::JournalEntry& entry : listing.take(batch)) {
            const auto time = params::journalTimeMilliseconds(entry.time);
            if (time && *time < oldest) {
                older = true;
                break;
            }
            for (std::size_t i = 0; i < visits.size(); ++i)
                if (visitWrote(visits[i], entry))
                    found.entries[i].push_back(entry);
        }
    }
    found.problems = listing.problems();
    return found;
}

}  // namespace dravinor::book
