#include "core/profiles/hs6533_profile_data.h"

#include "core/platform/text_utils.h"
#include "core/profiles/json_fields.h"

#include <algorithm>

namespace v38 {

using namespace profile_json;

namespace {

// Element of "EQHzValueInfo" for an equaliser type, or -1 for the custom type.
int presetElement(int eqType) {
    if (eqType == kCustomEqType)
        return -1;
    return eqType >= 1 && eqType <= kEqPresetCount ? eqType : 1;
}

bool customIndexInRange(int index) {
    return index >= 0 && index < kMaxCustomEqCurves;
}

std::vector<int32_t> toVector(const EqBands& bands) {
    return {bands.begin(), bands.end()};
}

} // namespace

HeadsetSystemSettings CHs6533Profiledata::readHeadsetSystemSettings() {
    const Json::Value& g = group("SystemSetStages");
    HeadsetSystemSettings s;
    if (g.isObject()) {
        s.magicEnable = i32(g, "MagicEnable");
        s.magicType = i32(g, "MagicType");
        s.eqType = i32(g, "EqType");
        s.customEqSelectIndex = i32(g, "CustomEqSeletIndex");
        s.micInSelect = i32(g, "MicInSelect");
        s.micInValue = i32(g, "MicInValue");
        s.micMonitorSelect = i32(g, "MicMoniterSelect");
        s.micMonitorValue = i32(g, "MicMoniterValue");
    }
    if (s.eqType < 0 || s.eqType > kCustomEqType)
        s.eqType = 0;
    if (!customIndexInRange(s.customEqSelectIndex))
        s.customEqSelectIndex = 0;
    system_ = s;
    return system_;
}

void CHs6533Profiledata::writeHeadsetSystemSettings(const HeadsetSystemSettings& s) {
    system_ = s;
    Json::Value& g = groupForWriting("SystemSetStages");
    if (!g.isObject())
        g = Json::Value(Json::objectValue);
    g["MagicEnable"] = s.magicEnable;
    g["MagicType"] = s.magicType;
    g["EqType"] = s.eqType;
    g["CustomEqSeletIndex"] = s.customEqSelectIndex;
    g["MicInSelect"] = s.micInSelect;
    g["MicInValue"] = s.micInValue;
    g["MicMoniterSelect"] = s.micMonitorSelect;
    g["MicMoniterValue"] = s.micMonitorValue;
}

std::vector<int32_t> CHs6533Profiledata::readEqBands(int eqType) {
    int element = presetElement(eqType);
    if (element < 0)
        return {};
    Json::Value& presets = groupForWriting("EQHzValueInfo");
    return toVector(readBands(jsonArrayElement(presets, static_cast<size_t>(element))));
}

void CHs6533Profiledata::writeEqBands(int eqType, const EqBands& values) {
    int element = presetElement(eqType);
    if (element < 0)
        return;
    writeBands(jsonArrayElement(groupForWriting("EQHzValueInfo"), static_cast<size_t>(element)), values);
}

std::vector<std::string> CHs6533Profiledata::readCustomEqNames() {
    std::vector<std::string> names;
    const Json::Value& list = group("CustomEQNameInfo");
    size_t count = std::min(jsonArraySize(list), static_cast<size_t>(kMaxCustomEqCurves));
    for (size_t i = 0; i < count; ++i)
        names.push_back(jsonText(jsonMember(jsonElement(list, i), "Name")));
    return names;
}

void CHs6533Profiledata::writeCustomEqNames(const std::vector<std::string>& names) {
    Json::Value list(Json::arrayValue);
    for (size_t i = 0; i < names.size() && i < static_cast<size_t>(kMaxCustomEqCurves); ++i) {
        Json::Value item(Json::objectValue);
        item["Name"] = sanitizeUtf8(names[i]);
        list.append(item);
    }
    groupForWriting("CustomEQNameInfo") = list;
}

std::vector<int32_t> CHs6533Profiledata::readCustomEqBands(int customIndex) {
    if (!customIndexInRange(customIndex))
        return {};
    Json::Value& curves = groupForWriting("CustomEQHzValueInfo");
    return toVector(readBands(jsonArrayElement(curves, static_cast<size_t>(customIndex))));
}

void CHs6533Profiledata::writeCustomEqBands(int customIndex, const EqBands& values) {
    if (!customIndexInRange(customIndex))
        return;
    writeBands(jsonArrayElement(groupForWriting("CustomEQHzValueInfo"), static_cast<size_t>(customIndex)),
               values);
}

} // namespace v38
