#include "core/profiles/basic_profile_data.h"

#include "core/platform/file_io.h"
#include "core/platform/temp_folder.h"
#include "core/profiles/profile_test_util.h"

#include <gtest/gtest.h>

namespace v38 {
namespace {

using test::json;
using test::writeJson;

class BasicProfileData : public ::testing::Test {
protected:
    void SetUp() override {
        defaults = dir.file("keyboard.Json");
        profile = dir.file("p1.Json");
        writeJson(defaults, R"({"Device": [{
            "LightInfo": {"SelectItem": 3, "Light": 4, "Speed": 2, "Fx": 0, "MultiColor": 1, "Red": 255,
                          "Green": 0, "Blue": 0, "ZZCCLedMode": 0, "CustomGroup": 0, "OldLedmode": 0},
            "LightList": [],
            "KeyList": [{"Assignment": 2097193, "DefaultAssignment": 2097193},
                        {"Assignment": 2097210, "DefaultAssignment": 2097210},
                        {"Assignment": 2097211, "DefaultAssignment": 2097211},
                        {"Assignment": 2097212, "DefaultAssignment": 2097212}]}]})");
        data.setDefaultProfilePath(defaults);
        data.setProfilePath(profile);
    }

    test::TempFolder dir;
    std::string defaults;
    std::string profile;
    CBasicProfiledata data;
};

TEST_F(BasicProfileData, ProfileWithoutDeviceIsCompletedFromDefaultsAndKeepsItsNames) {
    writeJson(profile, R"({"profilename": "game", "profileUUID": "2024_01_01_00_00_00_000"})");
    Json::Value entry = data.loadProfileFile(profile);
    EXPECT_EQ(entry, loadJsonFile(defaults)["Device"][0]);
    Json::Value written = loadJsonFile(profile);
    EXPECT_EQ(written["Device"][0], entry);
    EXPECT_EQ(written["profilename"], "game");
    EXPECT_EQ(written["profileUUID"], "2024_01_01_00_00_00_000");
}

TEST_F(BasicProfileData, MissingGroupsAndKeysAreTakenFromDefaults) {
    // A profile from a model with fewer keys and no light list: its own values stay, the rest is
    // filled in from the defaults.
    writeJson(profile, R"({"Device": [{"LightInfo": {"SelectItem": 7}, "LightList": null,
                                       "KeyList": [{"Assignment": 5, "DefaultAssignment": 6}]}]})");
    data.loadProfileFile(profile);
    EXPECT_EQ(data.readLightInfo().selectItem, 7);
    EXPECT_EQ(data.readLightInfo().red, 0);
    EXPECT_TRUE(data.deviceEntry()["LightList"].isArray());
    std::vector<KeyAssignmentRecord> keys = data.readKeyList();
    ASSERT_EQ(keys.size(), 4u);
    EXPECT_EQ(keys[0].assignment(), 5u);
    EXPECT_EQ(keys[3].assignment(), 2097212u);
    EXPECT_EQ(loadJsonFile(profile)["Device"][0], data.deviceEntry());
}

TEST_F(BasicProfileData, CompleteProfileIsNotRewrittenAndDefaultsAreOnlyRead) {
    std::string before = test::readText(defaults);
    data.loadProfileFile(defaults);
    EXPECT_EQ(test::readText(defaults), before);

    writeJson(profile, R"({"Device": [{"LightInfo": {}, "LightList": [], "KeyList": [{}, {}, {}, {}]}]})");
    std::string text = test::readText(profile);
    data.loadProfileFile(profile);
    EXPECT_EQ(test::readText(profile), text);
}

TEST_F(BasicProfileData, UnparsableProfileIsMovedAsideBeforeDefaultsReplaceIt) {
    test::writeText(profile, "{\"Device\": [ {\"LightInfo\": ");
    data.loadProfileFile(profile);
    EXPECT_EQ(test::readText(profile + ".bad"), "{\"Device\": [ {\"LightInfo\": ");
    EXPECT_EQ(loadJsonFile(profile)["Device"][0], loadJsonFile(defaults)["Device"][0]);
}

TEST_F(BasicProfileData, NoDefaultsLeavesANullEntryAndWritesNothing) {
    CBasicProfiledata bare;
    bare.setDefaultProfilePath(dir.file("missing.Json"));
    bare.setProfilePath(profile);
    EXPECT_TRUE(bare.loadProfileFile(profile).isNull());
    EXPECT_FALSE(fileExists(profile));
    // Saving nothing would wipe a profile's settings: refused.
    EXPECT_FALSE(bare.save());
    EXPECT_FALSE(fileExists(profile));
    EXPECT_EQ(bare.readLightInfo(), LightSetting{});
    EXPECT_TRUE(bare.readKeyList().empty());
}

