#pragma once

#include "ControllerLine.h"
#include "FakeClock.h"
#include "link/SerialDevice.h"
#include "link/SystemSerialDevice.h"
#include "params/SessionWiring.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace dravinor::testing {

// The simulated controller inside the test process: the same controller,
// faults and line timing as dravinor-sim on its pty, on a fake clock that
// moves only when the tool sleeps. Its device is what a session opens as the
// port at slavePath(); any other path is opened by the system's serial backend, as
// the program would (a missing device, /dev/null, a FIFO). Its calls mirror
// ControllerSimulator's, so a test reads the same either way.
class SimulatedController {
public:
    explicit SimulatedController(sim::SimulatorOptions options = {})
        : clock_(std::make_shared<FakeClock>()), line_(seeded(options)), device_(std::make_shared<Device>(*this))
    {
    }
    SimulatedController(const SimulatedController&) = delete;
    SimulatedController& operator=(const SimulatedController&) = delete;

    // The device, clock and journal a session on this line uses.
    params::SessionWiring wiring(std::filesystem::path journal = {}) const
    {
        return {device_, clock_, std::move(journal)};
    }
    FakeClock& clock() { return *clock_; }
    std::int64_t nowNs() const { return static_cast<std::int64_t>(clock_->nowUs()) * 1'000; }
    // Lets simulated time pass with the tool idle (the engine runs on).
    void advanceMs(std::uint32_t ms) { clock_->nowMs += ms; }

    bool start(std::string* = nullptr) { return true; }
    std::string slavePath() const { return "/dev/pts/sim" + std::to_string(plugs_); }

    std::vector<sim::ReceivedFrame> receivedFrames() const { return line_.receivedFrames(); }
    void clearReceivedFrames() { line_.clearReceivedFrames(); }
    // Letters of the frames heard, in order.
    std::string heardLetters() const
    {
        std::string letters;
        for (const auto& frame : line_.receivedFrames())
            letters += static_cast<char>(frame.bytes[0]);
        return letters;
    }
    std::array<std::uint8_t, 64> eeprom() const { return line_.core().eeprom(); }
    std::array<std::uint8_t, 128> ram() const { return line_.core().ram(); }
    void setEeprom(const std::array<std::uint8_t, 64>& eeprom) { line_.core().setEeprom(eeprom); }
    void setFaults(const sim::FaultOptions& faults) { line_.setFaults(faults); }
    void setSilent(bool silent) { line_.setSilent(silent); }
    void setIdentity(std::uint8_t identity) { line_.core().setIdentity(identity); }
    void injectBytes(const std::vector<std::uint8_t>& bytes) { line_.inject(bytes, nowNs()); }
    // The adapter is unplugged: the open port hangs up and its path is gone.
    void hangUp()
    {
        unplugged_ = true;
        line_.resetLine();
    }
    // A new device appears, with a new path; or, sameName, under the path it
    // had, as a COM port keeps its name.
    bool replug(std::string* = nullptr, bool sameName = false)
    {
        if (!sameName)
            ++plugs_;
        unplugged_ = false;
        line_.resetLine();
        device_->lost = false;
        device_->open_ = false;
        return true;
    }
    // Called before each write of the tool reaches the controller: a test
    // changes the controller's ways part-way through a command.
    std::function<void()> beforeWrite;

    sim::EngineModel& engine() { return line_.core().engineAt(sim::ControllerLine::seconds(nowNs())); }
    void setEngineRunning(bool running) { engine().setRunning(running); }
    void setThrottle(double zeroToOne) { engine().setThrottle(zeroToOne); }
    void setReducerScrew(double minusOneToOne) { engine().setReducerScrew(minusOneToOne); }
    void setFitterEnabled(bool enabled)
    {
        line_.core().setFitterEnabled(enabled, sim::ControllerLine::seconds(nowNs()));
    }

private:
    // The tool's end of the line.
    class Device final : public link::SerialDevice {
    public:
        explicit Device(SimulatedController& controller) : controller_(controller) {}

        link::OpenResult open(const std::string& path) override
        {
            // Held by another session's port: as the system backend's
            // exclusive open says.
            if (isOpen())
                return {link::OpenError::Busy, "Device or resource busy"};
            controller_.checkHangUp();
            if (path != controller_.slavePath()) {
                link::OpenResult result = real_.open(path);
                onReal_ = result.ok();
                return result;
            }
            if (controller_.unplugged_)
                return {link::OpenError::NotFound, "No such file or directory"};
            open_ = true;
            lost = false;
            return {};
        }
        void close() override
        {
            open_ = false;
            onReal_ = false;
            real_.close();
        }
        bool isOpen() const override { return open_ || onReal_; }
        void setRts(bool on) override
        {
            if (onReal_)
                real_.setRts(on);
        }
        bool write(const std::uint8_t* data, std::size_t count) override
        {
            if (onReal_)
                return real_.write(data, count);
            if (!usable())
                return false;
            if (controller_.beforeWrite)
                controller_.beforeWrite();
            controller_.line_.receive(data, count, controller_.nowNs());
            return true;
        }
        void drainOutput() override
        {
            if (onReal_)
                real_.drainOutput();
        }
        void discardInput() override
        {
            if (onReal_)
                real_.discardInput();
            else if (usable())
                controller_.line_.takeDue(controller_.nowNs());
        }
        std::size_t queuedCount() override
        {
            if (onReal_)
                return real_.queuedCount();
            return usable() ? controller_.line_.dueCount(controller_.nowNs()) : 0;
        }
        std::size_t read(std::uint8_t* buffer, std::size_t max) override
        {
            if (onReal_)
                return real_.read(buffer, max);
            if (!usable())
                return 0;
            const auto due = controller_.line_.takeDue(controller_.nowNs(), max);
            std::copy(due.begin(), due.end(), buffer);
            return due.size();
        }
        bool hungUp() const override
        {
            if (onReal_)
                return real_.hungUp();
            controller_.checkHangUp();
            return lost;
        }

        bool lost = false;
        bool open_ = false;

    private:
        bool usable()
        {
            controller_.checkHangUp();
            return open_ && !lost;
        }
        SimulatedController& controller_;
        link::SystemSerialDevice real_;
        bool onReal_ = false;
    };

    // A fault's hang-up, once its time has come; an unplugged adapter's port
    // stays hung up.
    void checkHangUp()
    {
        if (const auto at = line_.hangUpAtNs(); at && *at <= nowNs())
            hangUp();
        if (unplugged_ && device_->open_)
            device_->lost = true;
    }

    // A fixed seed unless the test gives one: the same noise every run.
    static sim::SimulatorOptions seeded(sim::SimulatorOptions options)
    {
        if (options.noiseSeed == 0)
            options.noiseSeed = 20240601;
        return options;
    }

    std::shared_ptr<FakeClock> clock_;
    sim::ControllerLine line_;
    std::shared_ptr<Device> device_;
    bool unplugged_ = false;
    int plugs_ = 1;
};

}  // namespace dravinor::testing
