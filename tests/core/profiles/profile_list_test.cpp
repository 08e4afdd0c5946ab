#include "core/profiles/profile_list.h"

#include "core/platform/file_io.h"
#include "core/platform/temp_folder.h"
#include "core/profiles/keyboard_profile_data.h"
#include "core/profiles/profile_kinds.h"
#include "core/profiles/profile_test_util.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace v38 {
namespace {

using test::json;

class ProfileListTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = dir.file("keyboard/");
        std::filesystem::create_directories(folder);
        defaults = dir.file("keyboard.Json");
        test::writeJson(defaults, R"({"Device": [{"LightInfo": {"SelectItem": 1},
                                                  "KeyList": [{"Assignment": 1, "DefaultAssignment": 1}]}]})");
        list.setDeviceKind(kProfileKindKeyboard);
        list.setFolders(folder, defaults);
    }

    // A list file naming the given profiles, each with its own profile file.
    void seed(const std::vector<std::string>& names, int select = 0) {
        Json::Value doc;
        for (size_t i = 0; i < names.size(); ++i) {
            std::string uuid = "2024_01_01_00_00_00_" + std::to_string(100 + i);
            Json::Value entry;
            entry["profilename"] = names[i];
            entry["profileUUID"] = uuid;
            doc["profilelist"].append(entry);
            Json::Value profile;
            profile["profilename"] = names[i];
            profile["profileUUID"] = uuid;
            profile["Device"][0]["LightInfo"]["SelectItem"] = static_cast<int>(i);
            ASSERT_TRUE(writeJsonFile(folder + uuid + ".Json", profile));
        }
        doc["profileselect"] = select;
        ASSERT_TRUE(writeJsonFile(list.listFilePath(), doc));
    }

    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const ProfileListEntry& e : list.readList().entries)
            out.push_back(e.name);
        return out;
    }

    Json::Value profileDoc(int index) const { return loadJsonFile(list.profileFilePath(index)); }

    test::TempFolder dir;
    std::string folder;
    std::string defaults;
    ProfileList list;
};

TEST_F(ProfileListTest, FirstStartMakesProfile1FromTheDefaults) {
    ASSERT_EQ(list.loadProfileList(), kProfileDone);
    ProfileListSnapshot snap = list.readList();
    ASSERT_EQ(snap.entries.size(), 1u);
    EXPECT_EQ(snap.entries[0].name, "profile1");
    EXPECT_EQ(snap.storedSelection, 0);
    EXPECT_EQ(list.currentProfileId(), snap.entries[0].uuid);
    Json::Value file = loadJsonFile(list.listFilePath());
    EXPECT_EQ(file["profilelist"][0]["profileislink"], 0);
    EXPECT_EQ(file["profilelist"][0]["profilelinkmame"], "");
    Json::Value profile = profileDoc(0);
    EXPECT_EQ(profile["profilename"], "profile1");
    EXPECT_EQ(profile["profileUUID"], snap.entries[0].uuid);
    EXPECT_EQ(profile["Device"], loadJsonFile(defaults)["Device"]);
    EXPECT_EQ(list.currentProfilePath(), list.profileFilePath(0));
}

TEST_F(ProfileListTest, AddTakesTheLowestFreeNameAndStoresItAsSelection) {
    seed({"PROFILE1", "profile3"});
    list.loadProfileList();
    std::string current = list.currentProfileId();
    ASSERT_EQ(list.addProfile(), kProfileDone);
    EXPECT_EQ(names(), (std::vector<std::string>{"PROFILE1", "profile3", "profile2"}));
    EXPECT_EQ(list.readList().storedSelection, 2);
    EXPECT_EQ(list.currentProfileId(), current);
    EXPECT_EQ(profileDoc(2)["Device"], loadJsonFile(defaults)["Device"]);
    EXPECT_EQ(profileDoc(2)["profilename"], "profile2");
    ASSERT_EQ(list.addProfile(), kProfileDone);
    EXPECT_EQ(names().back(), "profile4");
}

