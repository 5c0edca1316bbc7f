#include "ControllerSimulator.h"
#include "EepromImage.h"
#include "PtyClient.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>
#include <thread>

using namespace dravinor::sim;
using dravinor::sim::testing::PtyClient;
using Bytes = std::vector<std::uint8_t>;
using namespace std::chrono_literals;

namespace {

SimulatorOptions unpaced()
{
    SimulatorOptions o;
    o.pacing = false;
    return o;
}

struct Running {
    explicit Running(SimulatorOptions options = unpaced()) : sim(std::move(options))
    {
        std::string error;
        EXPECT_TRUE(sim.start(&error)) << error;
    }
    ControllerSimulator sim;
};

template <typename Change>
FaultOptions faults(Change change)
{
    FaultOptions f;
    change(f);
    return f;
}

bool pathExists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

}  // namespace

TEST(PtySimulatorLine, EveryByteValuePassesBothWays)
{
    Running r;
    PtyClient client(r.sim.slavePath());
    ASSERT_TRUE(client.isOpen());
    Bytes all(256);
    for (int i = 0; i < 256; ++i)
        all[i] = static_cast<std::uint8_t>(i);
    r.sim.injectBytes(all);
    EXPECT_EQ(client.receive(256), all);

    // One frame per value, each awaiting its answer (the controller is deaf
    // while it talks): XON/XOFF, CR, LF and the interrupt characters each
    // travel as data and as checksum.
    for (int v = 0; v < 256; ++v) {
        ASSERT_TRUE(
            client.send(PtyClient::frame('s', 0, static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(255 - v))));
        ASSERT_EQ(client.receive(1, 1s), Bytes{'s'}) << v;
    }
    const auto frames = r.sim.receivedFrames();
    ASSERT_EQ(frames.size(), 256u);
    for (int v = 0; v < 256; ++v)
        EXPECT_EQ(frames[v].bytes[2], v);
}

// A simulator left running (the demo) must not grow with every frame.
TEST(PtySimulatorLine, FrameLogKeepsOnlyTheLatestFrames)
{
    for (const std::size_t limit : {std::size_t{8}, std::size_t{0}}) {
        SimulatorOptions options = unpaced();
        options.frameLogLimit = limit;
        Running r(options);
        PtyClient client(r.sim.slavePath());
        for (int address = 0; address < 20; ++address) {
            ASSERT_TRUE(client.send(PtyClient::frame('s', static_cast<std::uint8_t>(address), 1, 2)));
            ASSERT_EQ(client.receive(1, 1s), Bytes{'s'}) << address;
        }
        const auto frames = r.sim.receivedFrames();
        ASSERT_EQ(frames.size(), limit);
        for (std::size_t i = 0; i < frames.size(); ++i)
            EXPECT_EQ(frames[i].bytes[1], 20 - limit + i);
    }
}

TEST(PtySimulatorLine, AnswersEachCommand)
{
    SimulatorOptions options = unpaced();
    options.identity = 0x42;
    Running r(options);
    PtyClient client(r.sim.slavePath());

    client.command('I');
    EXPECT_EQ(client.receive(1), Bytes{0x42});
    client.command('s', 5, 120);
    EXPECT_EQ(client.receive(1), Bytes{'s'});
    client.command('R', 41, 120, 85);
    EXPECT_EQ(client.receive(1), Bytes{'R'});
    EXPECT_EQ(r.sim.ram()[41], 120);
    EXPECT_EQ(r.sim.ram()[42], 85);
    client.command('l', 5);
    EXPECT_EQ(client.receive(4), (Bytes{'D', 120, 'D' + 120, 0x3B}));
    client.command('r', 125, 254);
    EXPECT_EQ(client.receive(1), Bytes{'r'});
    r.sim.setThrottle(1.0);
    client.command('V');
    const Bytes live = client.receive(10);
    ASSERT_EQ(live.size(), 10u);
    EXPECT_EQ(live[1], 230);
    EXPECT_EQ(live[5], kStatusAutomatic);
}