TEST_F(BasicProfileData, GroupsRoundTripThroughTheFile) {
    data.loadProfileFile(profile);
    LightSetting light{9, 4, 3, 1, 1, 10, 20, 30, 0, 0, 0, 2, 5, 8};
    AudioLightSetting audio{6, 1, 2, 3, 4, 5, 6, 1, 1};
    std::vector<KeyAssignmentRecord> keys = data.readKeyList();
    keys[1].assigned[0] = 0x70;
    keys[1].assigned[1] = 3;
    keys[1].assigned[2] = 0;
    data.writeLightInfo(light);
    data.writeAudioLightInfo(audio);
    data.writeKeyList(keys);
    ASSERT_TRUE(data.save());

    CBasicProfiledata other;
    other.loadProfileFile(profile);
    EXPECT_EQ(other.readLightInfo(), light);
    EXPECT_EQ(other.readAudioLightInfo(), audio);
    EXPECT_EQ(other.readKeyList(), keys);
    EXPECT_EQ(loadJsonFile(profile)["Device"][0]["KeyList"][1]["Assignment"].asInt(), 0x700300);
}

TEST_F(BasicProfileData, ReadersFallBackWhenGroupsAreMissing) {
    writeJson(profile, R"({"Device": [{"LightInfo": {"Red": 9},
                                       "AudioLightInfo": {"AudioMode": 2, "7ColorFlags": 5}}]})");
    data.setDefaultProfilePath(dir.file("none.Json"));
    data.loadProfileFile(profile);
    EXPECT_EQ(data.readLightInfo().red, 9);
    EXPECT_EQ(data.readAudioLightInfo().sevenColorFlags, 1); // read as a flag
    writeJson(profile, R"({"Device": [{}]})");
    data.loadProfileFile(profile);
    // A missing LightInfo resets to zeros; a missing AudioLightInfo keeps the last one read.
    EXPECT_EQ(data.readLightInfo(), LightSetting{});
    EXPECT_EQ(data.readAudioLightInfo().audioMode, 2);
    EXPECT_TRUE(data.readLightList().empty());
    EXPECT_TRUE(data.readKeyList().empty());
}

TEST_F(BasicProfileData, LightListKeepsNullElementsAsAbsent) {
    writeJson(profile, R"({"Device": [{"LightList": [
        {"LEDREGMode": 2, "LEDBrightness": 3, "LEDSpeed": 1, "LEDDirection": 7, "LEDMultiColor": 0,
         "red": 1, "green": 2, "blue": 300}, null, 5]}]})");
    data.loadProfileFile(profile);
    std::vector<LightSetting> list = data.readLightList();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0], (LightSetting{2, 3, 1, 1, 0, 1, 2, 44, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(list[1].present, 0);
    EXPECT_EQ(list[2].present, 0);
}

TEST_F(BasicProfileData, KeyListNarrowsAndWritesOnlyAssignments) {
    data.setDefaultProfilePath(dir.file("none.Json"));
    writeJson(profile, R"({"Device": [{"KeyList": [
        {"Assignment": 2131899478, "DefaultAssignment": 2097193},
        {"Assignment": 1, "DefaultAssignment": 2},
        {"Assignment": 3, "DefaultAssignment": 4}]}]})");
    data.loadProfileFile(profile);
    std::vector<KeyAssignmentRecord> keys = data.readKeyList();
    ASSERT_EQ(keys.size(), 3u);
    // 0x7F123456: the bits above 24 are dropped.
    EXPECT_EQ(keys[0].assignment(), 0x123456u);
    EXPECT_EQ(keys[2].position, 2);
    EXPECT_EQ(keys[2].defaultPosition, 2);
    KeyAssignmentRecord changed = keys[0];
    changed.assigned[2] = 0x99;
    changed.defaults[2] = 0x77;
    data.writeKeyList({changed});
    const Json::Value& list = data.deviceEntry()["KeyList"];
    EXPECT_EQ(list[0]["Assignment"].asUInt(), 0x123499u);
    EXPECT_EQ(list[0]["DefaultAssignment"].asUInt(), 2097193u);
    EXPECT_EQ(list[1]["Assignment"].asUInt(), 1u);
}