TEST_F(ProfileListTest, AddStopsAtFiftyWhileCopyAndImportGoOn) {
    std::vector<std::string> fifty;
    for (int i = 1; i <= ProfileList::kAddLimit; ++i)
        fifty.push_back("p" + std::to_string(i));
    seed(fifty);
    list.loadProfileList();
    EXPECT_EQ(list.addProfile(), kProfileRefused);
    EXPECT_EQ(list.profileCount(), 50);
    EXPECT_EQ(list.copyProfile(), kProfileDone);
    std::string exported = dir.file("game.json");
    ASSERT_EQ(list.exportProfile(exported), kProfileDone);
    EXPECT_EQ(list.importProfile(exported), kProfileDone);
    EXPECT_EQ(list.profileCount(), 52);
}

TEST_F(ProfileListTest, CopyNamesRepeatCopyAndCarryTheSettings) {
    seed({"A", "A copy"});
    list.loadProfileList();
    ASSERT_EQ(list.copyProfile(), kProfileDone);
    ASSERT_EQ(list.copyProfile(), kProfileDone);
    EXPECT_EQ(names(), (std::vector<std::string>{"A", "A copy", "A copy copy", "A copy copy copy"}));
    EXPECT_EQ(list.readList().storedSelection, 0);
    EXPECT_EQ(profileDoc(2)["Device"], profileDoc(0)["Device"]);
    EXPECT_EQ(profileDoc(2)["profilename"], "A copy copy");
    EXPECT_EQ(profileDoc(2)["profileUUID"], list.readList().entries[2].uuid);
}

TEST_F(ProfileListTest, RenameResults) {
    seed({"one", "two"}, 1);
    list.loadProfileList();
    struct Case {
        std::string name;
        int result;
        const char* shown;
    } cases[] = {
        {"ONE", kProfileRefused, "two"},
        {" \t ", kProfileBlankName, "two"},
        {"", kProfileBlankName, "two"},
        {"TWO", kProfileDone, "TWO"},
        {"bad\nname", kProfileInvalidName, "TWO"},
        {std::string(300, 'x'), kProfileInvalidName, "TWO"},
        {"game \xc3\xa9", kProfileDone, "game \xc3\xa9"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(list.renameProfile(c.name), c.result) << c.name;
        EXPECT_EQ(names()[1], c.shown) << c.name;
    }
    EXPECT_EQ(profileDoc(1)["profilename"], "game \xc3\xa9");
    EXPECT_EQ(profileDoc(1)["Device"][0]["LightInfo"]["SelectItem"], 1);
}

TEST_F(ProfileListTest, DeleteSelectsTheProfileBeforeAndRemovesTheFile) {
    seed({"a", "b", "c"}, 0);
    list.loadProfileList();
    std::string gone = list.currentProfilePath();
    ASSERT_EQ(list.deleteProfile(), kProfileDone);
    EXPECT_EQ(names(), (std::vector<std::string>{"b", "c"}));
    EXPECT_FALSE(fileExists(gone));
    EXPECT_EQ(list.readList().storedSelection, 0);
    EXPECT_EQ(list.selectedIndex(), 0);
    EXPECT_EQ(list.currentProfilePath(), list.profileFilePath(0));
    ASSERT_EQ(list.selectProfile(1), kProfileDone);
    ASSERT_EQ(list.deleteProfile(), kProfileDone);
    EXPECT_EQ(names(), std::vector<std::string>{"b"});
    EXPECT_EQ(list.deleteProfile(), kProfileRefused);
    EXPECT_EQ(list.profileCount(), 1);
}

TEST_F(ProfileListTest, DeletedProfileIsNotRecreatedByTheNextSave) {
    seed({"a", "b"}, 1);
    list.loadProfileList();
    CKeyboardProfiledata profile;
    profile.setDefaultProfilePath(defaults);
    profile.setProfilePath(list.currentProfilePath());
    profile.loadProfileFile(list.currentProfilePath());
    std::string gone = list.currentProfilePath();
    ASSERT_EQ(list.deleteProfile(), kProfileDone);
    // The device follows the store's new current profile before it saves again.
    profile.setProfilePath(list.currentProfilePath());
    profile.loadProfileFile(list.currentProfilePath());
    ASSERT_TRUE(profile.save());
    EXPECT_FALSE(fileExists(gone));
}

TEST_F(ProfileListTest, ImportNamesAccumulateSuffixes) {
    seed({"x"});
    list.loadProfileList();
    std::string source = dir.file("game.json");
    test::writeJson(source, R"({"profilename": "whatever", "profileUUID": "../../evil",
                                "Device": [{"LightInfo": {"SelectItem": 9}}]})");
    test::writeText(folder + ".Json", "{}");
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(list.importProfile(source), kProfileDone);
    EXPECT_EQ(names(), (std::vector<std::string>{"x", "game", "game(1)", "game(1)(2)"}));
    EXPECT_FALSE(fileExists(folder + ".Json"));
    Json::Value imported = profileDoc(1);
    EXPECT_EQ(imported["profilename"], "game");
    EXPECT_EQ(imported["profileUUID"], list.readList().entries[1].uuid);
    EXPECT_EQ(imported["Device"][0]["LightInfo"]["SelectItem"], 9);
    EXPECT_EQ(list.readList().storedSelection, 0);
}

