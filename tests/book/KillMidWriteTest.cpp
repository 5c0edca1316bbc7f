// A program killed while it records visits (a power cut of the program, a
// killed window) leaves a book that opens, passes its integrity check and
// holds whole visits only.
#include "BookFixture.h"
#include "StateFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace dravinor::book {
namespace {

namespace fs = std::filesystem;
using dravinor::testing::integrityOf;

// Each visit's sets and notes are derived from its time, so a visit
// written in part would not match itself.
Visit visitAt(std::int64_t carId, std::int64_t time)
{
    Visit visit;
    visit.carId = carId;
    visit.time = time;
    visit.readSet.emplace();
    visit.readSet->bytes().fill(static_cast<std::uint8_t>(time));
    visit.endSet.emplace();
    visit.endSet->bytes().fill(static_cast<std::uint8_t>(time + 1));
    visit.reportPdf = std::vector<std::uint8_t>(static_cast<std::size_t>(1000 + time % 5000), 0x25);
    visit.notes = "visit " + std::to_string(time);
    visit.journal = JournalRange{time, time + 3};
    return visit;
}

bool whole(const Visit& visit)
{
    return visit == [&] {
        Visit expected = visitAt(visit.carId, visit.time);
        expected.id = visit.id;
        return expected;
    }();
}

// The child: records visits without end until it is killed; a new car now and then.
[[noreturn]] void recordForever(const fs::path& file, std::int64_t firstTime)
{
    CarBook book;
    if (!usable(book.open(file).outcome))
        ::_exit(2);
    for (std::int64_t time = firstTime;; ++time) {
        Car car{0, "KILL " + std::to_string(time), "", "", ""};
        if (time % 7 == 0 && book.addCar(car) != BookWrite::Done)
            ::_exit(3);
        const auto cars = book.cars();
        Visit visit = visitAt(cars.empty() ? 0 : cars.back().id, time);
        if (cars.empty() || book.addVisit(visit) != BookWrite::Done)
            ::_exit(4);
        if (time % 3 == 0) {
            visit.endSet->bytes().fill(static_cast<std::uint8_t>(time + 1));
            if (book.updateVisit(visit) != BookWrite::Done)
                ::_exit(5);
        }
    }
}

TEST(KillMidWrite, LeavesABookThatOpensWholeWithNoHalfVisit)
{
    dravinor::testing::StateFolder folder;
    const fs::path file = folder / "workshop.sqlite";
    {
        CarBook book;
        ASSERT_TRUE(usable(book.open(file).outcome));
        Car first{0, "KILL 0", "", "", ""};
        ASSERT_EQ(book.addCar(first), BookWrite::Done);
    }
    std::mt19937 random(20261209);
    std::uniform_int_distribution<int> killAfterMs(5, 60);
    std::size_t visitsBefore = 0;
    for (int round = 0; round < 25; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            recordForever(file, (round + 1) * 1000000LL);
        std::this_thread::sleep_for(std::chrono::milliseconds(killAfterMs(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child stopped by itself with " << WEXITSTATUS(status);

        CarBook book;
        const OpenResult opened = book.open(file);
        ASSERT_EQ(opened.outcome, BookOpen::Opened) << "round " << round << ": " << opened.detail;
        ASSERT_EQ(integrityOf(book.handle()), "ok") << "round " << round;
        std::size_t visits = 0;
        for (const Car& car : book.cars())
            for (const Visit& visit : book.visitsOf(car.id)) {
                ASSERT_TRUE(whole(visit)) << "round " << round << ", visit at " << visit.time;
                ++visits;
            }
        EXPECT_GE(visits, visitsBefore) << "a visit recorded is never lost";
        visitsBefore = visits;
    }
    EXPECT_GT(visitsBefore, 0u) << "the children did record";
}

}  // namespace
}  // namespace dravinor::book
