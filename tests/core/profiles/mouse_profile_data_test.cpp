#include "core/profiles/mouse_profile_data.h"

#include "core/platform/temp_folder.h"
#include "core/profiles/profile_test_util.h"

#include <gtest/gtest.h>

namespace v38 {
namespace {

class MouseProfileData : public ::testing::Test {
protected:
    void load(const std::string& text) {
        test::writeJson(profile, text);
        data.loadProfileFile(profile);
    }

    test::TempFolder dir;
    std::string profile = dir.file("p.Json");
    CMouseProfiledata data;
};

TEST_F(MouseProfileData, DpiStagesRoundTripThroughTheFile) {
    load(R"({"Device": [{}]})");
    data.setProfilePath(profile);
    std::vector<DpiStage> stages{{1, 0, 300, 300, 255, 0, 0}, {1, 1, 0x1234, 7, 0, 0, 255}};
    data.writeDpiStages(stages);
    data.writeActiveDpiStage(1);
    ASSERT_TRUE(data.save());
    CMouseProfiledata other;
    other.loadProfileFile(profile);
    EXPECT_EQ(other.readDpiStages(), stages);
    EXPECT_EQ(other.activeDpiStage(), 1);
    EXPECT_EQ(stages[1].bytes(), (std::array<uint8_t, 9>{1, 1, 0x34, 0x12, 7, 0, 0, 0, 255}));
}

TEST_F(MouseProfileData, FewerStoredStagesKeepTheLaterMemberStages) {
    load(R"({"Device": [{"DPIStages": {"StageActive": 2, "StageDPIs": [
        {"StageActive": 1, "StageDPIX": 1}, {"StageActive": 1, "StageDPIX": 2}, {"StageActive": 1, "StageDPIX": 3},
        {"StageActive": 1, "StageDPIX": 4}, {"StageActive": 1, "StageDPIX": 5}]}}]})");
    data.readDpiStages();
    load(R"({"Device": [{"DPIStages": {"StageActive": 0, "StageDPIs": [{"StageDPIX": 70000}]}}]})");
    std::vector<DpiStage> stages = data.readDpiStages();
    ASSERT_EQ(stages.size(), 5u);
    EXPECT_EQ(stages[0].dpiX, 70000 & 0xFFFF);
    EXPECT_EQ(stages[4].dpiX, 5);
    EXPECT_EQ(data.activeDpiStage(), 0);
    // Without "DPIStages" the member list is given back unchanged; without "StageDPIs" the active
    // stage is still taken, and one far out of range reads as 0.
    load(R"({"Device": [{"DPIStages": {"StageActive": 3}}]})");
    EXPECT_EQ(data.readDpiStages().size(), 5u);
    EXPECT_EQ(data.activeDpiStage(), 3);
    load(R"({"Device": [{"DPIStages": {"StageActive": 1000000000}}]})");
    data.readDpiStages();
    EXPECT_EQ(data.activeDpiStage(), 0);
}

TEST_F(MouseProfileData, SystemSettingsUseTwoGroups) {
    load(R"({"Device": [{}]})");
    EXPECT_EQ(data.readMouseSystemSettings(), MouseSystemSettings{});
    MouseSystemSettings s{500, 10, 1, 0, 3, 2};
    data.writeMouseSystemSettings(s);
    EXPECT_EQ(data.deviceEntry()["SystemStages"],
              test::json(R"({"DoubleClickTime": 500, "MouseSpeed": 10, "PointerPrecision": 1,
                             "ScorllPage": 0, "WheelScorlllinse": 3})"));
    EXPECT_EQ(data.deviceEntry()["ReportStages"], test::json(R"({"StageActive": 2})"));
    EXPECT_EQ(data.readMouseSystemSettings(), s);
    load(R"({"Device": [{"SystemStages": {"MouseSpeed": 7}}]})");
    EXPECT_EQ(data.readMouseSystemSettings(), (MouseSystemSettings{0, 7, 0, 0, 0, 0}));
}

TEST_F(MouseProfileData, CorrectionsAreRead) {
    load(R"({"Device": [{"CorrectInfo": [
        {"CorrectPixThresh": 5, "CorrectMinSq": 6, "CorrectSelect": 1, "CorrectName": "pubg"}, 3]}]})");
    std::vector<CorrectionEntry> list = data.readCorrections();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0], (CorrectionEntry{5, 6, 1, "pubg"}));
    EXPECT_EQ(list[1], CorrectionEntry{});
}

} // namespace
} // namespace v38