TEST(PtySimulatorLine, SurvivesThePortBeingOpenedAndClosedRepeatedly)
{
    Running r;
    for (int i = 0; i < 5; ++i) {
        PtyClient client(r.sim.slavePath());
        ASSERT_TRUE(client.isOpen()) << "open " << i;
        ::tcflush(client.fd(), TCIFLUSH);
        client.command('I');
        EXPECT_EQ(client.receive(1), Bytes{0x31}) << "open " << i;
    }
}

TEST(PtySimulatorLine, PacedReplyTakesItsLineTime)
{
    Running r(SimulatorOptions{});
    PtyClient client(r.sim.slavePath());
    const auto sent = std::chrono::steady_clock::now();
    client.command('l', 1);
    EXPECT_EQ(client.receive(4).size(), 4u);
    EXPECT_GE(std::chrono::steady_clock::now() - sent, 9ms) << "six frame bytes and four reply bytes";
}

TEST(PtySimulatorLine, SilentControllerHearsButNeitherActsNorAnswers)
{
    SimulatorOptions options = unpaced();
    options.silent = true;
    Running r(options);
    PtyClient client(r.sim.slavePath());
    client.command('s', 1, 50);
    EXPECT_TRUE(client.receive(1, 100ms).empty());
    EXPECT_EQ(r.sim.receivedFrames().size(), 1u);
    EXPECT_EQ(r.sim.eeprom()[1], factoryEeprom()[1]);
    r.sim.setSilent(false);
    client.command('I');
    EXPECT_EQ(client.receive(1), Bytes{0x31});
}

TEST(PtySimulatorFaults, IgnoredWritesAreNeitherAnsweredNorStored)
{
    Running r;
    r.sim.setFaults(faults([](FaultOptions& f) { f.ignoreFirstWrites = 1; }));
    PtyClient client(r.sim.slavePath());
    client.command('s', 1, 50);
    EXPECT_TRUE(client.receive(1, 100ms).empty());
    EXPECT_EQ(r.sim.eeprom()[1], factoryEeprom()[1]);
    client.command('s', 1, 50);
    EXPECT_EQ(client.receive(1), Bytes{'s'});
    EXPECT_EQ(r.sim.eeprom()[1], 50);
}

TEST(PtySimulatorFaults, ReplyShapesReachTheClient)
{
    Running r;
    PtyClient client(r.sim.slavePath());

    r.sim.setFaults(faults([](FaultOptions& f) { f.wrongChecksum = true; }));
    client.command('l', 1);
    EXPECT_EQ(client.receive(4), (Bytes{'D', 0x13, 0x58, 0x3B}));
    client.command('I');
    EXPECT_EQ(client.receive(1), Bytes{0x31}) << "only parameter replies are spoilt";

    r.sim.setFaults(faults([](FaultOptions& f) { f.longReplyExtra = 2; }));
    client.command('s', 2, 28);
    EXPECT_EQ(client.receive(3), (Bytes{'s', 0, 1}));

    r.sim.setFaults(faults([](FaultOptions& f) { f.noisePercent = 100; }));
    client.command('I');
    const Bytes noisy = client.receive(2);
    ASSERT_EQ(noisy.size(), 2u);
    EXPECT_EQ(noisy[1], 0x31);

    r.sim.setFaults(faults([](FaultOptions& f) { f.lateTailMs = 60; }));
    client.command('l', 1);
    EXPECT_EQ(client.receive(3).size(), 3u);
    const auto headArrived = std::chrono::steady_clock::now();
    EXPECT_EQ(client.receive(1), Bytes{0x3B});
    EXPECT_GE(std::chrono::steady_clock::now() - headArrived, 40ms);
}