TEST_F(ProfileListTest, ImportRefusesWhatIsNotAProfile) {
    seed({"x"});
    list.loadProfileList();
    const char* bad[] = {"{ broken", "[1]", R"({"profilename": "a"})", R"({"profileUUID": "a"})", ""};
    for (const char* text : bad) {
        test::writeText(dir.file("in.json"), text);
        EXPECT_EQ(list.importProfile(dir.file("in.json")), kProfileBadFile) << text;
    }
    EXPECT_EQ(list.importProfile(dir.file("missing.json")), kProfileBadFile);
    EXPECT_EQ(list.profileCount(), 1);
}

TEST_F(ProfileListTest, ProfileFromAnotherKindImportsAsReadAndLoadsWithKeyboardDefaults) {
    seed({"x"});
    list.loadProfileList();
    std::string source = dir.file("mouse game.json");
    test::writeJson(source, R"({"profilename": "m", "profileUUID": "u", "Device": [{
        "DPIStages": {"StageActive": 1, "StageDPIs": []}, "KeyList": []}]})");
    ASSERT_EQ(list.importProfile(source), kProfileDone);
    EXPECT_EQ(profileDoc(1)["Device"], loadJsonFile(source)["Device"]);
    CKeyboardProfiledata keyboard;
    keyboard.setDefaultProfilePath(defaults);
    keyboard.loadProfileFile(list.profileFilePath(1));
    EXPECT_EQ(keyboard.readLightInfo().selectItem, 1);
    EXPECT_EQ(keyboard.readKeyList().size(), 1u);
}

TEST_F(ProfileListTest, ExportWritesTheDocumentToAnyPath) {
    seed({"a", "b"}, 1);
    list.loadProfileList();
    std::string target = dir.file("exported_without_extension");
    ASSERT_EQ(list.exportProfile(target), kProfileDone);
    EXPECT_EQ(loadJsonFile(target), profileDoc(1));
    EXPECT_EQ(list.exportProfile(dir.file("no/folder/x.json")), kProfileWriteFailed);
    std::filesystem::remove(list.profileFilePath(1));
    EXPECT_EQ(list.exportProfile(target), kProfileBadFile);
}

TEST_F(ProfileListTest, ResetTakesTheDefaultsAndKeepsNames) {
    seed({"a", "b"}, 1);
    list.loadProfileList();
    ASSERT_EQ(list.resetProfile(), kProfileDone);
    Json::Value doc = profileDoc(1);
    EXPECT_EQ(doc["Device"], loadJsonFile(defaults)["Device"]);
    EXPECT_EQ(doc["profilename"], "b");
    EXPECT_EQ(doc["profileUUID"], list.currentProfileId());
    list.setFolders(folder, dir.file("missing.Json"));
    EXPECT_EQ(list.resetProfile(), kProfileBadFile);
    EXPECT_EQ(profileDoc(1), doc);
}

TEST_F(ProfileListTest, HeadsetResetKeepsCustomEqualiserCurves) {
    list.setDeviceKind(kProfileKindHeadset);
    test::writeJson(defaults, R"({"Device": [{"SystemSetStages": {"EqType": 0}, "CustomEQNameInfo": []}]})");
    seed({"h"});
    list.loadProfileList();
    Json::Value doc = profileDoc(0);
    doc["Device"][0]["CustomEQNameInfo"] = json(R"([{"Name": "bass"}])");
    doc["Device"][0]["CustomEQHzValueInfo"][0] = json(R"([{"value": 3}])");
    doc["Device"][0]["SystemSetStages"]["EqType"] = 13;
    ASSERT_TRUE(writeJsonFile(list.profileFilePath(0), doc));
    ASSERT_EQ(list.resetProfile(), kProfileDone);
    Json::Value reset = profileDoc(0)["Device"][0];
    EXPECT_EQ(reset["SystemSetStages"]["EqType"], 0);
    EXPECT_EQ(reset["CustomEQNameInfo"], doc["Device"][0]["CustomEQNameInfo"]);
    EXPECT_EQ(reset["CustomEQHzValueInfo"], doc["Device"][0]["CustomEQHzValueInfo"]);
}

