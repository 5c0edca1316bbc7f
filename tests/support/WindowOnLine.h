#pragma once

#include "FakeDialogs.h"
#include "SimulatedController.h"
#include "StateFolder.h"
#include "lang/TextSlots.h"
#include "live/LivePage.h"
#include "params/ControllerSession.h"
#include "ui/window/MainWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace dravinor::testing {

// The main window on the simulated controller as COM1, in simulated time:
// the controller runs in the test's process and the link's clock moves only
// when the tool waits. Its writes are journalled in the test's own folder.
struct WindowOnLine : ::testing::Test {
    SimulatedController controller;
    StateFolder folder;
    FakeDialogs dialogs;
    std::unique_ptr<params::ControllerSession> session;
    std::unique_ptr<ui::MainWindow> window;

    explicit WindowOnLine(sim::SimulatorOptions options = {}) : controller(std::move(options)) {}

    // COM1 leads to the controller, or to a device that is not there; or
    // COM1 names the device given.
    void startWith(bool controllerAttached = true)
    {
        startOn(controllerAttached ? controller.slavePath() : absentDevice);
    }
    void startOn(const std::string& com1Device)
    {
        link::PortMap map;
        map.assign(0, com1Device);
        session = std::make_unique<params::ControllerSession>(map, controller.wiring(folder.journal()));
        window = std::make_unique<ui::MainWindow>(*session, &dialogs);
        window->startUp();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    // With the keyboard: the window is the active one.
    void startActive(bool controllerAttached = true)
    {
        startWith(controllerAttached);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void TearDown() override
    {
        window.reset();
        session.reset();
        lang::textSlots().restoreBuiltIn();
    }

    template <typename T = QWidget>
    T* child(const char* name) const
    {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QAction* item(const char* name) const { return child<QAction>(name); }
    void click(const char* button) { child<QAbstractButton>(button)->click(); }
    QString fieldText(const char* name) const { return child<QLineEdit>(name)->text(); }
    QString status(int line) const
    {
        return child<QStatusBar>(line == 1 ? "StatusBar1" : "StatusBar2")->currentMessage();
    }
    QString focusName() const
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }
    // A key to the focused widget (or the window), and what it posted.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
        QTest::keyClick(target, key, modifiers);
        QCoreApplication::processEvents();
    }
    std::string heardLetters() const { return controller.heardLetters(); }
    // The backups of the controller's set kept before bulk writes, oldest first.
    std::vector<std::filesystem::path> backups() const
    {
        std::vector<std::filesystem::path> files;
        std::error_code none;
        for (const auto& entry : std::filesystem::directory_iterator(folder / "backups", none))
            files.push_back(entry.path());
        // By the time they were written; two in one second differ only by a
        // suffix ("-2"), and a file system's clock may not tell them apart.
        std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) {
            const auto aTime = std::filesystem::last_write_time(a), bTime = std::filesystem::last_write_time(b);
            if (aTime != bTime)
                return aTime < bTime;
            const auto aName = a.filename().string(), bName = b.filename().string();
            return aName.size() != bName.size() ? aName.size() < bName.size() : aName < bName;
        });
        return files;
    }
    // What a status line adds after a bulk write that kept the newest backup.
    QString keptBackupNote() const
    {
        const auto files = backups();
        return files.empty()
                   ? QStringLiteral("; (no backup)")
                   : "; kopia poprzednich parametrów: " + QString::fromStdString(files.back().filename().string());
    }
    // Timer1's ticks on the live page for ms of simulated time, 50 ms apart
    // (the timer itself ticks in real time: it is not waited for).
    void liveFor(std::uint32_t ms)
    {
        FakeClock& clock = controller.clock();
        for (const std::uint32_t end = clock.nowMs + ms; clock.nowMs < end;) {
            const std::uint32_t start = clock.nowMs;
            window->livePage().tick();
            clock.nowMs = std::max(clock.nowMs, start + 50);
        }
    }

    static constexpr const char* absentDevice = "/dev/dravinor-no-such-tty";
};

}  // namespace dravinor::testing
