#pragma once

#include "ControllerSimulator.h"
#include "RunCli.h"
#include "SimulatedController.h"
#include "StateFolder.h"
#include "TestLocations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace dravinor::testing {

namespace fs = std::filesystem;

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Words as a shell splits them: at blanks, except inside single quotes.
inline std::vector<std::string> shellWords(const std::string& line)
{
    std::vector<std::string> words;
    std::optional<std::string> word;
    bool quoted = false;
    for (char c : line) {
        if (c == '\'') {
            quoted = !quoted;
            word = word.value_or("");
        } else if (!quoted && (c == ' ' || c == '\t')) {
            if (word)
                words.push_back(*word);
            word.reset();
        } else {
            word = word.value_or("") + c;
        }
    }
    if (word)
        words.push_back(*word);
    return words;
}

// Standard input, output and error of this process go to files for as long
// as it lives (input from /dev/null), as a shell's redirections would.
class StandardStreamsRedirected {
public:
    StandardStreamsRedirected(const fs::path& out, const fs::path& err)
    {
        flushAll();
        redirect(0, "/dev/null", O_RDONLY);
        redirect(1, out, O_WRONLY | O_CREAT | O_TRUNC);
        redirect(2, err, O_WRONLY | O_CREAT | O_TRUNC);
    }
    ~StandardStreamsRedirected()
    {
        flushAll();
        for (int fd = 0; fd < 3; ++fd) {
            ::dup2(saved_[fd], fd);
            ::close(saved_[fd]);
        }
        std::clearerr(stdin);
        std::cin.clear();
    }
    StandardStreamsRedirected(const StandardStreamsRedirected&) = delete;
    StandardStreamsRedirected& operator=(const StandardStreamsRedirected&) = delete;

private:
    static void flushAll()
    {
        std::cout.flush();
        std::cerr.flush();
        std::fflush(stdout);
        std::fflush(stderr);
    }
    void redirect(int fd, const fs::path& path, int flags)
    {
        saved_[fd] = ::dup(fd);
        const int opened = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
        ::dup2(opened, fd);
        ::close(opened);
    }
    std::array<int, 3> saved_{};
};

// dravinor-cli run in this process as the fitter would run it, with the
// simulated controller as COM1, in simulated time; its journal is in the
// test's own folder.
struct CliFixture : ::testing::Test {
    SimulatedController controller;
    StateFolder folder;
    fs::path dir = folder.path();

    explicit CliFixture(sim::SimulatorOptions options = {}) : controller(std::move(options)) {}

    // arguments are split as a shell would; ports is DRAVINOR_PORTS.
    CliRun cli(const std::string& arguments, const std::string& ports = "")
    {
        std::vector<std::string> words = shellWords(arguments);
        words.insert(words.begin(), "dravinor-cli");
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        ::setenv("DRAVINOR_PORTS", (ports.empty() ? "COM1=" + controller.slavePath() : ports).c_str(), 1);
        CliRun run;
        {
            StandardStreamsRedirected redirected(dir / "out", dir / "err");
            run.exitCode =
                cli::runCli(static_cast<int>(words.size()), argv.data(), controller.wiring(folder.journal()));
        }
        ::unsetenv("DRAVINOR_PORTS");
        run.out = slurp(dir / "out");
        run.err = slurp(dir / "err");
        return run;
    }
    std::array<std::uint8_t, 64> fileBytes(const fs::path& path)
    {
        const std::string text = slurp(path);
        std::array<std::uint8_t, 64> bytes{};
        std::copy_n(text.begin(), std::min<std::size_t>(text.size(), 64), bytes.begin());
        return bytes;
    }
};

// dravinor-cli as a process over a real pty against the simulator's thread,
// in real time; its journal is in the test's own folder.
struct PtyCli : ::testing::Test {
    sim::ControllerSimulator controller;
    StateFolder folder;
    fs::path dir = folder.path();

    void SetUp() override { ASSERT_TRUE(controller.start()); }

    CliRun cli(const std::string& arguments, const std::string& ports = "")
    {
        const std::string map = ports.empty() ? "COM1=" + controller.slavePath() : ports;
        const std::string command = "DRAVINOR_STATE_DIR='" + folder.path().string() + "' DRAVINOR_PORTS='" + map +
                                    "' '" + dravinor::testing::cliProgram() + "' " + arguments + " >'" +
                                    (dir / "out").string() + "' 2>'" + (dir / "err").string() + "' </dev/null";
        CliRun run;
        const int status = std::system(command.c_str());
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = slurp(dir / "out");
        run.err = slurp(dir / "err");
        return run;
    }
};

}  // namespace dravinor::testing