// A late answer with the queue: the frames sent while the controller held it
// back are answered after it, in the order they came; without the queue the
// controller is deaf meanwhile and they are lost.
TEST(PtySimulatorFaults, LateAnswerQueuesWhatCameMeanwhileOnlyWhenAskedTo)
{
    for (const bool queue : {true, false}) {
        SCOPED_TRACE(queue);
        Running r;
        r.sim.setFaults(faults([queue](FaultOptions& f) {
            f.lateAnswerAddress = 7;
            f.lateAnswerMs = 150;
            f.lateAnswerQueues = queue;
        }));
        PtyClient client(r.sim.slavePath());
        const auto image = factoryEeprom();
        const auto reply = [](std::uint8_t v) { return Bytes{'D', v, static_cast<std::uint8_t>('D' + v), ';'}; };
        client.command('l', 7);
        std::this_thread::sleep_for(30ms);
        client.command('l', 8);
        client.command('I');
        Bytes expected = reply(image[7]);
        if (queue) {
            const Bytes eight = reply(image[8]);
            expected.insert(expected.end(), eight.begin(), eight.end());
            expected.push_back(0x31);
        }
        EXPECT_EQ(client.receive(9, 1s), expected);
    }
}

TEST(PtySimulatorFaults, HangsUpAfterTheLastAllowedFrameIsAnswered)
{
    Running r;
    r.sim.setFaults(faults([](FaultOptions& f) { f.hangUpAfterFrames = 1; }));
    {
        // On a quiet line the adapter goes away by itself soon after.
        PtyClient client(r.sim.slavePath());
        client.command('I');
        EXPECT_EQ(client.receive(1), Bytes{0x31});
        pollfd p{client.fd(), POLLIN, 0};
        ASSERT_EQ(::poll(&p, 1, 2000), 1);
        EXPECT_TRUE(p.revents & POLLHUP);
    }
    ASSERT_TRUE(r.sim.replug());
    r.sim.clearReceivedFrames();
    r.sim.setFaults(faults([](FaultOptions& f) { f.hangUpAfterFrames = 1; }));
    PtyClient client(r.sim.slavePath());
    client.command('I');
    EXPECT_EQ(client.receive(1), Bytes{0x31});
    client.command('I');
    EXPECT_TRUE(client.receive(1, 200ms).empty()) << "the next frame meets the hang-up";
    EXPECT_EQ(r.sim.receivedFrames().size(), 2u);
}

TEST(PtySimulatorPlug, HangUpLooksLikeAnUnpluggedAdapter)
{
    SimulatorOptions options = unpaced();
    options.linkPath = ::testing::TempDir() + "dravinor-sim-link";
    Running r(options);
    const std::string firstPath = r.sim.slavePath();
    PtyClient client(options.linkPath);
    ASSERT_TRUE(client.isOpen());
    r.sim.injectBytes({1, 2, 3});
    std::this_thread::sleep_for(10ms);

    r.sim.hangUp();
    pollfd p{client.fd(), POLLIN, 0};
    ASSERT_EQ(::poll(&p, 1, 0), 1) << "at once, not after a poll of the simulator";
    EXPECT_TRUE(p.revents & POLLHUP);
    std::uint8_t byte = 0;
    EXPECT_EQ(::read(client.fd(), &byte, 1), 0) << "unread bytes are gone";
    errno = 0;
    EXPECT_EQ(::write(client.fd(), &byte, 1), -1);
    EXPECT_EQ(errno, EIO);
    int waiting = 0;
    EXPECT_EQ(::ioctl(client.fd(), FIONREAD, &waiting), -1);
    EXPECT_FALSE(pathExists(firstPath));
    EXPECT_FALSE(pathExists(options.linkPath));

    std::string error;
    ASSERT_TRUE(r.sim.replug(&error)) << error;
    PtyClient again(options.linkPath);
    again.command('I');
    EXPECT_EQ(again.receive(1), Bytes{0x31});
    r.sim.stop();
    EXPECT_FALSE(pathExists(options.linkPath)) << "the link goes with the simulator";
}

TEST(PtySimulatorLifetime, StopIsPromptDuringALongReplyAndStartsAgain)
{
    SimulatorOptions options;
    options.faults.lateTailMs = 5000;
    ControllerSimulator sim(options);
    ASSERT_TRUE(sim.start());
    PtyClient client(sim.slavePath());
    client.command('I');
    std::this_thread::sleep_for(20ms);
    const auto begin = std::chrono::steady_clock::now();
    sim.stop();
    EXPECT_LT(std::chrono::steady_clock::now() - begin, 2s);
    ASSERT_TRUE(sim.start());
    EXPECT_TRUE(pathExists(sim.slavePath()));
}
