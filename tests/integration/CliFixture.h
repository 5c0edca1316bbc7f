#pragma once

#include "ControllerSimulator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

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

// Runs dravinor-cli as the fitter would, with the controller as COM1.
struct CliFixture : ::testing::Test {
    sim::ControllerSimulator controller;
    fs::path dir;

    void SetUp() override
    {
        ASSERT_TRUE(controller.start());
        dir = fs::path(::testing::TempDir()) / ("dravinor-cli-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    CliRun cli(const std::string& arguments, const std::string& ports = "")
    {
        const std::string map = ports.empty() ? "COM1=" + controller.slavePath() : ports;
        const std::string command = "DRAVINOR_PORTS='" + map + "' '" DRAVINOR_CLI_PATH "' " + arguments + " >'" +
                                    (dir / "out").string() + "' 2>'" + (dir / "err").string() + "' </dev/null";
        CliRun run;
        const int status = std::system(command.c_str());
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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

}  // namespace dravinor::testing
