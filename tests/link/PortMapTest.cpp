#include "link/PortMap.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

using dravinor::link::PortMap;
namespace fs = std::filesystem;

TEST(PortMap, NamesAndIndexes)
{
    EXPECT_EQ(PortMap::portName(0), "COM1");
    EXPECT_EQ(PortMap::portName(9), "COM10");
    EXPECT_EQ(PortMap::portIndex("COM10"), 9);
    EXPECT_EQ(PortMap::portIndex("com3"), 2);
    for (const char* bad : {"COM0", "COM11", "COM", "CON1", "COM1x", "", "COM01", "COM-1", "COM+1", "COM 1"})
        EXPECT_EQ(PortMap::portIndex(bad), -1) << bad;
}

TEST(PortMap, DiscoversUsbFirstThenRealUartsInNumericOrder)
{
    const fs::path root = fs::temp_directory_path() / ("portmap-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "dev");
    // Names that only look like numbered devices are passed over, never fatal.
    for (const char* name : {"ttyUSB10", "ttyUSB2", "ttyACM0", "ttyS0", "ttyS1", "ttyS12", "tty0", "ttyUSBx",
                             "ttyUSB99999999999999999999999", "ttyACM-1", "ttyUSB+3"})
        std::ofstream(root / "dev" / name).put('x');
    for (const auto& [name, type] : {std::pair{"ttyS0", "4"}, {"ttyS1", "0"}, {"ttyS12", "4"}}) {
        fs::create_directories(root / "sys" / name);
        std::ofstream(root / "sys" / name / "type") << type << '\n';
    }
    const PortMap map = PortMap::discover((root / "dev").string(), (root / "sys").string());
    const std::string dev = (root / "dev").string() + "/";
    EXPECT_EQ(map.devicePath(0), dev + "ttyUSB2");
    EXPECT_EQ(map.devicePath(1), dev + "ttyUSB10");
    EXPECT_EQ(map.devicePath(2), dev + "ttyACM0");
    EXPECT_EQ(map.devicePath(3), dev + "ttyS0");
    EXPECT_EQ(map.devicePath(4), dev + "ttyS12");
    EXPECT_EQ(map.devicePath(5), "");
    fs::remove_all(root);
}

TEST(PortMap, AssignmentsOverrideAndPathsResolveToThemselves)
{
    PortMap map;
    std::string error;
    EXPECT_TRUE(map.applyAssignmentList("COM1=/dev/a, COM3=/dev/c", &error));
    EXPECT_EQ(map.resolve("COM1"), "/dev/a");
    EXPECT_EQ(map.resolve("COM2"), "");
    EXPECT_EQ(map.resolve("COM3"), "/dev/c");
    EXPECT_EQ(map.resolve("/dev/ttyUSB0"), "/dev/ttyUSB0");
    for (const char* bad : {"COM1", "COM12=/dev/x", "=/dev/x", "COM2="}) {
        EXPECT_FALSE(map.applyAssignment(bad, &error)) << bad;
        EXPECT_FALSE(error.empty());
    }
}

TEST(PortMap, CommandLineWinsOverTheEnvironment)
{
    PortMap map;
    std::string error;
    ASSERT_TRUE(dravinor::link::buildPortMap({"COM2=/dev/cli"}, "COM1=/dev/env1,COM2=/dev/env2", map, &error));
    EXPECT_EQ(map.resolve("COM1"), "/dev/env1");
    EXPECT_EQ(map.resolve("COM2"), "/dev/cli");
    EXPECT_FALSE(dravinor::link::buildPortMap({}, "COM1:/dev/x", map, &error));
    EXPECT_NE(error.find("DRAVINOR_PORTS"), std::string::npos);
}

TEST(PortMap, ANameGivenTwiceOrAListNamingNoPortIsRefusedAndChangesNothing)
{
    PortMap map;
    std::string error;
    ASSERT_TRUE(map.applyAssignmentList("COM1=/dev/a", &error));
    for (const char* list : {"COM1=/dev/x,COM1=/dev/y", "COM2=/dev/x, com2=/dev/y", ",", " , ,", ",,"}) {
        error.clear();
        EXPECT_FALSE(map.applyAssignmentList(list, &error)) << list;
        EXPECT_FALSE(error.empty()) << list;
        EXPECT_EQ(map.resolve("COM1"), "/dev/a") << list;  // all or nothing
        EXPECT_EQ(map.resolve("COM2"), "") << list;
    }
    EXPECT_FALSE(map.applyAssignmentList("COM1=/dev/x,COM1=/dev/y", &error));
    EXPECT_NE(error.find("COM1 is assigned twice"), std::string::npos) << error;

    // A blank between two commas among real assignments stays harmless.
    EXPECT_TRUE(map.applyAssignmentList("COM1=/dev/x,,COM2=/dev/y,", &error)) << error;
    EXPECT_EQ(map.resolve("COM2"), "/dev/y");

    EXPECT_FALSE(dravinor::link::buildPortMap({}, "COM3=/dev/x,COM3=/dev/y", map, &error));
    EXPECT_NE(error.find("DRAVINOR_PORTS"), std::string::npos) << error;
    EXPECT_FALSE(dravinor::link::buildPortMap({}, ",", map, &error));
    EXPECT_FALSE(dravinor::link::buildPortMap({"COM4=/dev/x", "COM4=/dev/y"}, nullptr, map, &error));
    EXPECT_NE(error.find("COM4 is assigned twice"), std::string::npos) << error;
    // The command line may still name a port of the environment's again.
    EXPECT_TRUE(dravinor::link::buildPortMap({"COM1=/dev/cli"}, "COM1=/dev/env", map, &error)) << error;
    EXPECT_EQ(map.resolve("COM1"), "/dev/cli");
}

TEST(PortMap, OneDeviceUnderTwoNamesIsRefusedWhereverTheNamesComeFrom)
{
    const fs::path folder = fs::temp_directory_path() / ("dravinor-ports-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const std::string device = (folder / "ttyUSB0").string();
    std::ofstream(device).put('x');
    const std::string link = (folder / "by-id-adapter").string();
    fs::create_symlink(device, link);

    PortMap map;
    std::string error;
    EXPECT_FALSE(dravinor::link::buildPortMap({}, ("COM1=" + device + ",COM2=" + link).c_str(), map, &error));
    EXPECT_NE(error.find("COM1 and COM2 name one device, " + device), std::string::npos) << error;
    EXPECT_FALSE(dravinor::link::buildPortMap({"COM3=" + device}, ("COM1=" + device).c_str(), map, &error));
    EXPECT_NE(error.find("COM1 and COM3"), std::string::npos) << error;
    // Not plugged in yet: the same path written two ways is still one device.
    EXPECT_FALSE(dravinor::link::buildPortMap({"COM1=/dev/ttyACM7", "COM2=/dev/../dev/ttyACM7"}, nullptr, map, &error));
    // --port taking a name's device away from the environment leaves it one name.
    EXPECT_TRUE(dravinor::link::buildPortMap({"COM1=/dev/ttyACM8"}, ("COM1=" + device + ",COM2=/dev/ttyACM9").c_str(),
                                             map, &error))
        << error;
    EXPECT_TRUE(
        dravinor::link::buildPortMap({"COM2=" + link}, ("COM1=/dev/ttyACM8,COM2=" + device).c_str(), map, &error))
        << error;
    fs::remove_all(folder);
}
