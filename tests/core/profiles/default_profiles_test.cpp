#include "core/profiles/default_profiles.h"

#include "core/platform/temp_folder.h"
#include "core/profiles/default_key_tables.h"
#include "core/profiles/hs6533_profile_data.h"
#include "core/profiles/json_file.h"
#include "core/profiles/keyboard_profile_data.h"
#include "core/profiles/mouse_profile_data.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace v38 {
namespace {

std::string shipped(std::string_view kind) {
    return std::string(V38_SOURCE_DIR) + "/DefaultData/" + defaultProfileFileName(kind);
}

TEST(DefaultProfiles, ShippedFilesAreWhatTheCodeGenerates) {
    // When this fails after a change of the tables or the factory values, regenerate the files with
    // "v38-default-data DefaultData" from the source folder.
    for (std::string_view kind : kDefaultProfileKinds) {
        Json::Value generated = makeDefaultProfile(kind);
        ASSERT_TRUE(generated.isObject()) << kind;
        EXPECT_EQ(test::readText(shipped(kind)), styledJsonText(generated)) << kind;
    }
    EXPECT_TRUE(makeDefaultProfile("toaster").isNull());
}

TEST(DefaultProfiles, KeyTablesHoldTheDocumentedRows) {
    struct Row {
        size_t position;
        KeyFunction function;
    } rows[] = {
        {0, {0x20, 0, 0x29}},   {12, {0x20, 0, 0x45}},  {16, {0xA0, 0x1B, 0}},  {17, {0xA0, 0x24, 0}},
        {31, {0x20, 0, 0x27}},  {34, {0x20, 0, 0x2A}},  {62, {0x20, 0, 0x32}},  {83, {0x20, 0, 0x88}},
        {84, {0x20, 0x02, 0}},  {95, {0x20, 0x20, 0}},  {103, {0x20, 0, 0x85}}, {105, {0x20, 0x01, 0}},
        {110, {0xA0, 0x01, 0}}, {119, {0x20, 0, 0x57}}, {120, {0xD0, 0xA2, 1}}, {124, {0xD0, 0xA2, 5}},
        {125, {0x20, 0x80, 0}}, {169, {0x20, 0, 0}},
    };
    for (const Row& r : rows)
        EXPECT_EQ(kKeyPositionTable[r.position], r.function) << r.position;
    EXPECT_EQ(std::count(kKeyPositionTable.begin(), kKeyPositionTable.end(), KeyFunction{0x20, 0, 0}), 48);
    // Apart from the empty positions every key function is unique, or key slots would be ambiguous.
    for (size_t a = 0; a < kKeyPositionCount; ++a) {
        if (kKeyPositionTable[a] == KeyFunction{0x20, 0, 0})
            continue;
        for (size_t b = a + 1; b < kKeyPositionCount; ++b)
            EXPECT_FALSE(kKeyPositionTable[a] == kKeyPositionTable[b]) << a << " " << b;
    }
    EXPECT_EQ(kKeyPositionTable[0].packed(), 0x200029u);
    EXPECT_EQ(kMouseButtonTable[0], (KeyFunction{0x10, 1, 0}));
    EXPECT_EQ(kMouseButtonTable[10], (KeyFunction{0x14, 120, 2}));
}

TEST(DefaultProfiles, KeyListsMatchTheKeyTables) {
    CKeyboardProfiledata keyboard;
    keyboard.loadProfileFile(shipped("keyboard"));
    std::vector<KeyAssignmentRecord> keys = keyboard.readKeyList();
    ASSERT_EQ(keys.size(), kKeyPositionCount);
    for (size_t p = 0; p < kKeyPositionCount; ++p) {
        EXPECT_EQ(keys[p].defaultAssignment(), kKeyPositionTable[p].packed()) << p;
        EXPECT_EQ(keys[p].assignment(), kKeyPositionTable[p].packed()) << p;
    }
    CMouseProfiledata mouse;
    mouse.loadProfileFile(shipped("mouse"));
    std::vector<KeyAssignmentRecord> buttons = mouse.readKeyList();
    ASSERT_EQ(buttons.size(), kMouseButtonCount);
    for (size_t p = 0; p < kMouseButtonCount; ++p)
        EXPECT_EQ(buttons[p].defaultAssignment(), kMouseButtonTable[p].packed()) << p;
}

TEST(DefaultProfiles, EveryKindCarriesTheGroupsItUses) {
    const std::vector<std::string> common{"LightInfo", "LightList"};
    struct Kind {
        std::string_view name;
        std::vector<std::string> groups;
    } kinds[] = {
        {"keyboard", {"AudioLightInfo", "KeyList", "SystemStages", "CustomLightMode"}},
        {"mouse", {"KeyList", "DPIStages", "SystemStages", "ReportStages", "CorrectInfo"}},
        {"MousePad", {}},
        {"HD", {"SystemSetStages", "EQHzValueInfo", "CustomEQNameInfo", "CustomEQHzValueInfo"}},
    };
    for (const Kind& k : kinds) {
        Json::Value entry = makeDefaultProfile(k.name)["Device"][0];
        std::vector<std::string> expected = common;
        expected.insert(expected.end(), k.groups.begin(), k.groups.end());
        std::vector<std::string> members = entry.getMemberNames();
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(members, expected) << k.name;
    }

    CKeyboardProfiledata keyboard;
    keyboard.loadProfileFile(shipped("keyboard"));
    EXPECT_EQ(keyboard.readCustomColors(kDefaultCustomColorGroups - 1, kKeyPositionCount).size(),
              kKeyPositionCount);
    EXPECT_EQ(keyboard.readLightInfo().light, 4);
    CMouseProfiledata mouse;
    mouse.loadProfileFile(shipped("mouse"));
    EXPECT_EQ(mouse.readDpiStages().size(), 5u);
    CHs6533Profiledata headset;
    headset.loadProfileFile(shipped("HD"));
    for (int type = 1; type <= kEqPresetCount; ++type)
        EXPECT_EQ(headset.readEqBands(type),
                  std::vector<int32_t>(kEqPresets[type - 1].begin(), kEqPresets[type - 1].end()))
            << type;
}

TEST(DefaultProfiles, GeneratorWritesAllFour) {
    test::TempFolder dir;
    ASSERT_TRUE(writeDefaultProfiles(dir.path()));
    for (std::string_view kind : kDefaultProfileKinds)
        EXPECT_EQ(test::readText(dir.file(defaultProfileFileName(kind))), test::readText(shipped(kind)));
    EXPECT_FALSE(writeDefaultProfiles(dir.file("missing")));
}

} // namespace
} // namespace v38
