#include "Arguments.h"
#include "CliSession.h"
#include "Commands.h"
#include "Console.h"

#include "LiveReconnect.h"
#include "ProbeHealthLine.h"
#include "diagnostics/ProbeHealth.h"
#include "params/LiveCsv.h"
#include "params/LiveFrame.h"
#include "params/LivePoll.h"
#include "params/NumberFormat.h"
#include "params/ParameterTable.h"
#include "params/ScaleTables.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <iostream>

namespace dravinor::cli {

namespace {

constexpr std::uint32_t pollPeriodMs = 50;
std::atomic<bool> interrupted{false};

const char* fuelText(params::FuelState state)
{
    switch (state) {
    case params::FuelState::Gas: return "Gaz";
    case params::FuelState::Automatic: return "Benzyna/Automat";
    case params::FuelState::Petrol: break;
    }
    return "Benzyna";
}

const char* badAnswerText(params::LiveReply reply)
{
    switch (reply) {
    case params::LiveReply::Short: return "short answer";
    case params::LiveReply::Long: return "overlong answer";
    case params::LiveReply::Blank: return "blank answer (all zero bytes)";
    case params::LiveReply::Missing:
    case params::LiveReply::Good: break;
    }
    return "no answer";
}

// Time goes by the session's clock, so a test runs a minute of polls at once.
double secondsSince(link::Clock& clock, std::uint32_t startMs)
{
    return static_cast<double>(clock.tickMs() - startMs) / 1000.0;
}

// Sleeps until the next 50 ms mark; a late poll is not made up for.
void waitForNextTick(link::Clock& clock, std::uint32_t& deadlineMs)
{
    deadlineMs += pollPeriodMs;
    const std::uint32_t now = clock.tickMs();
    if (static_cast<std::int32_t>(now - deadlineMs) > 0) {
        deadlineMs = now;
        return;
    }
    clock.sleepMs(static_cast<int>(deadlineMs - now));
}

// One poll's line: a CSV row, the bad answer, or the readings in units.
void printPoll(const params::LiveReading& live, double atSeconds, bool csv)
{
    const params::LiveFrame& frame = live.poll.frame;
    const params::LiveValues& values = live.values;
    if (csv) {
        params::LiveSample sample;
        sample.timeMs = static_cast<std::int64_t>(std::llround(atSeconds * 1000));
        sample.wallClockMs =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
                .count();
        sample.answered = live.good();
        sample.frame = frame;
        sample.settings = live.settings;
        std::printf("%s\n", params::liveCsvRow(sample).c_str());
    } else if (!live.good()) {
        std::printf("%s\n", badAnswerText(live.poll.reply));
    } else {
        std::printf("lambda %s V  tps %s V  rpm %5s  stepper %3u  temp %s  %s\n",
                    params::formatFixed3(values.lambdaVolts, 2).c_str(),
                    params::formatFixed3(values.tpsVolts, 2).c_str(), params::engineRpmText(values.rpm).c_str(),
                    frame.stepperPosition,
                    live.settings.temperatureSensor ? params::formatFixed3(values.temperature, 0).c_str() : "-",
                    fuelText(values.fuel));
    }
}

// The probe check reads the frames with the probe type the controller holds
// and judges its threshold against the probe's swing; its lines come once a
// second (on stderr beside CSV, so that stays a recording).
class ProbeHealthLines {
public:
    explicit ProbeHealthLines(const params::ParameterState& state)
        : probeType_(state.block().get(params::address::probeType)), health_(probeType_),
          thresholdVolts_(state.block().get(params::address::lambdaThreshold) * params::lambdaThresholdStep)
    {
    }
    void after(const params::LiveReading& live, double atSeconds, bool csv)
    {
        if (live.good())
            health_.add({atSeconds, live.values.lambdaVolts, live.values.rpm});
        if (atSeconds >= nextLineAt_) {
            nextLineAt_ += 1.0;
            const diagnostics::ProbeHealthFigures figures = health_.figures();
            std::FILE* out = csv ? stderr : stdout;
            std::fprintf(out, "%s\n", probeHealthLine(figures).c_str());
            const auto finding = diagnostics::judgeThreshold(figures, probeType_, thresholdVolts_);
            if (const auto line = thresholdLine(figures, finding, thresholdVolts_))
                std::fprintf(out, "%s\n", line->c_str());
        }
    }

private:
    int probeType_;
    diagnostics::ProbeHealth health_;
    float thresholdVolts_;
    double nextLineAt_ = 1.0;
};

// The rate counts from the first poll's start to the last one's.
int summarise(long polls, long unanswered, double lastPollAt, int code)
{
    std::fprintf(stderr, "%ld polls in %.2f s: %.2f per second, %ld unanswered\n", polls, lastPollAt,
                 polls > 1 && lastPollAt > 0 ? static_cast<double>(polls - 1) / lastPollAt : 0.0, unanswered);
    if (code != exitSuccess || unanswered == 0)
        return code;
    if (unanswered == polls) {
        std::cerr << "dravinor-cli: the controller answered none of the " << polls << " polls\n";
        return exitNoController;
    }
    std::cerr << "dravinor-cli: " << unanswered << " of " << polls << " polls were not answered (or came back bad)\n";
    return exitNotAcknowledged;
}

}  // namespace

int runLive(CliSession& session, const CliOptions& options)
{
    const long count = options.count("--count").value_or(-1);
    const bool csv = options.has("--csv");
    const bool probeHealth = options.has("--probe-health");
    const bool reconnect = options.has("--reconnect");
    // The parameters give the ignition type (for RPM) and the sensor switch.
    if (const int code = session.connect(OnConnect::ReadParameters); code != exitSuccess)
        return code;

    catchInterrupts(interrupted);
    if (csv)
        std::printf("%s\n", params::liveCsvHeader().c_str());

    auto& port = session.port();
    link::Clock& clock = session.clock();
    const std::uint32_t startMs = clock.tickMs();
    std::uint32_t deadlineMs = startMs;
    long polls = 0;
    long unanswered = 0;
    double lastPollAt = 0;
    int code = exitSuccess;
    ProbeHealthLines probeLines(session.state());
    params::Reconnection reconnection(session.controllerSession());
    if (reconnect)
        reconnection.follow();
    while (!interrupted && (count < 0 || polls < count)) {
        if (polls > 0)
            waitForNextTick(clock, deadlineMs);
        lastPollAt = secondsSince(clock, startMs);
        // Only a whole frame is a reading: a short, long, missing or blank
        // answer counts as unanswered and shows no values.
        const params::LiveReading live = params::readLive(port, session.state());
        ++polls;
        if (port.deviceLost()) {
            std::cerr << "dravinor-cli: the port went away (adapter unplugged?)\n";
            if (reconnect && reconnection.checkLine().step == params::ReconnectStep::Lost &&
                waitForController(reconnection, interrupted)) {
                deadlineMs = clock.tickMs();
                continue;
            }
            code = exitNoController;
            break;
        }
        unanswered += live.good() ? 0 : 1;
        printPoll(live, lastPollAt, csv);
        if (probeHealth)
            probeLines.after(live, lastPollAt, csv);
        std::fflush(stdout);
    }
    return summarise(polls, unanswered, lastPollAt, code);
}

}  // namespace dravinor::cli
