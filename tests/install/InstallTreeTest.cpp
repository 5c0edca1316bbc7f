// `cmake --install` into a throw-away prefix: every file where a desktop,
// man, Debian's tools and the program's own data lookup expect it, and the
// installed programs answering --version and --help with no display at all.

#include "DravinorVersion.h"
#include "RunCommand.h"
#include "TestLocations.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

using dravinor::test::CommandResult;
using dravinor::test::run;

namespace fs = std::filesystem;

namespace {

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
        const CommandResult install = run(std::string("\"") + CMAKE_COMMAND_PATH + "\" --install \"" +
                                          dravinor::testing::binaryDir() + "\" --prefix \"" + prefix_->string() + "\"");
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
                             "share/dravinor/help/RODADIDOROR_PL.html", "share/dravinor/help/Rodadidoror_ru.html",
                             // with the pictures the help shows beside it
                             "share/dravinor/help/sonda-pl.png", "share/dravinor/help/sonda-ru.png"})
        EXPECT_TRUE(fs::is_regular_file(at(data))) << data;
    for (const char* desktop :
         {"share/icons/hicolor/scalable/apps/dravinor.svg", "share/icons/hicolor/16x16/apps/dravinor.png",
          "share/applications/io.github.dravinor.Dravinor.desktop",
          "share/metainfo/io.github.dravinor.Dravinor.metainfo.xml", "share/doc/dravinor/copyright"})
        EXPECT_TRUE(fs::is_regular_file(at(desktop))) << desktop;
    for (const char* package : {"share/man/man1/dravinor.1.gz", "share/man/man1/dravinor-cli.1.gz",
                                "share/man/man1/dravinor-sim.1.gz", "share/doc/dravinor/changelog.gz",
                                "share/lintian/overrides/dravinor", "share/bash-completion/completions/dravinor-cli"})
        EXPECT_TRUE(fs::is_regular_file(at(package))) << package;
}

// A changelog that lags behind the version, or names another maintainer
// than the package, is what lintian and a Debian reviewer reject.
TEST_F(InstallTree, ChangelogsNewestEntryIsThisVersionByThePackagesMaintainer)
{
    const CommandResult changelog = run("gzip -dc \"" + at("share/doc/dravinor/changelog.gz").string() + "\"");
    ASSERT_EQ(changelog.status, 0) << changelog.output;
    const std::string firstLine = changelog.output.substr(0, changelog.output.find('\n'));
    EXPECT_EQ(firstLine.find(std::string("dravinor (") + dravinor::programVersion + ") "), 0u) << firstLine;
    const std::size_t trailer = changelog.output.find("\n -- ");
    ASSERT_NE(trailer, std::string::npos);
    EXPECT_EQ(changelog.output.compare(trailer + 5, std::string(DRAVINOR_PACKAGE_MAINTAINER).size(),
                                       DRAVINOR_PACKAGE_MAINTAINER),
              0)
        << changelog.output.substr(trailer);
}

TEST_F(InstallTree, MenuEntryStartsTheInstalledProgramWithItsIcon)
{
    const std::string entry = readFile(at("share/applications/io.github.dravinor.Dravinor.desktop"));
    EXPECT_NE(entry.find("\nExec=dravinor\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nIcon=dravinor\n"), std::string::npos);
    EXPECT_NE(entry.find("\nType=Application\n"), std::string::npos);
    // A menu user reaches the demo without a terminal.
    EXPECT_NE(entry.find("\nActions=demo;\n"), std::string::npos);
    EXPECT_NE(entry.find("\n[Desktop Action demo]\n"), std::string::npos);
    EXPECT_NE(entry.find("\nExec=dravinor --demo\n"), std::string::npos);
    const std::string metainfo = readFile(at("share/metainfo/io.github.dravinor.Dravinor.metainfo.xml"));
    EXPECT_NE(metainfo.find("<launchable type=\"desktop-id\">io.github.dravinor.Dravinor.desktop</launchable>"),
              std::string::npos);
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

    const CommandResult sim = run("\"" + at("bin/dravinor-sim").string() + "\" --version");
    EXPECT_EQ(sim.status, 0);
    EXPECT_EQ(sim.output, std::string("dravinor-sim ") + dravinor::programVersion + "\n");
}

// Qt alone would abort (exit 134) with a page about platform plugins.
TEST_F(InstallTree, InstalledWindowWithoutDisplaySaysSoInOneLineAndExitsOne)
{
    const std::string gui = "\"" + at("bin/dravinor").string() + "\"";
    const CommandResult none = run("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + gui + " --demo");
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.output, "dravinor: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set); "
                           "dravinor-cli works without one\n");

    // A display that is named but has no server behind it.
    int number = 4711;
    while (fs::exists("/tmp/.X11-unix/X" + std::to_string(number)))
        ++number;
    const std::string display = ":" + std::to_string(number);
    const CommandResult closed =
        run("env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb DISPLAY=" + display + " " + gui + " --demo");
    EXPECT_EQ(closed.status, 1);
    EXPECT_EQ(closed.output,
              "dravinor: no display found (cannot open display '" + display + "'); dravinor-cli works without one\n");
}