TEST_F(ProfileListTest, TruncatedListIsSetAsideAndRebuiltFromTheProfileFiles) {
    seed({"work", "game", "WORK"});
    std::string text = test::readText(list.listFilePath());
    test::writeText(list.listFilePath(), text.substr(0, text.size() / 2));
    test::writeText(folder + "notes.json", R"({"something": "else"})");
    test::writeText(folder + "broken.Json", "{");
    ASSERT_EQ(list.loadProfileList(), kProfileDone);
    EXPECT_EQ(test::readText(list.listFilePath() + ".bad"), text.substr(0, text.size() / 2));
    EXPECT_EQ(names(), (std::vector<std::string>{"work", "game", "WORK(1)"}));
    EXPECT_EQ(list.readList().entries[1].uuid, "2024_01_01_00_00_00_101");
    EXPECT_EQ(profileDoc(1)["Device"][0]["LightInfo"]["SelectItem"], 1);
    // A list that went missing later is rebuilt by the next operation, not reset to one profile.
    std::filesystem::remove(list.listFilePath());
    ASSERT_EQ(list.addProfile(), kProfileDone);
    EXPECT_EQ(list.profileCount(), 4);
}

TEST_F(ProfileListTest, HostileEntriesAndSelectionAreRefused) {
    std::filesystem::create_directories(dir.file("victim"));
    test::writeText(dir.file("x.Json"), "keep me");
    test::writeJson(list.listFilePath(), R"({"profileselect": 1000000000, "profilelist": [
        {"profilename": "evil", "profileUUID": "../x"},
        {"profilename": "evil2", "profileUUID": "../../x"},
        {"profilename": "nul", "profileUUID": 5},
        {"profilename": "ok", "profileUUID": "2024_01_01_00_00_00_001"},
        {"profilename": "dup", "profileUUID": "2024_01_01_00_00_00_001"},
        {"profilename": "line\nbreak", "profileUUID": "2024_01_01_00_00_00_002"}]})");
    ASSERT_EQ(list.loadProfileList(), kProfileDone);
    EXPECT_EQ(names(), (std::vector<std::string>{"ok", "line break"}));
    EXPECT_EQ(list.selectedIndex(), 0);
    EXPECT_EQ(list.selectProfile(1000000000), kProfileBadIndex);
    EXPECT_EQ(list.selectProfile(-1), kProfileBadIndex);
    ASSERT_EQ(list.selectProfile(1), kProfileDone);
    ASSERT_EQ(list.deleteProfile(), kProfileDone);
    EXPECT_EQ(test::readText(dir.file("x.Json")), "keep me");
    EXPECT_EQ(loadJsonFile(list.listFilePath())["profilelist"].size(), 1u);

    // A list with nothing usable left is kept aside and rebuilt from the profile files (here there
    // are none, so a first profile is made).
    std::string hostile = R"({"profilelist": [{"profilename": "evil", "profileUUID": "../../x"}]})";
    test::writeText(list.listFilePath(), hostile);
    ASSERT_EQ(list.loadProfileList(), kProfileDone);
    EXPECT_EQ(test::readText(list.listFilePath() + ".bad"), hostile);
    EXPECT_EQ(names(), std::vector<std::string>{"profile1"});
}

TEST_F(ProfileListTest, IdentifiersMadeInTheSameMillisecondNeverCollide) {
    auto now = std::chrono::system_clock::now();
    list.setClock([now] { return now; });
    list.loadProfileList();
    ASSERT_EQ(list.addProfile(), kProfileDone);
    ASSERT_EQ(list.copyProfile(), kProfileDone);
    ProfileListSnapshot snap = list.readList();
    ASSERT_EQ(snap.entries.size(), 3u);
    EXPECT_NE(snap.entries[0].uuid, snap.entries[1].uuid);
    EXPECT_NE(snap.entries[1].uuid, snap.entries[2].uuid);
    EXPECT_NE(snap.entries[0].uuid, snap.entries[2].uuid);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(profileDoc(i)["profileUUID"], snap.entries[static_cast<size_t>(i)].uuid);
}

