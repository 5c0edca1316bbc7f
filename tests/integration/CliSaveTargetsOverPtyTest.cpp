// dravinor-cli as a process: every -o writes only onto a regular file or a
// new name. A FIFO, a device node or a folder there is refused with the
// reason, exit 4, and left as it was with nothing beside it.
#include "CliFixture.h"
#include "SpecialFiles.h"
#include "params/ParameterFile.h"
#include "params/ParameterState.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <set>
#include <string>

using dravinor::testing::CliRun;
using dravinor::testing::PtyCli;
namespace fs = std::filesystem;

namespace {

struct CliSaveTargets : PtyCli {
    fs::path targets = dir / "targets";
    fs::path device;
    std::string par;  // a parameter file to make a report from

    void SetUp() override
    {
        PtyCli::SetUp();
        fs::create_directory(targets);
        ASSERT_EQ(::mkfifo((targets / "fifo.PAR").c_str(), 0600), 0);
        ASSERT_EQ(::mkfifo((targets / "fifo.pdf").c_str(), 0600), 0);
        fs::create_symlink("fifo.pdf", targets / "link.pdf");
        fs::create_directory(targets / "folder.PAR");
        device = dravinor::testing::privateCharacterDevice(targets);
        // Never let a save near a device node the look would not refuse.
        ASSERT_FALSE(dravinor::params::examineSaveTarget(device).savable());
        dravinor::params::ParameterState state;
        state.loadDefaults();
        par = (dir / "car.PAR").string();
        ASSERT_TRUE(dravinor::params::saveParameterFile(par, state.block()).ok());
    }

    std::set<std::string> entries() const
    {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(targets))
            names.insert(entry.path().filename().string());
        return names;
    }
    static std::string quoted(const fs::path& path) { return "'" + path.string() + "'"; }
};

void expectRefused(const CliRun& run, const std::string& reason)
{
    EXPECT_EQ(run.exitCode, 4) << run.err;
    EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("nothing written, it is left as it was"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("Saved"), std::string::npos) << run.err;
}

}  // namespace

TEST_F(CliSaveTargets, SavingOntoAFifoOrADeviceNodeReplacesNothing)
{
    const auto before = entries();
    const std::string fifo = "it is a FIFO (named pipe), not a regular file";
    const std::string characterDevice = "it is a character device, not a regular file";

    expectRefused(cli("defaults -o " + quoted(targets / "fifo.PAR")), fifo);
    expectRefused(cli("defaults -o " + quoted(device)), characterDevice);
    expectRefused(cli("defaults -o " + quoted(targets / "folder.PAR")), "it is a folder, not a regular file");
    expectRefused(cli("report --file '" + par + "' -o " + quoted(targets / "fifo.pdf")), fifo);
    expectRefused(cli("report --file '" + par + "' -o " + quoted(device)), characterDevice);
    expectRefused(cli("report --file '" + par + "' -o " + quoted(targets / "link.pdf")),
                  "it is a symbolic link to " + (targets / "fifo.pdf").string() + ", a FIFO (named pipe)");

    // Refused before the controller is asked anything.
    expectRefused(cli("read -o " + quoted(targets / "fifo.PAR")), fifo);
    expectRefused(cli("report -o " + quoted(device)), characterDevice);
    for (const char* command : {"read", "report"}) {
        const CliRun run = cli(std::string(command) + " -o " + quoted(targets / "missing" / "x.PAR"));
        EXPECT_EQ(run.exitCode, 4) << run.err;
        EXPECT_NE(run.err.find("the folder " + (targets / "missing").string() + " does not exist"), std::string::npos)
            << run.err;
    }
    EXPECT_TRUE(controller.receivedFrames().empty());

    EXPECT_TRUE(dravinor::testing::isFifo(targets / "fifo.PAR"));
    EXPECT_TRUE(dravinor::testing::isFifo(targets / "fifo.pdf"));
    EXPECT_TRUE(dravinor::testing::isCharacterDevice(device));
    EXPECT_TRUE(fs::is_directory(targets / "folder.PAR"));
    EXPECT_EQ(entries(), before) << "no temporary file, no .BAK";
}

TEST_F(CliSaveTargets, ALinkToNothingIsANewNameAndARegularFileIsReplacedAsBefore)
{
    fs::create_symlink("made.PAR", targets / "dangling.PAR");
    CliRun run = cli("defaults -o " + quoted(targets / "dangling.PAR"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(fs::is_symlink(targets / "dangling.PAR"));
    EXPECT_EQ(fs::file_size(targets / "made.PAR"), 64u);

    run = cli("read -o " + quoted(targets / "dangling.PAR"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(fs::file_size(targets / "dangling.BAK"), 64u) << "the previous file kept beside the name";
    fs::create_symlink("made.pdf", targets / "dangling.pdf");
    run = cli("report --file '" + par + "' -o " + quoted(targets / "dangling.pdf"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_GT(fs::file_size(targets / "made.pdf"), 0u);
}

// Qt says on stderr that XDG_RUNTIME_DIR is not set (as in a root shell):
// the report needs no runtime folder, and the fitter no such line.
TEST_F(CliSaveTargets, ReportSaysNothingOfQtsRuntimeFolder)
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::optional<std::string> saved = runtime ? std::optional<std::string>(runtime) : std::nullopt;
    ::unsetenv("XDG_RUNTIME_DIR");
    const CliRun run = cli("report --file '" + par + "' -o " + quoted(dir / "car.pdf"));
    if (saved)
        ::setenv("XDG_RUNTIME_DIR", saved->c_str(), 1);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err.find("XDG_RUNTIME_DIR"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("QStandardPaths"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Saved"), std::string::npos) << run.err;
}
