#include "core/devices/device_paths.h"
#include "core/devices/zelvix_usb_device.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace v38 {
namespace {

TEST(DevicePaths, DataHomeFollowsTheOverrideThenXdgThenHome) {
    struct Case {
        const char *v38, *xdg, *home, *expected;
    };
    const Case cases[] = {
        {"/data/v38", "/xdg", "/home/u", "/data/v38"},
        {nullptr, "/xdg", "/home/u", "/xdg/V38 Device"},
        {"", "/xdg/", "/home/u", "/xdg/V38 Device"},
        {"relative", "also/relative", "/home/u", "/home/u/.local/share/V38 Device"},
        {nullptr, nullptr, nullptr, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dataHomeFrom(c.v38, c.xdg, c.home), c.expected);
}

TEST(DevicePaths, DeviceFoldersAreCreatedAndNamesStayInside) {
    std::filesystem::path home = std::filesystem::path(testing::TempDir()) / "v38-device-paths";
    std::filesystem::remove_all(home);
    CZelvixUSBDevice device;
    device.setFolders({home.string(), "/opt/v38"});
    device.setKindName("keyboard");
    EXPECT_EQ(device.dataFolder(), home.string() + "/keyboard/");
    EXPECT_TRUE(std::filesystem::is_directory(home / "keyboard"));
    EXPECT_EQ(device.defaultDataFolder(), "/opt/v38/DefaultData/");
    EXPECT_EQ(device.defaultProfilePath(), "/opt/v38/DefaultData/keyboard.Json");

    for (const char* bad : {"", "..", ".", "a/b", "a\\b"}) {
        device.setKindName(bad);
        EXPECT_EQ(device.dataFolder(), "") << bad;
        EXPECT_EQ(device.defaultProfilePath(), "") << bad;
    }
    EXPECT_EQ(deviceDataFolder("", "mouse"), "");
    std::filesystem::remove_all(home);
}

} // namespace
} // namespace v38
