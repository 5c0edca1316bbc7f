#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace dravinor::testing {

// A folder of the running test's own, for its journal and files: below the
// test program's state folder ($DRAVINOR_STATE_DIR, which CMake sets per
// program), named after the test and the process; removed afterwards.
class StateFolder {
public:
    StateFolder()
    {
        const char* programFolder = std::getenv("DRAVINOR_STATE_DIR");
        std::string name = "dravinor-test";
        if (const auto* test = ::testing::UnitTest::GetInstance()->current_test_info())
            name = std::string(test->test_suite_name()) + "." + test->name();
        for (char& c : name)
            c = c == '/' ? '_' : c;
        path_ = std::filesystem::path(programFolder && *programFolder ? programFolder : ::testing::TempDir()) /
                (name + "-" + std::to_string(::getpid()));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~StateFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    StateFolder(const StateFolder&) = delete;
    StateFolder& operator=(const StateFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path journal() const { return path_ / "journal.log"; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

}  // namespace dravinor::testing
