#include "serial/linux/PortResolver.h"
#include "support/TempDir.h"

#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

class PortResolverTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fs::create_directories(dev());
        fs::create_directories(sys() / "class" / "tty");
    }

    fs::path dev() const { return root.path() / "dev"; }
    fs::path sys() const { return root.path() / "sys"; }

    void addDevice(const std::string& name) { std::ofstream(dev() / name).put('\0'); }

    // An on-board UART as sysfs shows it: with a device link unless absent, with a type file
    // when type is given.
    void addUart(const std::string& name, bool withDevice, const char* type)
    {
        addDevice(name);
        const fs::path tty = sys() / "class" / "tty" / name;
        fs::create_directories(tty);
        if (withDevice)
            fs::create_directories(tty / "device");
        if (type)
            std::ofstream(tty / "type") << type << "\n";
    }

    std::vector<std::string> names(const PortResolver& resolver) const
    {
        std::vector<std::string> found;
        for (const auto& path : resolver.ports())
            found.push_back(fs::path(path).filename().string());
        return found;
    }

    TempDir root;
};

} // namespace

TEST_F(PortResolverTest, UsbAdaptersComeFirstThenModemsThenUartsWithHardware)
{
    for (const char* name : {"ttyUSB10", "ttyUSB1", "ttyACM0", "ttyUSB0", "tty0", "ttyUSBx",
                             "ttyACM", "console", "ttyS"})
        addDevice(name);
    addUart("ttyS0", true, "0");      // the kernel's placeholder: no UART answered
    addUart("ttyS1", true, "4");      // a 16550A
    addUart("ttyS2", false, nullptr); // no device behind it
    addUart("ttyS10", true, nullptr); // hardware, type not told
    addUart("ttyS3", true, "4");

    const PortResolver resolver(dev(), sys());
    EXPECT_EQ(names(resolver), (std::vector<std::string>{"ttyUSB0", "ttyUSB1", "ttyUSB10",
                                                         "ttyACM0", "ttyS1", "ttyS3", "ttyS10"}));
    EXPECT_EQ(resolver.devicePath(1), (dev() / "ttyUSB0").string());
    EXPECT_EQ(resolver.devicePath(5), (dev() / "ttyS1").string());
    EXPECT_EQ(resolver.devicePath(7), (dev() / "ttyS10").string());
    EXPECT_FALSE(resolver.devicePath(8));
    EXPECT_FALSE(resolver.devicePath(0));
    EXPECT_FALSE(resolver.devicePath(-1));
}

TEST_F(PortResolverTest, ASingleUsbInterfaceIsCom1AheadOfTheUarts)
{
    addUart("ttyS0", true, "4");
    addDevice("ttyACM0");
    EXPECT_EQ(names(PortResolver(dev(), sys())), (std::vector<std::string>{"ttyACM0", "ttyS0"}));
}

TEST_F(PortResolverTest, MissingRootsMeanNoPorts)
{
    const PortResolver resolver(root.path() / "nowhere", root.path() / "nothing");
    EXPECT_TRUE(resolver.ports().empty());
    EXPECT_FALSE(resolver.devicePath(1));
}
