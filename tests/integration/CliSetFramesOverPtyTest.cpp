// The frames `dravinor-cli set FIELD VALUE` puts on the wire for every free-text
// field, and what it says of them, held against a recording (tests/frames/).
// DRAVINOR_RECORD_FRAMES=1 records a change that means to change them.

#include "CliFixture.h"
#include "FrameLog.h"
#include "TestLocations.h"

#include <gtest/gtest.h>

using namespace dravinor;
using dravinor::testing::CliFixture;

namespace {

struct CliSetFrames : CliFixture {
    dravinor::testing::FrameLog log;

    void set(const std::string& field, const std::string& value)
    {
        controller.clearReceivedFrames();
        // Some values lie outside their fields' ranges: recorded with the
        // page's clamping, which set now does only when asked.
        const auto run = cli("set --clamp " + field + " " + value);
        log.heading("set " + field + " " + value + ": exit " + std::to_string(run.exitCode));
        log.heading("out: " + run.out.substr(0, run.out.find('\n')));
        log.heading("err: " + run.err.substr(0, run.err.find('\n')));
        bool written = false;
        for (const auto& frame : controller.receivedFrames()) {
            // The connection's identify and read are the same for every set.
            written = written || (frame.bytes[0] != 'I' && frame.bytes[0] != 'l');
            if (written)
                log.add(frame.bytes);
        }
    }
};

}  // namespace

TEST_F(CliSetFrames, EveryFieldWritesTheFramesItWroteBefore)
{
    const std::pair<const char*, const char*> edits[] = {
        {"PRLambda", "0,45"},       {"ESLambda_1", "0,5"},       {"ESLambda_2", "0,6"},     {"PCTps", "1,25"},
        {"ODPBenzynaGas", "2500"},  {"DObrotow", "200"},         {"MONGaz", "6500"},        {"TPWStopniach", "40"},
        {"ZPAttuatoraPow_1", "80"}, {"ZPAttuatoraPow_2", "120"}, {"PSAttuatoraPow", "105"}, {"PAttuatoraPow", "20"},
        {"ZPAttuatoraPon_1", "60"}, {"ZPAttuatoraPon_2", "110"}, {"PSAttuatoraPon", "90"},  {"PAttuatoraPon", "70"},
        {"IKDCutOff", "60"},        {"OSDCutOff", "2000"},       {"BTps", "0,2"},           {"CLambda", "20"},
        {"AVoltage", "2,5"},        {"DOAttuatora", "5"},        {"RPMSignal", "3"},        {"ZPAttuatoraPow_1", "200"},
        {"zpattuatorapon_2", "9"},  {"MONGaz", "12000"},
    };
    for (const auto& [field, value] : edits)
        set(field, value);

    // The controller takes nothing at first: a word's low byte and the
    // delta wait for an acknowledged high byte.
    sim::FaultOptions deaf;
    deaf.ignoreFirstWrites = 5;
    for (const char* field : {"MONGaz", "DObrotow", "PCTps"}) {
        controller.setFaults(deaf);
        set(field, field == std::string("PCTps") ? "1,5" : "3000");
    }
    dravinor::testing::expectRecordedFrames(log.text(), dravinor::testing::sourceDir() + "/tests/frames/cli-set.txt");
}
