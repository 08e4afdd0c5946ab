#include "core/platform/data_folders.h"

#include "core/platform/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

namespace v38 {
namespace {

// Sets or clears an environment variable for one test and restores it afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(DataFolders, DataHomeFollowsTheEnvironment) {
    ScopedEnv home("HOME", "/home/tester");
    {
        ScopedEnv v38("V38_DATA_HOME", nullptr);
        {
            ScopedEnv xdg("XDG_DATA_HOME", nullptr);
            EXPECT_EQ(userDataHome(), "/home/tester/.local/share/V38 Device");
        }
        {
            ScopedEnv xdg("XDG_DATA_HOME", "/data");
            EXPECT_EQ(userDataHome(), "/data/V38 Device");
        }
        {
            ScopedEnv xdg("XDG_DATA_HOME", "relative/ignored");
            EXPECT_EQ(userDataHome(), "/home/tester/.local/share/V38 Device");
        }
    }
    ScopedEnv xdg("XDG_DATA_HOME", "/data");
    ScopedEnv v38("V38_DATA_HOME", "/elsewhere/v38");
    EXPECT_EQ(userDataHome(), "/elsewhere/v38");
}

TEST(DataFolders, FoldersAreCreatedWithTheirParents) {
    test::TempFolder dir;
    std::string home = dir.file("share/V38 Device");
    EXPECT_EQ(DataFolder(home), home + "/");
    EXPECT_EQ(deviceDataFolder(home, "MousePad"), home + "/MousePad/");
    EXPECT_TRUE(std::filesystem::is_directory(home + "/MousePad"));
    EXPECT_EQ(deviceDataFolder(home, "../escape"), "");
    EXPECT_EQ(defaultDataFolder("/opt/v38"), "/opt/v38/DefaultData/");
    EXPECT_EQ(defaultDataFolder("/opt/v38/"), "/opt/v38/DefaultData/");
}

TEST(DataFolders, SafePathComponents) {
    for (const char* good : {"2024_03_05_07_08_09_012", "profile 1", "a.b", "名字"})
        EXPECT_TRUE(isSafePathComponent(good)) << good;
    std::string tooLong(kMaxPathComponentLength + 1, 'a');
    for (std::string bad : {std::string(), std::string("."), std::string(".."), std::string("../../x"),
                            std::string("a/b"), std::string("a\\b"), std::string("a..b"),
                            std::string("a\0b", 3), std::string("tab\there"), tooLong})
        EXPECT_FALSE(isSafePathComponent(bad)) << bad;
}

} // namespace
} // namespace v38
