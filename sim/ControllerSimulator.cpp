#include "ControllerSimulator.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace dravinor::sim {

namespace {

constexpr int kPollTimeoutMs = 200;
constexpr std::int64_t kHangUpGraceNs = 100'000'000;
// Long waits (a late tail) are cut into slices so stop() stays prompt.
constexpr std::int64_t kSleepSliceNs = 50'000'000;

std::int64_t monotonicNs()
{
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

void sleepUntilNs(std::int64_t deadline)
{
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(deadline / 1'000'000'000);
    ts.tv_nsec = static_cast<long>(deadline % 1'000'000'000);
    while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}

}  // namespace

ControllerSimulator::ControllerSimulator(SimulatorOptions options)
    : options_(std::move(options)),
      origin_(std::chrono::steady_clock::now()),
      core_(options_.identity, options_.eeprom.value_or(factoryEeprom())),
      faults_(options_.faults),
      silent_(options_.silent)
{
    EngineModel& engine = core_.engineAt(0);
    engine.setTpsFalling(options_.tpsFalling);
    engine.setReducerScrew(options_.reducerScrew);
    core_.setFitterEnabled(options_.fitter, 0);
}

ControllerSimulator::~ControllerSimulator()
{
    stop();
}

double ControllerSimulator::secondsNow() const
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - origin_).count();
}

bool ControllerSimulator::start(std::string* error)
{
    if (thread_.joinable())
        return true;
    {
        std::lock_guard io(ioMutex_);
        if (!plugLocked(error))
            return false;
    }
    wakeFd_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wakeFd_ < 0) {
        if (error)
            *error = std::string("eventfd: ") + std::strerror(errno);
        std::lock_guard io(ioMutex_);
        hangUpLocked();
        return false;
    }
    stopping_ = false;
    thread_ = std::thread([this] { run(); });
    return true;
}

void ControllerSimulator::stop()
{
    if (thread_.joinable()) {
        stopping_ = true;
        wake();
        thread_.join();
        runJobs();  // whatever came in while the thread was leaving
    }
    if (wakeFd_ >= 0) {
        ::close(wakeFd_);
        wakeFd_ = -1;
    }
    std::lock_guard io(ioMutex_);
    hangUpLocked();
}

void ControllerSimulator::wake()
{
    if (wakeFd_ >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = ::write(wakeFd_, &one, sizeof one);
    }
}

std::string ControllerSimulator::slavePath() const
{
    std::lock_guard io(ioMutex_);
    return pty_.slavePath();
}

std::vector<ReceivedFrame> ControllerSimulator::receivedFrames() const
{
    std::lock_guard state(stateMutex_);
    return {frames_.begin(), frames_.end()};
}

void ControllerSimulator::clearReceivedFrames()
{
    std::lock_guard state(stateMutex_);
    frames_.clear();
}

std::array<std::uint8_t, 64> ControllerSimulator::eeprom() const
{
    std::lock_guard state(stateMutex_);
    return core_.eeprom();
}

std::array<std::uint8_t, 128> ControllerSimulator::ram() const
{
    std::lock_guard state(stateMutex_);
    return core_.ram();
}

void ControllerSimulator::setEeprom(const std::array<std::uint8_t, 64>& eeprom)
{
    std::lock_guard state(stateMutex_);
    core_.setEeprom(eeprom);
}

void ControllerSimulator::setFaults(const FaultOptions& faults)
{
    std::lock_guard state(stateMutex_);
    faults_ = LineFaults(faults);
}

void ControllerSimulator::setSilent(bool silent)
{
    std::lock_guard state(stateMutex_);
    silent_ = silent;
}

void ControllerSimulator::setEngineRunning(bool running)
{
    std::lock_guard state(stateMutex_);
    core_.engineAt(secondsNow()).setRunning(running);
}

void ControllerSimulator::setThrottle(double zeroToOne)
{
    std::lock_guard state(stateMutex_);
    core_.engineAt(secondsNow()).setThrottle(zeroToOne);
}

void ControllerSimulator::setReducerScrew(double minusOneToOne)
{
    std::lock_guard state(stateMutex_);
    core_.engineAt(secondsNow()).setReducerScrew(minusOneToOne);
}

void ControllerSimulator::setFitterEnabled(bool enabled)
{
    std::lock_guard state(stateMutex_);
    core_.setFitterEnabled(enabled, secondsNow());
}

ControllerSimulator::EngineView ControllerSimulator::engineView()
{
    std::lock_guard state(stateMutex_);
    const EngineModel& engine = core_.engineAt(secondsNow());
    return {engine.running(), engine.rpm(), engine.coolantC(), engine.stepper(), engine.probeVolts(),
            engine.fuel().onGas(), engine.throttle(), engine.reducerScrew(), core_.fitter() != nullptr,
            core_.fitter() ? stageName(core_.fitter()->stage()) : ""};
}

void ControllerSimulator::injectBytes(std::vector<std::uint8_t> bytes)
{
    std::lock_guard io(ioMutex_);
    writeNow(bytes.data(), bytes.size());
}

void ControllerSimulator::hangUp()
{
    onLineThread([this] {
        hangUpLocked();
        return true;
    });
}

bool ControllerSimulator::replug(std::string* error)
{
    return onLineThread([this, error] { return plugLocked(error); });
}

bool ControllerSimulator::onLineThread(std::function<bool()> job)
{
    if (!thread_.joinable()) {
        std::lock_guard io(ioMutex_);
        return job();
    }
    bool result = false;
    bool done = false;
    std::unique_lock lock(jobsMutex_);
    jobs_.push_back([&] {
        {
            std::lock_guard io(ioMutex_);
            result = job();
        }
        std::lock_guard finished(jobsMutex_);
        done = true;
    });
    wake();
    jobsDone_.wait(lock, [&] { return done; });
    return result;
}

