#include "core/profiles/keyboard_profile_data.h"

#include "core/platform/temp_folder.h"
#include "core/profiles/profile_test_util.h"

#include <gtest/gtest.h>

namespace v38 {
namespace {

class KeyboardProfileData : public ::testing::Test {
protected:
    void SetUp() override {
        profile = dir.file("p.Json");
        test::writeJson(profile, R"({"Device": [{}]})");
        data.setProfilePath(profile);
        data.loadProfileFile(profile);
    }
    Json::Value saved() {
        EXPECT_TRUE(data.save());
        return loadJsonFile(profile)["Device"][0];
    }

    test::TempFolder dir;
    std::string profile;
    CKeyboardProfiledata data;
};

TEST_F(KeyboardProfileData, SystemSettingsRoundTripAndFallBackToZero) {
    EXPECT_EQ(data.readKeyboardSystemSettings(), KeyboardSystemSettings{});
    KeyboardSystemSettings s{20, 2, 1, 3, 1, 1};
    data.writeKeyboardSystemSettings(s);
    Json::Value entry = saved();
    EXPECT_EQ(entry["SystemStages"], test::json(R"({"Repeat": 20, "RepeatDelay": 2, "Key6Flag": 1,
                                                    "PollingRate": 3, "WFlag": 1, "WinFlag": 1})"));
    CKeyboardProfiledata other;
    other.loadProfileFile(profile);
    EXPECT_EQ(other.readKeyboardSystemSettings(), s);
}

TEST_F(KeyboardProfileData, CustomColorsRoundTripAndMissingOnesAreWrittenAsZeros) {
    std::vector<CustomColor> colors{{255, 0, 0, 255}, {0, 255, 0, 128}};
    data.writeCustomColors(colors, 2);
    data.writeCustomColorGroup(2);
    Json::Value entry = saved();
    EXPECT_TRUE(entry["CustomLightMode"]["LightColorInfo"][0].isNull());
    EXPECT_EQ(entry["CustomLightMode"]["CustomLightModeGroupIndex"], 2);

    CKeyboardProfiledata other;
    other.setProfilePath(profile);
    other.loadProfileFile(profile);
    EXPECT_EQ(other.readCustomColorGroup(), 2);
    std::vector<CustomColor> read = other.readCustomColors(2, 3);
    EXPECT_EQ(read, (std::vector<CustomColor>{{255, 0, 0, 255}, {0, 255, 0, 128}, {0, 0, 0, 0}}));
    EXPECT_EQ(other.readCustomColors(0, 2), std::vector<CustomColor>(2));
    ASSERT_TRUE(other.save());
    Json::Value groups = loadJsonFile(profile)["Device"][0]["CustomLightMode"]["LightColorInfo"];
    EXPECT_EQ(groups[0], test::json(R"([{"Red":0,"Green":0,"Blue":0,"Alpha":0},
                                        {"Red":0,"Green":0,"Blue":0,"Alpha":0}])"));
    EXPECT_EQ(groups[2][2], test::json(R"({"Red":0,"Green":0,"Blue":0,"Alpha":0})"));
}

TEST_F(KeyboardProfileData, GroupAndCountFromAFileAreRangeChecked) {
    test::writeJson(profile,
                    R"({"Device": [{"CustomLightMode": {"CustomLightModeGroupIndex": 1000000000}}]})");
    data.loadProfileFile(profile);
    EXPECT_EQ(data.readCustomColorGroup(), 0);
    EXPECT_TRUE(data.readCustomColors(1000000000, 170).empty());
    EXPECT_TRUE(data.readCustomColors(-1, 170).empty());
    EXPECT_TRUE(data.readCustomColors(0, 1000000000).empty());
    data.writeCustomColors({CustomColor{}}, 1000000000);
    EXPECT_FALSE(data.deviceEntry()["CustomLightMode"].isMember("LightColorInfo"));
}

} // namespace
} // namespace v38
