#include "core/devices/device_paths.h"
#include "core/devices/zelvix_usb_device.h"
#include "core/platform/data_folders.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace v38 {
namespace {

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
