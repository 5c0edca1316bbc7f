#include "OpenFailureText.h"

#include <gtest/gtest.h>

using namespace dravinor;

namespace {

link::OpenResult refused(unsigned mode, bool groupMayUse)
{
    link::OpenResult result{link::OpenError::PermissionDenied, "Permission denied"};
    result.access = {"root", "dialout", mode, groupMayUse};
    return result;
}

}  // namespace

TEST(OpenFailureText, PermissionDeniedAdvisesAGroupOnlyWhenTheGroupMayUseTheDevice)
{
    const std::string usable = cli::openFailureText(refused(0660, true));
    EXPECT_NE(usable.find("sudo usermod -aG dialout $USER"), std::string::npos) << usable;

    const std::string closed = cli::openFailureText(refused(0600, false));
    EXPECT_EQ(closed.find("usermod"), std::string::npos) << closed;
    EXPECT_NE(closed.find("owner root, group dialout, mode 600"), std::string::npos) << closed;
}

TEST(OpenFailureText, BusyPortNamesItsHoldersAndHowToStopThem)
{
    link::OpenResult busy{link::OpenError::Busy, "busy"};
    EXPECT_EQ(cli::openFailureText(busy), "the port is in use by another program");

    busy.holders = {{812, "ModemManager"}, {90, "minicom"}};
    const std::string text = cli::openFailureText(busy);
    EXPECT_NE(text.find("ModemManager (PID 812), minicom (PID 90)"), std::string::npos) << text;
    EXPECT_NE(text.find("sudo systemctl stop ModemManager"), std::string::npos) << text;

    busy.holders = {{77, "brltty"}};
    EXPECT_NE(cli::openFailureText(busy).find("sudo systemctl stop brltty"), std::string::npos);
}
