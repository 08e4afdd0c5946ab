#include "core/profiles/default_profiles.h"

#include "core/profiles/default_key_tables.h"
#include "core/profiles/json_file.h"

namespace v38 {

const std::array<EqBands, kEqPresetCount> kEqPresets = {{
    {7, 11, 2, -3, -1, 4, 9, 12, 9, 5},
    {7, 11, 6, -3, -11, -1, 6, 13, 6, 13},
    {10, 4, 0, -3, -4, -3, -2, -1, 0, 0},
    {2, 1, -2, -3, -5, -7, 0, 4, 9, 8},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {7, 14, -13, -6, -1, 8, 13, 7, 2, 6},
    {14, 10, 4, 0, -4, -3, -1, 1, 2, 3},
    {2, 1, -2, -3, -5, -1, 7, 11, 15, 13},
    {8, 2, -4, -8, 1, 3, 8, 11, 14, 16},
    {-3, 4, 10, 0, -11, 3, 9, 13, 6, 0},
    {18, 14, 8, 2, -3, -6, -1, 2, 5, 6},
    {2, 1, -2, -4, -8, 4, 12, 16, 18, 15},
}};

namespace {

struct Rgb {
    int red, green, blue;
};

// The program's accent colour.
constexpr Rgb kAccent{25, 195, 255};

Json::Value lightInfo() {
    Json::Value v(Json::objectValue);
    v["SelectItem"] = 0;
    v["Light"] = 4;
    v["Speed"] = 2;
    v["Fx"] = 0;
    v["MultiColor"] = 1;
    v["Red"] = kAccent.red;
    v["Green"] = kAccent.green;
    v["Blue"] = kAccent.blue;
    v["ZZCCLedMode"] = 0;
    v["CustomGroup"] = 0;
    v["OldLedmode"] = 0;
    return v;
}

Json::Value audioLightInfo() {
    Json::Value v(Json::objectValue);
    v["AudioMode"] = 0;
    v["BkColorR"] = 0;
    v["BkColorG"] = 0;
    v["BkColorB"] = 0;
    v["FgColorR"] = kAccent.red;
    v["FgColorG"] = kAccent.green;
    v["FgColorB"] = kAccent.blue;
    v["7ColorFlags"] = 1;
    v["ColorTypeFlags"] = 1;
    return v;
}

template <size_t N>
Json::Value keyList(const std::array<KeyFunction, N>& table) {
    Json::Value list(Json::arrayValue);
    for (const KeyFunction& f : table) {
        Json::Value key(Json::objectValue);
        key["Assignment"] = f.packed();
        key["DefaultAssignment"] = f.packed();
        list.append(key);
    }
    return list;
}

// A colour wheel position 0-191 as red, green, blue.
Rgb wheel(int position) {
    int segment = position / 64;
    int step = (position % 64) * 4;
    switch (segment) {
    case 0:
        return {255 - step, step, 0};
    case 1:
        return {0, 255 - step, step};
    default:
        return {step, 0, 255 - step};
    }
}

// Group 0 in the accent colour, group 1 a rainbow across the positions, group 2 warm white, group 3
// red with the arrow and WASD positions in white.
Rgb customColor(int group, size_t position) {
    switch (group) {
    case 0:
        return kAccent;
    case 1:
        return wheel(static_cast<int>(position * 192 / kKeyPositionCount));
    case 2:
        return {255, 214, 170};
    default:
        switch (position) {
        case 44:
        case 64:
        case 65:
        case 66:
        case 96:
        case 113:
        case 114:
        case 115:
            return {255, 255, 255};
        default:
            return {255, 0, 0};
        }
    }
}

Json::Value customLightMode() {
    Json::Value groups(Json::arrayValue);
    for (int g = 0; g < kDefaultCustomColorGroups; ++g) {
        Json::Value colors(Json::arrayValue);
        for (size_t p = 0; p < kKeyPositionCount; ++p) {
            Rgb c = customColor(g, p);
            Json::Value color(Json::objectValue);
            color["Red"] = c.red;
            color["Green"] = c.green;
            color["Blue"] = c.blue;
            color["Alpha"] = 255;
            colors.append(color);
        }
        groups.append(colors);
    }
    Json::Value v(Json::objectValue);
    v["LightColorInfo"] = groups;
    v["CustomLightModeGroupIndex"] = 0;
    return v;
}

Json::Value keyboardEntry() {
    Json::Value e(Json::objectValue);
    e["LightInfo"] = lightInfo();
    e["AudioLightInfo"] = audioLightInfo();
    e["LightList"] = Json::Value(Json::arrayValue);
    e["KeyList"] = keyList(kKeyPositionTable);
    Json::Value system(Json::objectValue);
    system["Repeat"] = 20;
    system["RepeatDelay"] = 1; // 500 ms
    system["Key6Flag"] = 0;
    system["PollingRate"] = 0;
    system["WFlag"] = 0;
    system["WinFlag"] = 0;
    e["SystemStages"] = system;
    e["CustomLightMode"] = customLightMode();
    return e;
}

Json::Value mouseEntry() {
    Json::Value e(Json::objectValue);
    e["LightInfo"] = lightInfo();
    e["LightList"] = Json::Value(Json::arrayValue);
    e["KeyList"] = keyList(kMouseButtonTable);
    // Slider steps of 400, 800, 1600, 3200 and 6400 DPI on a scale of 100 DPI per step from 100.
    struct Stage {
        int step;
        Rgb color;
    };
    const Stage stages[] = {
        {3, {255, 0, 0}}, {7, {0, 255, 0}}, {15, {0, 0, 255}}, {31, {255, 255, 0}}, {63, {255, 0, 255}}};
    Json::Value list(Json::arrayValue);
    for (const Stage& s : stages) {
        Json::Value stage(Json::objectValue);
        stage["StageActive"] = 1;
        stage["StageXY"] = 0;
        stage["StageDPIX"] = s.step;
        stage["StageDPIY"] = s.step;
        stage["StageColorR"] = s.color.red;
        stage["StageColorG"] = s.color.green;
        stage["StageColorB"] = s.color.blue;
        list.append(stage);
    }
    Json::Value dpi(Json::objectValue);
    dpi["StageActive"] = 1;
    dpi["StageDPIs"] = list;
    e["DPIStages"] = dpi;
    Json::Value system(Json::objectValue);
    system["DoubleClickTime"] = 500;
    system["MouseSpeed"] = 10;
    system["PointerPrecision"] = 1;
    system["ScorllPage"] = 0;
    system["WheelScorlllinse"] = 3;
    e["SystemStages"] = system;
    Json::Value report(Json::objectValue);
    report["StageActive"] = 0;
    e["ReportStages"] = report;
    e["CorrectInfo"] = Json::Value(Json::arrayValue);
    return e;
}

Json::Value mousePadEntry() {
    Json::Value e(Json::objectValue);
    e["LightInfo"] = lightInfo();
    e["LightList"] = Json::Value(Json::arrayValue);
    return e;
}

Json::Value bands(const EqBands& values) {
    Json::Value list(Json::arrayValue);
    for (int32_t v : values) {
        Json::Value band(Json::objectValue);
        band["value"] = v;
        list.append(band);
    }
    return list;
}

Json::Value headsetEntry() {
    Json::Value e(Json::objectValue);
    e["LightInfo"] = lightInfo();
    e["LightList"] = Json::Value(Json::arrayValue);
    Json::Value system(Json::objectValue);
    system["MagicEnable"] = 0;
    system["MagicType"] = 1;
    system["EqType"] = 0;
    system["CustomEqSeletIndex"] = 0;
    system["MicInSelect"] = 1;
    system["MicInValue"] = 80;
    system["MicMoniterSelect"] = 0;
    system["MicMoniterValue"] = 50;
    e["SystemSetStages"] = system;
    // Element 0 is never read (type 0 uses preset 1); it holds a flat curve so every element is a curve.
    Json::Value presets(Json::arrayValue);
    presets.append(bands(EqBands{}));
    for (const EqBands& preset : kEqPresets)
        presets.append(bands(preset));
    e["EQHzValueInfo"] = presets;
    e["CustomEQNameInfo"] = Json::Value(Json::arrayValue);
    e["CustomEQHzValueInfo"] = Json::Value(Json::arrayValue);
    return e;
}

} // namespace

std::string defaultProfileFileName(std::string_view kindName) {
    return std::string(kindName) + ".Json";
}

Json::Value makeDefaultProfile(std::string_view kindName) {
    Json::Value entry;
    if (kindName == "keyboard")
        entry = keyboardEntry();
    else if (kindName == "mouse")
        entry = mouseEntry();
    else if (kindName == "MousePad")
        entry = mousePadEntry();
    else if (kindName == "HD")
        entry = headsetEntry();
    else
        return Json::Value();
    Json::Value document(Json::objectValue);
    document["Device"].append(entry);
    return document;
}

bool writeDefaultProfiles(const std::string& folder) {
    std::string base = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    bool ok = true;
    for (std::string_view kind : kDefaultProfileKinds)
        ok = writeJsonFile(base + defaultProfileFileName(kind), makeDefaultProfile(kind)) && ok;
    return ok;
}

} // namespace v38
