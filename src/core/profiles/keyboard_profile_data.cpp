#include "core/profiles/keyboard_profile_data.h"

#include "core/profiles/json_fields.h"

namespace v38 {

using namespace profile_json;

namespace {

Json::Value colorValue(const CustomColor& c) {
    Json::Value v(Json::objectValue);
    v["Red"] = c.red;
    v["Green"] = c.green;
    v["Blue"] = c.blue;
    v["Alpha"] = c.alpha;
    return v;
}

} // namespace

KeyboardSystemSettings CKeyboardProfiledata::readKeyboardSystemSettings() {
    const Json::Value& g = group("SystemStages");
    KeyboardSystemSettings s;
    if (g.isObject()) {
        s.repeat = u16(g, "Repeat");
        s.repeatDelay = u16(g, "RepeatDelay");
        s.key6Flag = u16(g, "Key6Flag");
        s.pollingRate = u16(g, "PollingRate");
        s.wFlag = u16(g, "WFlag");
        s.winFlag = u16(g, "WinFlag");
    }
    system_ = s;
    return system_;
}

void CKeyboardProfiledata::writeKeyboardSystemSettings(const KeyboardSystemSettings& s) {
    system_ = s;
    Json::Value& g = groupForWriting("SystemStages");
    if (!g.isObject())
        g = Json::Value(Json::objectValue);
    g["Repeat"] = s.repeat;
    g["RepeatDelay"] = s.repeatDelay;
    g["Key6Flag"] = s.key6Flag;
    g["PollingRate"] = s.pollingRate;
    g["WFlag"] = s.wFlag;
    g["WinFlag"] = s.winFlag;
}

std::vector<CustomColor> CKeyboardProfiledata::readCustomColors(int groupIndex, int count) {
    customColors_.clear();
    if (groupIndex < 0 || groupIndex >= kMaxCustomColorGroups || count < 0 || count > kMaxCustomColors)
        return customColors_;
    Json::Value& groups = jsonObjectMember(groupForWriting("CustomLightMode"), "LightColorInfo");
    Json::Value& colors = jsonArrayElement(groups, static_cast<size_t>(groupIndex));
    if (!colors.isArray())
        colors = Json::Value(Json::arrayValue);
    customColors_.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        Json::Value& item = colors[static_cast<Json::ArrayIndex>(i)];
        CustomColor c;
        if (item.isObject()) {
            c.red = u8(item, "Red");
            c.green = u8(item, "Green");
            c.blue = u8(item, "Blue");
            c.alpha = u8(item, "Alpha");
        } else {
            item = colorValue(c);
        }
        customColors_.push_back(c);
    }
    return customColors_;
}

void CKeyboardProfiledata::writeCustomColors(const std::vector<CustomColor>& colors, int groupIndex) {
    if (groupIndex < 0 || groupIndex >= kMaxCustomColorGroups)
        return;
    customColors_ = colors;
    if (customColors_.size() > static_cast<size_t>(kMaxCustomColors))
        customColors_.resize(static_cast<size_t>(kMaxCustomColors));
    Json::Value& groups = jsonObjectMember(groupForWriting("CustomLightMode"), "LightColorInfo");
    Json::Value& list = jsonMakeArray(jsonArrayElement(groups, static_cast<size_t>(groupIndex)));
    for (size_t i = 0; i < customColors_.size(); ++i)
        list[static_cast<Json::ArrayIndex>(i)] = colorValue(customColors_[i]);
}

int CKeyboardProfiledata::readCustomColorGroup() {
    int64_t index = jsonInt(jsonMember(group("CustomLightMode"), "CustomLightModeGroupIndex"));
    customColorGroup_ = index >= 0 && index < kMaxCustomColorGroups ? static_cast<int>(index) : 0;
    return customColorGroup_;
}

void CKeyboardProfiledata::writeCustomColorGroup(int index) {
    customColorGroup_ = index;
    jsonObjectMember(groupForWriting("CustomLightMode"), "CustomLightModeGroupIndex") = index;
}

} // namespace v38
