#include "ReadFailureText.h"

#include <algorithm>

namespace dravinor::cli {

namespace {

std::string addressList(const std::vector<int>& addresses)
{
    std::string text;
    for (int address : addresses)
        text += ' ' + std::to_string(address);
    return text;
}

std::string stopText(const params::ReadAllResult& read)
{
    const std::string where = read.stoppedAt > 0 ? " at address " + std::to_string(read.stoppedAt) : "";
    switch (read.stop) {
    case params::ReadStop::Silent:
        return read.stoppedAt > 0 ? "the controller stopped answering" + where
                                  : "the controller did not answer before the first read";
    case params::ReadStop::Garbled: return "the line could not be brought back in step" + where;
    case params::ReadStop::PortLost: return "the port went away" + where;
    case params::ReadStop::None: break;
    }
    return {};
}

}  // namespace

std::string addressRuns(const std::vector<int>& addresses)
{
    std::string text;
    for (std::size_t i = 0; i < addresses.size();) {
        std::size_t last = i;
        while (last + 1 < addresses.size() && addresses[last + 1] == addresses[last] + 1)
            ++last;
        if (!text.empty())
            text += ' ';
        text += std::to_string(addresses[i]);
        if (last > i)
            text += '-' + std::to_string(addresses[last]);
        i = last + 1;
    }
    return text;
}

std::string incompleteReadText(const params::ReadAllResult& read)
{
    if (read.complete())
        return {};
    std::vector<int> unanswered = read.unanswered();
    if (!read.stopped())
        return "no valid answer for address" + addressList(unanswered);
    // The address it stopped at is named already.
    unanswered.erase(std::remove(unanswered.begin(), unanswered.end(), read.stoppedAt), unanswered.end());
    std::string text = stopText(read);
    if (!read.notAsked.empty())
        text += "; " + addressRuns(read.notAsked) + (read.notAsked.size() == 1 ? " was" : " were") + " not asked";
    if (!unanswered.empty())
        text += "; no valid answer for address" + addressList(unanswered);
    return text;
}

}  // namespace dravinor::cli
