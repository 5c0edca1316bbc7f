// `cmake --install` into a throw-away prefix: every file where a desktop
// and the program's own data lookup expect it, and the installed programs
// answering --version and --help with no display at all.

#include "DravinorVersion.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

struct CommandResult {
    int status = -1;
    std::string output;
};

CommandResult run(const std::string& command)
{
    CommandResult result;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return result;
    std::array<char, 4096> buffer{};
    std::size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.output.append(buffer.data(), got);
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// No display, and a platform that would abort without one: a program that
// built its window here would fail.
const std::string noDisplay = "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb ";

class InstallTree : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        prefix_ = new fs::path(fs::temp_directory_path() / ("dravinor-install-" + std::to_string(::getpid())));
        fs::remove_all(*prefix_);
        const CommandResult install = run(std::string("\"") + CMAKE_COMMAND_PATH + "\" --install \"" + DRAVINOR_BINARY_DIR +
                                "\" --prefix \"" + prefix_->string() + "\"");
        installOutput_ = new std::string(install.output);
        installed_ = install.status == 0;
    }
    static void TearDownTestSuite()
    {
        fs::remove_all(*prefix_);
        delete prefix_;
        delete installOutput_;
    }
    void SetUp() override { ASSERT_TRUE(installed_) << *installOutput_; }

    static fs::path at(const char* relative) { return *prefix_ / relative; }

    static fs::path* prefix_;
    static std::string* installOutput_;
    static bool installed_;
};

fs::path* InstallTree::prefix_ = nullptr;
std::string* InstallTree::installOutput_ = nullptr;
bool InstallTree::installed_ = false;

}  // namespace

TEST_F(InstallTree, PutsProgramsDataAndDesktopFilesWhereTheyAreLookedFor)
{
    for (const char* program : {"bin/dravinor", "bin/dravinor-cli", "bin/dravinor-sim"}) {
        const auto permissions = fs::status(at(program)).permissions();
        EXPECT_NE(permissions & fs::perms::owner_exec, fs::perms::none) << program;
    }
    // The data folder the installed program finds from bin/../share/dravinor.
    for (const char* data : {"share/dravinor/lang/polski.txt", "share/dravinor/lang/russian.txt",
                             "share/dravinor/help/RODADIDOROR_PL.html", "share/dravinor/help/Rodadidoror_ru.html"})
        EXPECT_TRUE(fs::is_regular_file(at(data))) << data;
    for (const char* desktop : {"share/icons/hicolor/scalable/apps/dravinor.svg",
                                "share/icons/hicolor/16x16/apps/dravinor.png", "share/applications/dravinor.desktop",
                                "share/metainfo/io.github.dravinor.Dravinor.metainfo.xml",
                                "share/doc/dravinor/copyright"})
        EXPECT_TRUE(fs::is_regular_file(at(desktop))) << desktop;
}

TEST_F(InstallTree, MenuEntryStartsTheInstalledProgramWithItsIcon)
{
    const std::string entry = readFile(at("share/applications/dravinor.desktop"));
    EXPECT_NE(entry.find("\nExec=dravinor\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nIcon=dravinor\n"), std::string::npos);
    EXPECT_NE(entry.find("\nType=Application\n"), std::string::npos);
    const std::string metainfo = readFile(at("share/metainfo/io.github.dravinor.Dravinor.metainfo.xml"));
    EXPECT_NE(metainfo.find("<launchable type=\"desktop-id\">dravinor.desktop</launchable>"), std::string::npos);
    EXPECT_NE(metainfo.find(std::string("<release version=\"") + dravinor::programVersion + "\""), std::string::npos)
        << metainfo;
}

TEST_F(InstallTree, InstalledProgramsAnswerVersionAndHelpWithoutADisplay)
{
    const std::string gui = "\"" + at("bin/dravinor").string() + "\"";
    const CommandResult version = run(noDisplay + gui + " --version");
    EXPECT_EQ(version.status, 0) << version.output;
    EXPECT_EQ(version.output, std::string("dravinor ") + dravinor::programVersion + "\n");
    const CommandResult help = run(noDisplay + gui + " --help");
    EXPECT_EQ(help.status, 0) << help.output;
    EXPECT_NE(help.output.find("--demo"), std::string::npos) << help.output;
    EXPECT_NE(help.output.find("--version"), std::string::npos);

    const CommandResult cli = run("\"" + at("bin/dravinor-cli").string() + "\" --version");
    EXPECT_EQ(cli.status, 0);
    EXPECT_EQ(cli.output, std::string("dravinor-cli ") + dravinor::programVersion + "\n");
}
