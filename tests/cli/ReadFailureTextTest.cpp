#include "ReadFailureText.h"

#include <gtest/gtest.h>

using namespace dravinor;
using cli::incompleteReadText;

namespace {

params::ReadAllResult stoppedAt(int address, params::ReadStop stop, std::vector<int> unansweredBefore = {})
{
    params::ReadAllResult read;
    read.stop = stop;
    read.stoppedAt = address;
    read.failedAddresses = std::move(unansweredBefore);
    for (int a = std::max(address, 1); a <= 35; ++a) {
        read.failedAddresses.push_back(a);
        if (a > address)
            read.notAsked.push_back(a);
    }
    return read;
}

}  // namespace

TEST(ReadFailureText, AddressesAskedInVainAreListedAsBefore)
{
    params::ReadAllResult read;
    EXPECT_EQ(incompleteReadText(read), "");
    read.failedAddresses = {7};
    EXPECT_EQ(incompleteReadText(read), "no valid answer for address 7");
    read.failedAddresses = {3, 4, 20};
    EXPECT_EQ(incompleteReadText(read), "no valid answer for address 3 4 20");
}

// Before: "no valid answer for address 9 10 11 ... 35", the addresses never
// asked among them.
TEST(ReadFailureText, StoppedReadNamesWhereAndWhatItNeverAsked)
{
    EXPECT_EQ(incompleteReadText(stoppedAt(9, params::ReadStop::Silent)),
              "the controller stopped answering at address 9; 10-35 were not asked");
    EXPECT_EQ(incompleteReadText(stoppedAt(34, params::ReadStop::PortLost, {2})),
              "the port went away at address 34; 35 was not asked; no valid answer for address 2");
    EXPECT_EQ(incompleteReadText(stoppedAt(35, params::ReadStop::Garbled)),
              "the line could not be brought back in step at address 35");
    EXPECT_EQ(incompleteReadText(stoppedAt(0, params::ReadStop::Silent)),
              "the controller did not answer before the first read; 1-35 were not asked");
}

TEST(ReadFailureText, RunsOfNeighbouringAddressesAreJoined)
{
    EXPECT_EQ(cli::addressRuns({}), "");
    EXPECT_EQ(cli::addressRuns({5}), "5");
    EXPECT_EQ(cli::addressRuns({3, 5, 6, 7, 9, 10}), "3 5-7 9-10");
}
