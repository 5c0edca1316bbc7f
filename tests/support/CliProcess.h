#pragma once

#include "TestLocations.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace dravinor::testing {

// A guard against a hang, not a measurement: the commands that use it take
// a few seconds on the paced line.
constexpr auto cliHangGuard = std::chrono::seconds(60);

// dravinor-cli as a process, its output read as it comes, on a terminal of
// its own (where it may ask) or on plain pipes with no input.
struct CliProcess {
    pid_t pid = -1;
    int fd = -1;  // the terminal's master side, or the output pipe
    std::string output;

    ~CliProcess()
    {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        if (fd >= 0)
            close(fd);
    }

    void start(const std::vector<std::string>& arguments, bool terminal)
    {
        std::vector<std::string> words{dravinor::testing::cliProgram()};
        words.insert(words.end(), arguments.begin(), arguments.end());
        if (terminal) {
            pid = forkpty(&fd, nullptr, nullptr, nullptr);
        } else {
            int pipeFds[2];
            ASSERT_EQ(pipe(pipeFds), 0);
            pid = fork();
            if (pid == 0) {
                dup2(pipeFds[1], STDOUT_FILENO);
                dup2(pipeFds[1], STDERR_FILENO);
                const int devNull = open("/dev/null", O_RDONLY);
                dup2(devNull, STDIN_FILENO);
            }
            close(pipeFds[1]);
            fd = pipeFds[0];
        }
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            std::vector<char*> argv;
            for (auto& word : words)
                argv.push_back(word.data());
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
    }

    // Reads until text appears or the output ends.
    bool readUntil(const std::string& text, std::chrono::seconds guard = cliHangGuard)
    {
        const auto end = std::chrono::steady_clock::now() + guard;
        while (output.find(text) == std::string::npos) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            pollfd input{fd, POLLIN, 0};
            if (poll(&input, 1, 200) <= 0)
                continue;
            char buffer[512];
            const ssize_t n = read(fd, buffer, sizeof buffer);
            if (n <= 0)
                return false;
            output.append(buffer, static_cast<std::size_t>(n));
        }
        return true;
    }

    void type(const std::string& text)
    {
        ASSERT_EQ(write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    }

    int interruptAndWait()
    {
        kill(pid, SIGINT);
        readUntil("\x04 never printed");  // the rest of the output, up to its end
        int status = 0;
        waitpid(pid, &status, 0);
        pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    int wait()
    {
        readUntil("\x04 never printed");
        int status = 0;
        waitpid(pid, &status, 0);
        pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

}  // namespace dravinor::testing