void ControllerSimulator::runJobs()
{
    std::vector<std::function<void()>> jobs;
    {
        std::lock_guard lock(jobsMutex_);
        jobs.swap(jobs_);
    }
    for (auto& job : jobs)
        job();
    if (!jobs.empty())
        jobsDone_.notify_all();
}

void ControllerSimulator::hangUpLocked()
{
    hangUpAtNs_.reset();
    pty_.close();
    parser_.reset();
    if (!options_.linkPath.empty())
        removeLink(options_.linkPath);
}

bool ControllerSimulator::plugLocked(std::string* error)
{
    parser_.reset();
    if (!pty_.open(error))
        return false;
    if (!options_.linkPath.empty() && !pointLink(options_.linkPath, pty_.slavePath(), error)) {
        pty_.close();
        return false;
    }
    return true;
}

void ControllerSimulator::writeNow(const std::uint8_t* data, std::size_t count)
{
    // A client that never reads fills the line's buffer; what does not fit
    // is lost, as on a real line with nobody listening.
    while (count > 0 && pty_.isOpen()) {
        const ssize_t n = ::write(pty_.master(), data, count);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        data += n;
        count -= static_cast<std::size_t>(n);
    }
}

void ControllerSimulator::run()
{
    std::uint8_t buffer[256];
    while (!stopping_) {
        int master;
        int timeoutMs = kPollTimeoutMs;
        {
            std::lock_guard io(ioMutex_);
            if (hangUpAtNs_ && monotonicNs() >= *hangUpAtNs_)
                hangUpLocked();
            master = pty_.isOpen() ? pty_.master() : -1;
            if (hangUpAtNs_)
                timeoutMs = static_cast<int>(std::clamp<std::int64_t>(
                    (*hangUpAtNs_ - monotonicNs()) / 1'000'000 + 1, 1, kPollTimeoutMs));
        }
        pollfd fds[2] = {{master, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
        const int ready = ::poll(fds, 2, timeoutMs);
        if (ready < 0 && errno != EINTR)
            break;
        if (fds[1].revents & POLLIN) {
            std::uint64_t count;
            [[maybe_unused]] const ssize_t n = ::read(wakeFd_, &count, sizeof count);
        }
        runJobs();
        if (master < 0 || !(fds[0].revents & POLLIN))
            continue;

        std::lock_guard io(ioMutex_);
        if (!pty_.isOpen())
            continue;  // unplugged while we were waiting
        const ssize_t n = ::read(pty_.master(), buffer, sizeof buffer);
        if (n <= 0)
            continue;
        for (const Frame& frame : parser_.feed(buffer, static_cast<std::size_t>(n))) {
            if (stopping_ || !pty_.isOpen())
                break;
            if (serve(frame) && !queuesFrames())
                break;  // frames queued behind it went unheard: it was talking
        }
    }
}

void ControllerSimulator::dropWhatArrivedMeanwhile()
{
    parser_.reset();
    std::uint8_t scrap[256];
    while (pty_.isOpen()) {
        pollfd waiting{pty_.master(), POLLIN, 0};
        if (::poll(&waiting, 1, 0) <= 0 || !(waiting.revents & POLLIN))
            return;
        if (::read(pty_.master(), scrap, sizeof scrap) <= 0)
            return;
    }
}

bool ControllerSimulator::queuesFrames() const
{
    std::lock_guard state(stateMutex_);
    return faults_.queuesFrames();
}

bool ControllerSimulator::serve(const Frame& frame)
{
    std::vector<TimedByte> plan;
    bool hangUpAfter = false;
    {
        std::lock_guard state(stateMutex_);
        if (options_.frameLogLimit > 0) {
            if (frames_.size() >= options_.frameLogLimit)
                frames_.pop_front();
            frames_.push_back({frame, std::chrono::steady_clock::now()});
        }
        if (faults_.hangUpDue()) {
            hangUpLocked();
            return false;
        }
        const bool lost = silent_ || faults_.dropsFrame(frame[0]);
        if (!lost)
            plan = faults_.plan(frame[0], core_.handle(frame, secondsNow()), options_.pacing, frame[1]);
        hangUpAfter = faults_.countFrame();
    }
    transmit(plan);
    if (hangUpAfter)
        hangUpAtNs_ = monotonicNs() + kHangUpGraceNs;
    return !plan.empty();
}

void ControllerSimulator::transmit(const std::vector<TimedByte>& plan)
{
    // Deadlines are absolute from the frame's arrival, so the time spent
    // writing does not add up into drift.
    const std::int64_t base = monotonicNs();
    std::size_t i = 0;
    while (i < plan.size()) {
        const std::int64_t deadline = base + plan[i].atNs;
        while (!stopping_ && monotonicNs() < deadline)
            sleepUntilNs(std::min(deadline, monotonicNs() + kSleepSliceNs));
        if (stopping_)
            return;
        // Half-duplex: while the controller talks its receiver is off, so
        // whatever the tool sent since the answer began is lost. Bytes sent
        // after the last reply byte are heard. A queueing controller keeps
        // them and answers them next.
        if (!queuesFrames())
            dropWhatArrivedMeanwhile();
        std::uint8_t group[64];
        std::size_t count = 0;
        const std::int64_t at = plan[i].atNs;
        while (i < plan.size() && plan[i].atNs == at && count < sizeof group)
            group[count++] = plan[i++].value;
        writeNow(group, count);
    }
}

}  // namespace dravinor::sim
