#pragma once

#include "link/PortReport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace dravinor::testing {

// /dev, /sys and /proc as small trees in a temporary folder: device nodes
// are plain files, links are what the kernel would show.
struct FakeSystemTree {
    std::filesystem::path root;
    link::SystemRoots roots;

    FakeSystemTree()
    {
        static int counter = 0;
        root = std::filesystem::path(::testing::TempDir()) /
               ("dravinor-fake-system-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        std::filesystem::remove_all(root);
        for (const char* part : {"dev/serial/by-id", "sys/class/tty", "proc"})
            std::filesystem::create_directories(root / part);
        roots = {(root / "dev").string(), (root / "sys").string(), (root / "proc").string()};
    }
    ~FakeSystemTree() { std::filesystem::remove_all(root); }
    FakeSystemTree(const FakeSystemTree&) = delete;
    FakeSystemTree& operator=(const FakeSystemTree&) = delete;

    std::string addDevice(const std::string& name, std::filesystem::perms mode)
    {
        const auto path = root / "dev" / name;
        std::ofstream(path).put('\0');
        std::filesystem::permissions(path, mode);
        return path.string();
    }
    // A USB serial adapter: the interface's tty under the USB device that
    // carries the ids, as sysfs lays it out.
    void addUsbAdapter(const std::string& name, const std::string& vendor, const std::string& product,
                       const std::string& maker, const std::string& productName, const std::string& driver)
    {
        const auto usb = root / "sys/devices/pci0000:00/usb1/1-2";
        const auto tty = usb / "1-2:1.0" / name;
        std::filesystem::create_directories(tty);
        write(usb / "idVendor", vendor);
        write(usb / "idProduct", product);
        write(usb / "manufacturer", maker);
        write(usb / "product", productName);
        addDriver(tty, driver);
        linkTty(name, "../../../devices/pci0000:00/usb1/1-2/1-2:1.0/" + name);
    }
    // A port on the main board: a driver, no USB ids.
    void addPlatformPort(const std::string& name, const std::string& driver)
    {
        const auto device = root / "sys/devices/platform/serial8250" / name;
        std::filesystem::create_directories(device);
        addDriver(device, driver);
        linkTty(name, "../../../devices/platform/serial8250/" + name);
    }
    void addStableName(const std::string& link, const std::string& name)
    {
        std::filesystem::create_directory_symlink("../../" + name, root / "dev/serial/by-id" / link);
    }
    void addHolder(int pid, const std::string& program, const std::string& device)
    {
        const auto process = root / "proc" / std::to_string(pid);
        std::filesystem::create_directories(process / "fd");
        write(process / "comm", program);
        std::filesystem::create_symlink(device, process / "fd" / "7");
    }

private:
    static void write(const std::filesystem::path& file, const std::string& line)
    {
        std::ofstream(file) << line << '\n';
    }
    void addDriver(const std::filesystem::path& device, const std::string& driver)
    {
        const auto driverDir = root / "sys/bus/usb-serial/drivers" / driver;
        std::filesystem::create_directories(driverDir);
        std::filesystem::create_directory_symlink(driverDir, device / "driver");
    }
    void linkTty(const std::string& name, const std::string& target)
    {
        std::filesystem::create_directories(root / "sys/class/tty" / name);
        std::filesystem::create_directory_symlink(target, root / "sys/class/tty" / name / "device");
    }
};

}  // namespace dravinor::testing