TEST_F(ProfileListTest, ChangesByAnotherWriterAreKept) {
    // The window and the command-line tool share the folder: each appends to what is on disk now.
    seed({"a"});
    ProfileList other;
    other.setFolders(folder, defaults);
    list.loadProfileList();
    other.loadProfileList();
    ASSERT_EQ(other.addProfile(), kProfileDone);
    ASSERT_EQ(list.copyProfile(), kProfileDone);
    EXPECT_EQ(names(), (std::vector<std::string>{"a", "profile1", "a copy"}));
    ASSERT_EQ(other.selectProfile(2), kProfileDone);
    ASSERT_EQ(other.deleteProfile(), kProfileDone);
    // Our current profile "a" is still there and stays selected in our eyes.
    EXPECT_EQ(list.selectedIndex(), 0);
    ASSERT_EQ(other.selectProfile(0), kProfileDone);
    ASSERT_EQ(other.deleteProfile(), kProfileDone);
    EXPECT_EQ(list.selectedIndex(), -1);
    EXPECT_EQ(list.renameProfile("z"), kProfileNoSelection);
}

TEST_F(ProfileListTest, WrittenListHasTheStoredForm) {
    seed({"a"});
    list.loadProfileList();
    ASSERT_EQ(list.selectProfile(0), kProfileDone);
    const std::string expected = "{\r\n"
                                 "   \"profilelist\" : [\r\n"
                                 "      {\r\n"
                                 "         \"profileUUID\" : \"2024_01_01_00_00_00_100\",\r\n"
                                 "         \"profileislink\" : 0,\r\n"
                                 "         \"profilelinkmame\" : \"\",\r\n"
                                 "         \"profilename\" : \"a\"\r\n"
                                 "      }\r\n"
                                 "   ],\r\n"
                                 "   \"profileselect\" : 0\r\n"
                                 "}\r\n";
    EXPECT_EQ(test::readText(list.listFilePath()), expected);
}

TEST(ProfileListWithoutFolder, RefusesEverything) {
    ProfileList list;
    EXPECT_EQ(list.loadProfileList(), kProfileWriteFailed);
    EXPECT_EQ(list.addProfile(), kProfileWriteFailed);
    EXPECT_EQ(list.profileCount(), 0);
    EXPECT_EQ(list.currentProfilePath(), "");
    EXPECT_FALSE(fileExists(ProfileList::kListFileName));
}

TEST(ProfileKinds, NamesAndTabTable) {
    EXPECT_EQ(kindNameForCode(1), "keyboard");
    EXPECT_EQ(kindNameForCode(9), "keyboard");
    EXPECT_EQ(kindNameForCode(6), "mouse");
    EXPECT_EQ(kindNameForCode(3), "MousePad");
    EXPECT_EQ(kindNameForCode(7), "HD");
    EXPECT_EQ(kindNameForCode(4), "");
    EXPECT_EQ(kindCodeForName("mousepad"), 3);
    EXPECT_EQ(kindCodeForName("hd"), 7);
    EXPECT_EQ(kindCodeForName("toaster"), 0);
    using enum TabVisibility;
    using Row = std::array<TabVisibility, 8>;
    EXPECT_EQ(featureTabVisibility(1), (Row{Hide, Keep, Keep, Keep, Keep, Keep, Keep, Keep}));
    EXPECT_EQ(featureTabVisibility(2), Row{});
    EXPECT_EQ(featureTabVisibility(4), (Row{Hide, Hide, Keep, Hide, Keep, Keep, Keep, Keep}));
    EXPECT_EQ(featureTabVisibility(7), (Row{Hide, Hide, Hide, Hide, Keep, Show, Show, Show}));
    EXPECT_EQ(featureTabVisibility(99), Row{});
    // Only the headset shows tabs; the voice tabs are never hidden.
    for (int kind = 1; kind <= 7; ++kind)
        for (size_t t = 5; t < 8; ++t)
            EXPECT_NE(featureTabVisibility(kind)[t], Hide);
    EXPECT_EQ(kFeatureTabs[5], "6533_voice_Op_tab");
}

} // namespace
} // namespace v38
