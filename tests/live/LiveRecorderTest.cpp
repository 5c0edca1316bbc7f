#include "live/LiveRecorder.h"
#include "SpecialFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>

using namespace dravinor;

namespace {

const params::LiveSettings settings{9600, true, 46};

params::LiveFrame frame(int i)
{
    return {static_cast<std::uint8_t>(i),       23,   153,
            static_cast<std::uint8_t>(255 - i), 0x03, static_cast<std::uint16_t>(1000 + i)};
}

// Files may grow only to the given size while it lives; beyond it a
// write fails with EFBIG instead of killing the process.
struct FileSizeLimit {
    rlimit saved{};
    void (*savedHandler)(int);
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved);
        savedHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, savedHandler);
    }
};

}  // namespace

TEST(LiveRecorder, WritesAHeaderAndOneRowPerPollThatReadBack)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("drive.csv").toStdString();
    live::LiveRecorder recorder;
    std::string error;
    ASSERT_TRUE(recorder.start(path, error)) << error;
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(recorder.append(i % 7 != 0, frame(i), settings, error)) << error;
    EXPECT_EQ(recorder.rows(), 50);
    ASSERT_TRUE(recorder.stop(error));

    std::vector<params::LiveSample> read;
    params::LiveCsvError csvError;
    ASSERT_TRUE(params::loadLiveCsv(path, read, csvError))
        << csvError.line << ": fault " << static_cast<int>(csvError.fault);
    ASSERT_EQ(read.size(), 50u);
    EXPECT_EQ(read.front().timeMs, 0);
    for (int i = 0; i < 50; ++i) {
        const auto& s = read[static_cast<std::size_t>(i)];
        EXPECT_EQ(s.answered, i % 7 != 0);
        EXPECT_EQ(s.frame.lambda, i);
        EXPECT_EQ(s.frame.stepperPosition, 255 - i);
        EXPECT_EQ(s.frame.rpmPeriod, 1000 + i);
        EXPECT_EQ(s.settings.ignitionConstant, 9600);
        EXPECT_TRUE(s.settings.temperatureSensor);
        EXPECT_GT(s.wallClockMs, 0);
    }
}

TEST(LiveRecorder, AFailingWriteEndsTheRecordingWithTheReason)
{
    QTemporaryDir dir;
    live::LiveRecorder recorder;
    std::string error;
    EXPECT_FALSE(recorder.start(dir.filePath("missing/drive.csv").toStdString(), error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(recorder.recording());

    const FileSizeLimit limit(4096);
    ASSERT_TRUE(recorder.start(dir.filePath("full.csv").toStdString(), error)) << error;
    int appended = 0;
    while (recorder.append(true, frame(appended), settings, error) && appended < 1000)
        ++appended;
    EXPECT_GT(appended, 10);
    EXPECT_LT(appended, 1000);
    EXPECT_FALSE(recorder.recording());
    EXPECT_NE(error.find("large"), std::string::npos) << error;
    // Nothing more goes anywhere, and stopping again is harmless.
    EXPECT_FALSE(recorder.append(true, frame(0), settings, error));
    EXPECT_TRUE(recorder.stop(error));
}

// A recording opens its file to write as it goes: a FIFO there is refused
// unopened, and an old recording of that name is emptied only once it is
// known to be a file.
TEST(LiveRecorder, RecordingOntoAFifoIsRefusedAndAnOldRecordingEmptied)
{
    QTemporaryDir dir;
    const std::string fifo = dir.filePath("drive.csv").toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    live::LiveRecorder recorder;
    std::string error;
    EXPECT_FALSE(recorder.start(fifo, error));
    EXPECT_EQ(recorder.target().kind, params::SaveTargetKind::Fifo);
    EXPECT_TRUE(dravinor::testing::isFifo(fifo));

    const std::string old = dir.filePath("old.csv").toStdString();
    std::ofstream(old) << "an older recording, longer than a header line\n";
    ASSERT_TRUE(recorder.start(old, error)) << error;
    ASSERT_TRUE(recorder.stop(error));
    EXPECT_EQ(std::filesystem::file_size(old), params::liveCsvHeader().size() + 1);
}