TEST_F(BasicProfileData, HostileTypesNeverThrow) {
    for (const char* text : {R"({"Device": "x"})", R"({"Device": [5]})", R"([1, 2])", R"("just text")",
                             R"({"Device": [{"LightInfo": 5, "KeyList": {"a": 1}, "LightList": "x",
                                             "AudioLightInfo": [], "CustomLightMode": 3}]})",
                             R"({"Device": [{"KeyList": [1, "x", null, {"Assignment": "big"}]}]})"}) {
        test::writeText(profile, text);
        CBasicProfiledata bare;
        bare.setProfilePath(profile);
        EXPECT_NO_THROW({
            bare.loadProfileFile(profile);
            bare.readLightInfo();
            bare.readAudioLightInfo();
            bare.readLightList();
            bare.readKeyList();
            bare.writeLightInfo(LightSetting{});
            bare.writeKeyList(std::vector<KeyAssignmentRecord>(2));
            bare.save();
        }) << text;
    }
}

TEST_F(BasicProfileData, SaveKeepsOtherMembersAndReportsFailure) {
    writeJson(profile, R"({"profilename": "a", "profileUUID": "b", "Extra": [1], "Device": [{}]})");
    data.loadProfileFile(profile);
    data.writeLightInfo(LightSetting{1});
    ASSERT_TRUE(data.save());
    Json::Value written = loadJsonFile(profile);
    EXPECT_EQ(written["profilename"], "a");
    EXPECT_EQ(written["Extra"], json("[1]"));
    EXPECT_EQ(written["Device"][0]["LightInfo"]["SelectItem"], 1);

    EXPECT_FALSE(data.saveDeviceEntry(json("{}"), dir.file("no/folder.Json")));
    CBasicProfiledata fresh;
    EXPECT_FALSE(fresh.saveDeviceEntry(json("{}"), ""));
}

TEST_F(BasicProfileData, ScratchDocumentEditsAnotherProfile) {
    std::string other = dir.file("p2.Json");
    writeJson(other,
              R"({"profilename": "other", "Device": [{"KeyList": [{"Assignment": 1}, {"Assignment": 2}]}]})");
    data.loadProfileFile(profile);
    data.loadScratchFile(other);
    std::vector<KeyAssignmentRecord> keys = data.readScratchKeyList();
    ASSERT_EQ(keys.size(), 4u); // completed from the defaults
    keys[0].assigned[2] = 42;
    data.writeScratchKeyList(keys);
    ASSERT_TRUE(data.saveScratchTo(other));
    EXPECT_EQ(loadJsonFile(other)["Device"][0]["KeyList"][0]["Assignment"], 42);
    EXPECT_EQ(loadJsonFile(other)["profilename"], "other");
    EXPECT_EQ(data.readKeyList()[0].assignment(), 2097193u);
}

TEST_F(BasicProfileData, CustomLightEffectComesFromTheModelsEntryInTheDeviceFolder) {
    std::string config = dir.file("pexal_light.config");
    writeJson(config, R"({"LightInfo": [
        [{"LightName": "kb", "Guid": "kb-effect"}],
        [{"LightName": "m0", "Guid": "mouse-effect"}, {"LightName": "bad", "Guid": "../../x"}]]})");
    writeJson(dir.file("mouse-effect.light"), R"({"LEDEffectList": [
        {"LEDREGMode": 3, "LEDDirection": 2, "LEDBrightness": 4, "LEDSpeed": 1, "LEDMultiColor": 2,
         "red": 1, "green": 2, "blue": 3, "Time": 1000, "Cyle": -1}, {}]})");
    CBasicProfiledata mouse(1);
    mouse.setLightConfigPath(config);
    EXPECT_TRUE(mouse.readCustomLightEffect().empty()); // configuration not loaded yet
    mouse.loadLightConfig(config);
    std::vector<LightEffectStep> steps = mouse.readCustomLightEffect();
    ASSERT_EQ(steps.size(), 2u);
    LightEffectStep expected{3, 4, 1, 2, 2, 1, 2, 3, {}, 1000, -1};
    EXPECT_EQ(steps[0], expected);
    EXPECT_EQ(steps[1], LightEffectStep{});
    // A hostile identifier, a position beyond the list and a missing file give no steps.
    for (uint8_t item : {1, 2}) {
        mouse.writeLightInfo(LightSetting{item});
        EXPECT_TRUE(mouse.readCustomLightEffect().empty()) << int(item);
    }
    CBasicProfiledata keyboard(0);
    keyboard.setLightConfigPath(config);
    keyboard.loadLightConfig(config);
    EXPECT_TRUE(keyboard.readCustomLightEffect().empty()); // kb-effect.light does not exist
}

} // namespace
} // namespace v38
