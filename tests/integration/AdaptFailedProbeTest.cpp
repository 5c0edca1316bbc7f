// dravinor-cli adapt on the simulated car in simulated time: a lambda probe
// that fails in the lambda phases.
#include "CliFixture.h"

#include "book/CarBook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

using namespace dravinor;
using dravinor::testing::CliFixture;
using dravinor::testing::CliRun;

namespace {

sim::SimulatorOptions fitterWithProbe(sim::ProbeModel model)
{
    sim::SimulatorOptions options;
    options.fitter = true;
    options.probeModel = model;
    return options;
}

struct StuckLeanProbeCli : CliFixture {
    StuckLeanProbeCli() : CliFixture(fitterWithProbe(sim::ProbeModel::StuckLean)) {}
};
struct StuckRichProbeCli : CliFixture {
    StuckRichProbeCli() : CliFixture(fitterWithProbe(sim::ProbeModel::StuckRich)) {}
};

bool has(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// Where in the frames the controller heard the last EEPROM write of an address.
std::size_t lastWrite(const std::vector<sim::ReceivedFrame>& frames, int address)
{
    const auto it = std::find_if(frames.rbegin(), frames.rend(),
                                 [&](const auto& f) { return f.bytes[0] == 's' && f.bytes[1] == address; });
    return static_cast<std::size_t>(frames.rend() - it) - 1;
}

}  // namespace

TEST_F(StuckLeanProbeCli, TheAdaptationNoLongerEndsZakonczonoOnADeadProbe)
{
    const CliRun run = cli("--port COM1 adapt --ignition 2 --probe 0 --yes");
    EXPECT_EQ(run.exitCode, 5) << run.out << run.err;
    EXPECT_TRUE(has(run.out, "dravinor-cli: the lambda probe does not work: stuck lean, 0,")) << run.out;
    EXPECT_TRUE(has(run.out, "adaptation stopped; nothing more was written")) << run.out;
    EXPECT_FALSE(has(run.out, "Zakończono autoadaptację")) << run.out;
    EXPECT_FALSE(has(run.out, "Uwaga sonda posiada mały zakres regulacji")) << run.out;
    EXPECT_FALSE(has(run.out, "[x] Próg sondy ustawiony")) << run.out;
    // The lambda threshold the controller holds is the reset's: its last
    // write came before step 1's DALEJ wrote the ignition type again.
    const auto frames = controller.receivedFrames();
    EXPECT_LT(lastWrite(frames, 1), lastWrite(frames, 13));
    EXPECT_TRUE(has(run.out, "  TPS direction and threshold: parameters 32, 2")) << run.out;
    EXPECT_FALSE(has(run.out, "lambda threshold:")) << run.out;
}

TEST_F(StuckRichProbeCli, ForceGoesOnAndTheRunEndsDoubtfulWithThreeInTheJournalToo)
{
    const CliRun run = cli("--port COM1 adapt --ignition 2 --probe 0 --yes --force");
    EXPECT_EQ(run.exitCode, 3) << run.out << run.err;
    EXPECT_TRUE(has(run.out, "the lambda probe does not work: stuck rich")) << run.out;
    EXPECT_TRUE(has(run.out, "going on (--force)")) << run.out;
    EXPECT_TRUE(has(run.out, "Zakończono autoadaptację")) << run.out;
    EXPECT_TRUE(has(run.out, "went on with a failed lambda probe (stuck rich)")) << run.out;
    const std::string journal = dravinor::testing::slurp(folder.journal());
    EXPECT_TRUE(has(journal, "doubtful: lambda probe stuck rich")) << journal;
}

TEST_F(StuckLeanProbeCli, AnAdaptationStoppedAtTheProbeIsRecordedInTheCurrentCarsVisit)
{
    const auto data = dir / "data";
    ::setenv("DRAVINOR_DATA_DIR", data.c_str(), 1);
    ASSERT_EQ(cli("car 'WX 1' --add --make-model Fiat --current").exitCode, 0);
    const CliRun run = cli("--port COM1 adapt --ignition 2 --probe 0 --yes");
    ::unsetenv("DRAVINOR_DATA_DIR");
    EXPECT_EQ(run.exitCode, 5) << run.out << run.err;
    EXPECT_TRUE(has(run.err, "Recorded as the adaptation of a new visit of WX 1")) << run.err;
    book::CarBook book;
    ASSERT_TRUE(book::usable(book.open(data / "workshop.sqlite").outcome));
    const auto visits = book.visitsOf(book.carByRegistration("WX 1")->id);
    ASSERT_EQ(visits.size(), 1u);
    ASSERT_TRUE(visits[0].adaptation);
    EXPECT_TRUE(has(*visits[0].adaptation, "finished: no")) << *visits[0].adaptation;
    EXPECT_TRUE(has(*visits[0].adaptation, "stopped there")) << *visits[0].adaptation;
    ASSERT_TRUE(visits[0].endSet) << "every write was taken: the set it left is known";
    EXPECT_EQ(visits[0].endSet->bytes(), controller.eeprom());
    EXPECT_TRUE(visits[0].journal) << "the reset and the writes before the probe";
}
