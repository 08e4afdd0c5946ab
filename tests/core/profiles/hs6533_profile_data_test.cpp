#include "core/profiles/hs6533_profile_data.h"

#include "core/platform/temp_folder.h"
#include "core/profiles/profile_test_util.h"

#include <gtest/gtest.h>

namespace v38 {
namespace {

class HeadsetProfileData : public ::testing::Test {
protected:
    void load(const std::string& text) {
        test::writeJson(profile, text);
        data.setProfilePath(profile);
        data.loadProfileFile(profile);
    }

    test::TempFolder dir;
    std::string profile = dir.file("p.Json");
    CHs6533Profiledata data;
};

TEST_F(HeadsetProfileData, SettingsRoundTripWithIndexesRangeChecked) {
    load(R"({"Device": [{}]})");
    HeadsetSystemSettings s{1, 3, 13, 4, 1, 80, 0, 50};
    data.writeHeadsetSystemSettings(s);
    ASSERT_TRUE(data.save());
    EXPECT_EQ(loadJsonFile(profile)["Device"][0]["SystemSetStages"]["CustomEqSeletIndex"], 4);
    CHs6533Profiledata other;
    other.loadProfileFile(profile);
    EXPECT_EQ(other.readHeadsetSystemSettings(), s);
    load(R"({"Device": [{"SystemSetStages": {"EqType": 1000000000, "CustomEqSeletIndex": 1000000000,
                                              "MicInValue": 70}}]})");
    HeadsetSystemSettings read = data.readHeadsetSystemSettings();
    EXPECT_EQ(read.eqType, 0);
    EXPECT_EQ(read.customEqSelectIndex, 0);
    EXPECT_EQ(read.micInValue, 70);
}

TEST_F(HeadsetProfileData, EqualiserPresetsByType) {
    load(R"({"Device": [{}]})");
    EqBands bands{7, 11, 2, -3, -1, 4, 9, 12, 9, 5};
    data.writeEqBands(1, bands);
    std::vector<int32_t> expected(bands.begin(), bands.end());
    // Type 0 and types above 13 share preset 1; 13 is the custom curve and touches nothing here.
    EXPECT_EQ(data.readEqBands(0), expected);
    EXPECT_EQ(data.readEqBands(14), expected);
    EXPECT_EQ(data.readEqBands(-5), expected);
    EXPECT_TRUE(data.readEqBands(13).empty());
    data.writeEqBands(13, EqBands{});
    EXPECT_EQ(data.readEqBands(1), expected);
    // A preset that is missing reads as zeros and is written into the document.
    EXPECT_EQ(data.readEqBands(5), std::vector<int32_t>(10, 0));
    ASSERT_TRUE(data.save());
    Json::Value presets = loadJsonFile(profile)["Device"][0]["EQHzValueInfo"];
    EXPECT_EQ(presets.size(), 6u);
    EXPECT_EQ(presets[5][9], test::json(R"({"value": 0})"));
    EXPECT_EQ(presets[1][3], test::json(R"({"value": -3})"));
}

TEST_F(HeadsetProfileData, CustomCurvesAndNames) {
    load(R"({"Device": [{"CustomEQNameInfo": [{"Name": "old"}]}]})");
    EXPECT_EQ(data.readCustomEqNames(), std::vector<std::string>{"old"});
    data.writeCustomEqNames({"bass", "voice \xff"});
    EXPECT_EQ(data.readCustomEqNames(), (std::vector<std::string>{"bass", "voice \xef\xbf\xbd"}));
    EqBands bands{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    data.writeCustomEqBands(1, bands);
    EXPECT_EQ(data.readCustomEqBands(1), std::vector<int32_t>(bands.begin(), bands.end()));
    EXPECT_EQ(data.readCustomEqBands(0), std::vector<int32_t>(10, 0));
    EXPECT_TRUE(data.readCustomEqBands(kMaxCustomEqCurves).empty());
    EXPECT_TRUE(data.readCustomEqBands(1000000000).empty());
    data.writeCustomEqBands(1000000000, bands);
    EXPECT_EQ(data.deviceEntry()["CustomEQHzValueInfo"].size(), 2u);
}

} // namespace
} // namespace v38
