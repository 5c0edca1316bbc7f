// The programs carry the hardening a Debian package is built with, read from
// their ELF headers as hardening-check and lintian read them.

#include "RunCommand.h"
#include "TestLocations.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

using dravinor::test::CommandResult;
using dravinor::test::run;

namespace {

std::string readelf(const std::string& options, const std::string& binary)
{
    const CommandResult result = run("readelf -W " + options + " " + dravinor::test::quoted(binary));
    EXPECT_EQ(result.status, 0) << "readelf " << options << " " << binary << ": " << result.output;
    return result.output;
}

}  // namespace

TEST(Hardening, ProgramsArePieWithReadOnlyRelocationsBoundAtStartProtectedAndFortified)
{
    if (!DRAVINOR_HARDENED)
        GTEST_SKIP() << "the sanitizer and fuzz builds bring their own instrumentation instead";
    // The simulator's few fortifiable calls are checked at build time or
    // fill buffers of a size the compiler cannot see: none is left for a
    // checking variant at run time.
    struct Program {
        const char* path;
        bool callsFortified;
    };
    for (const auto& [program, callsFortified] :
         {Program{"/app/dravinor", true}, Program{"/cli/dravinor-cli", true}, Program{"/sim/dravinor-sim", false}}) {
        const std::string binary = dravinor::testing::binaryDir() + program;
        EXPECT_NE(readelf("--file-header", binary).find("DYN (Position-Independent Executable"), std::string::npos)
            << binary << " is not PIE";
        EXPECT_NE(readelf("--program-headers", binary).find("GNU_RELRO"), std::string::npos)
            << binary << " lacks -z relro";
        EXPECT_NE(readelf("--dynamic", binary).find("BIND_NOW"), std::string::npos) << binary << " lacks -z now";
        const std::string symbols = readelf("--dyn-syms", binary);
        EXPECT_NE(symbols.find(" __stack_chk_fail"), std::string::npos) << binary << " lacks the stack protector";
        // _FORTIFY_SOURCE turns memcpy, snprintf, read, ... into their
        // checking variants.
        if (callsFortified) {
            EXPECT_TRUE(std::regex_search(symbols, std::regex(R"( __(?!stack_)\w+_chk\b)")))
                << binary << " calls no fortified function";
        }
    }
}
