#include "core/profiles/mouse_profile_data.h"

#include "core/profiles/json_fields.h"

#include <algorithm>

namespace v38 {

using namespace profile_json;

std::vector<DpiStage> CMouseProfiledata::readDpiStages() {
    const Json::Value& g = group("DPIStages");
    if (!g.isObject())
        return dpiStages_;
    // The active stage indexes the stage list: keep it inside the stages a mouse can have.
    int64_t active = jsonInt(jsonMember(g, "StageActive"));
    activeDpiStage_ =
        active >= 0 && static_cast<size_t>(active) < kMaxDpiStages ? static_cast<int>(active) : 0;
    const Json::Value& list = jsonMember(g, "StageDPIs");
    size_t count = std::min(jsonArraySize(list), kMaxDpiStages);
    for (size_t i = 0; i < count; ++i) {
        const Json::Value& item = jsonElement(list, i);
        DpiStage s;
        s.active = u8(item, "StageActive");
        s.xy = u8(item, "StageXY");
        s.dpiX = u16(item, "StageDPIX");
        s.dpiY = u16(item, "StageDPIY");
        s.red = u8(item, "StageColorR");
        s.green = u8(item, "StageColorG");
        s.blue = u8(item, "StageColorB");
        if (i < dpiStages_.size())
            dpiStages_[i] = s;
        else
            dpiStages_.push_back(s);
    }
    return dpiStages_;
}

void CMouseProfiledata::writeDpiStages(const std::vector<DpiStage>& stages) {
    dpiStages_ = stages;
    if (dpiStages_.size() > kMaxDpiStages)
        dpiStages_.resize(kMaxDpiStages);
    Json::Value& list = jsonMakeArray(jsonObjectMember(groupForWriting("DPIStages"), "StageDPIs"));
    for (size_t i = 0; i < dpiStages_.size(); ++i) {
        Json::Value& item = list[static_cast<Json::ArrayIndex>(i)];
        if (!item.isObject())
            item = Json::Value(Json::objectValue);
        const DpiStage& s = dpiStages_[i];
        item["StageActive"] = s.active;
        item["StageXY"] = s.xy;
        item["StageDPIX"] = s.dpiX;
        item["StageDPIY"] = s.dpiY;
        item["StageColorR"] = s.red;
        item["StageColorG"] = s.green;
        item["StageColorB"] = s.blue;
    }
}

void CMouseProfiledata::writeActiveDpiStage(int index) {
    activeDpiStage_ = index;
    jsonObjectMember(groupForWriting("DPIStages"), "StageActive") = index;
}

MouseSystemSettings CMouseProfiledata::readMouseSystemSettings() {
    const Json::Value& g = group("SystemStages");
    MouseSystemSettings s;
    if (g.isObject()) {
        s.doubleClickTime = u16(g, "DoubleClickTime");
        s.mouseSpeed = u16(g, "MouseSpeed");
        s.pointerPrecision = u16(g, "PointerPrecision");
        s.scrollPage = u16(g, "ScorllPage");
        s.wheelScrollLines = u16(g, "WheelScorlllinse");
    }
    s.reportStage = u16(group("ReportStages"), "StageActive");
    system_ = s;
    return system_;
}

void CMouseProfiledata::writeMouseSystemSettings(const MouseSystemSettings& s) {
    system_ = s;
    Json::Value& g = groupForWriting("SystemStages");
    if (!g.isObject())
        g = Json::Value(Json::objectValue);
    g["DoubleClickTime"] = s.doubleClickTime;
    g["MouseSpeed"] = s.mouseSpeed;
    g["PointerPrecision"] = s.pointerPrecision;
    g["ScorllPage"] = s.scrollPage;
    g["WheelScorlllinse"] = s.wheelScrollLines;
    jsonObjectMember(groupForWriting("ReportStages"), "StageActive") = s.reportStage;
}

std::vector<CorrectionEntry> CMouseProfiledata::readCorrections() {
    corrections_.clear();
    const Json::Value& list = group("CorrectInfo");
    size_t count = std::min(jsonArraySize(list), kMaxCorrections);
    for (size_t i = 0; i < count; ++i) {
        const Json::Value& item = jsonElement(list, i);
        CorrectionEntry e;
        e.pixThresh = u8(item, "CorrectPixThresh");
        e.minSq = u8(item, "CorrectMinSq");
        e.select = u8(item, "CorrectSelect");
        e.name = jsonText(jsonMember(item, "CorrectName"));
        corrections_.push_back(std::move(e));
    }
    return corrections_;
}

} // namespace v38
