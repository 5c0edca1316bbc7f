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

constexpr std::int64_t kLongestWaitNs = 200'000'000;

std::int64_t monotonicNs()
{
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

}  // namespace

ControllerSimulator::ControllerSimulator(SimulatorOptions options)
    : options_(std::move(options)), originNs_(monotonicNs()), line_(options_)
{
}

ControllerSimulator::~ControllerSimulator()
{
    stop();
}

std::int64_t ControllerSimulator::nowNs() const
{
    return monotonicNs() - originNs_;
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
    return line_.receivedFrames();
}

void ControllerSimulator::clearReceivedFrames()
{
    std::lock_guard state(stateMutex_);
    line_.clearReceivedFrames();
}

std::array<std::uint8_t, 64> ControllerSimulator::eeprom() const
{
    std::lock_guard state(stateMutex_);
    return line_.core().eeprom();
}

std::array<std::uint8_t, 128> ControllerSimulator::ram() const
{
    std::lock_guard state(stateMutex_);
    return line_.core().ram();
}

void ControllerSimulator::setEeprom(const std::array<std::uint8_t, 64>& eeprom)
{
    std::lock_guard state(stateMutex_);
    line_.core().setEeprom(eeprom);
}

void ControllerSimulator::setFaults(const FaultOptions& faults)
{
    std::lock_guard state(stateMutex_);
    line_.setFaults(faults);
}

void ControllerSimulator::setIdentity(std::uint8_t identity)
{
    std::lock_guard state(stateMutex_);
    line_.core().setIdentity(identity);
}

void ControllerSimulator::setSilent(bool silent)
{
    std::lock_guard state(stateMutex_);
    line_.setSilent(silent);
}

void ControllerSimulator::setEngineRunning(bool running)
{
    std::lock_guard state(stateMutex_);
    line_.core().engineAt(secondsNow()).setRunning(running);
}

void ControllerSimulator::setThrottle(double zeroToOne)
{
    std::lock_guard state(stateMutex_);
    line_.core().engineAt(secondsNow()).setThrottle(zeroToOne);
}

void ControllerSimulator::setReducerScrew(double minusOneToOne)
{
    std::lock_guard state(stateMutex_);
    line_.core().engineAt(secondsNow()).setReducerScrew(minusOneToOne);
}

void ControllerSimulator::setFitterEnabled(bool enabled)
{
    std::lock_guard state(stateMutex_);
    line_.core().setFitterEnabled(enabled, secondsNow());
}

void ControllerSimulator::setProbeModel(ProbeModel model)
{
    std::lock_guard state(stateMutex_);
    line_.core().engineAt(secondsNow()).setProbeModel(model);
}

ControllerSimulator::EngineView ControllerSimulator::engineView()
{
    std::lock_guard state(stateMutex_);
    return viewOfEngine(line_.core(), secondsNow());
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
    pty_.close();
    {
        std::lock_guard state(stateMutex_);
        line_.resetLine();
    }
    if (!options_.linkPath.empty())
        removeLink(options_.linkPath);
}

bool ControllerSimulator::plugLocked(std::string* error)
{
    {
        std::lock_guard state(stateMutex_);
        line_.resetLine();
    }
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
    while (!stopping_) {
        const std::int64_t waitNs = serveLine();
        int master;
        {
            std::lock_guard io(ioMutex_);
            master = pty_.isOpen() ? pty_.master() : -1;
        }
        pollfd fds[2] = {{master, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
        // A nanosecond timeout: reply bytes go out a byte time apart.
        const timespec timeout{static_cast<time_t>(waitNs / 1'000'000'000), static_cast<long>(waitNs % 1'000'000'000)};
        const int ready = ::ppoll(fds, 2, &timeout, nullptr);
        if (ready < 0 && errno != EINTR)
            break;
        if (fds[1].revents & POLLIN) {
            std::uint64_t count;
            [[maybe_unused]] const ssize_t n = ::read(wakeFd_, &count, sizeof count);
        }
        runJobs();
    }
}

std::int64_t ControllerSimulator::serveLine()
{
    std::lock_guard io(ioMutex_);
    std::uint8_t buffer[256];
    while (pty_.isOpen()) {
        const ssize_t n = ::read(pty_.master(), buffer, sizeof buffer);
        if (n <= 0)
            break;
        const std::int64_t now = nowNs();
        std::lock_guard state(stateMutex_);
        line_.receive(buffer, static_cast<std::size_t>(n), now);
    }
    std::vector<std::uint8_t> due;
    std::optional<std::int64_t> wakeAt;
    bool unplug = false;
    {
        std::lock_guard state(stateMutex_);
        const std::int64_t now = nowNs();
        due = line_.takeDue(now);
        const auto hangUpAt = line_.hangUpAtNs();
        unplug = hangUpAt && *hangUpAt <= now;
        wakeAt = line_.nextDueNs();
        if (hangUpAt && (!wakeAt || *hangUpAt < *wakeAt))
            wakeAt = hangUpAt;
    }
    // A fault's hang-up throws away whatever the controller still had to say.
    if (unplug) {
        hangUpLocked();
        return kLongestWaitNs;
    }
    writeNow(due.data(), due.size());
    const std::int64_t wait = wakeAt ? *wakeAt - nowNs() : kLongestWaitNs;
    return std::clamp<std::int64_t>(wait, 0, kLongestWaitNs);
}

}  // namespace dravinor::sim
