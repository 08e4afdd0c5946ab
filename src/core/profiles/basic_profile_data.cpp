#include "core/profiles/basic_profile_data.h"

#include "core/platform/data_folders.h"
#include "core/platform/file_io.h"
#include "core/profiles/json_fields.h"
#include "core/profiles/json_file.h"

#include <algorithm>
#include <sys/stat.h>

namespace v38 {

namespace profile_json {

uint8_t u8(const Json::Value& object, const char* key) {
    return static_cast<uint8_t>(jsonInt(jsonMember(object, key)));
}
uint16_t u16(const Json::Value& object, const char* key) {
    return static_cast<uint16_t>(jsonInt(jsonMember(object, key)));
}
int32_t i32(const Json::Value& object, const char* key) {
    return static_cast<int32_t>(jsonInt(jsonMember(object, key)));
}
uint8_t flag(const Json::Value& object, const char* key) {
    return jsonFlag(jsonMember(object, key)) ? 1 : 0;
}

EqBands readBands(Json::Value& bands) {
    EqBands values{};
    jsonMakeArray(bands);
    for (size_t b = 0; b < kEqBandCount; ++b) {
        Json::Value& band = bands[static_cast<Json::ArrayIndex>(b)];
        if (band.isObject() && band.isMember("value")) {
            values[b] = i32(band, "value");
        } else {
            band = Json::Value(Json::objectValue);
            band["value"] = 0;
        }
    }
    return values;
}

void writeBands(Json::Value& bands, const EqBands& values) {
    jsonMakeArray(bands);
    for (size_t b = 0; b < kEqBandCount; ++b)
        jsonObjectMember(bands[static_cast<Json::ArrayIndex>(b)], "value") = values[b];
}

} // namespace profile_json

using namespace profile_json;

namespace {

// Fills what the profile lacks from the default profile: the whole entry, groups that are absent or
// null, and key list entries beyond the profile's (a key list taken from another model).
bool completeFromDefaults(Json::Value& entry, const Json::Value& defaults) {
    if (!defaults.isObject())
        return false;
    if (!entry.isObject()) {
        entry = defaults;
        return true;
    }
    bool changed = false;
    for (const std::string& name : defaults.getMemberNames()) {
        const Json::Value& have = jsonMember(entry, name.c_str());
        if (have.isNull()) {
            entry[name] = defaults[name];
            changed = true;
        }
    }
    const Json::Value& defaultKeys = jsonMember(defaults, "KeyList");
    if (!defaultKeys.isArray() || !jsonMember(entry, "KeyList").isArray())
        return changed;
    Json::Value& keys = entry["KeyList"];
    if (keys.size() < defaultKeys.size()) {
        for (Json::ArrayIndex i = keys.size(); i < defaultKeys.size() && i < kMaxKeyListEntries; ++i)
            keys[i] = defaultKeys[i];
        changed = true;
    }
    return changed;
}

std::vector<KeyAssignmentRecord> readKeys(const Json::Value& entry) {
    std::vector<KeyAssignmentRecord> keys;
    const Json::Value& list = jsonMember(entry, "KeyList");
    size_t count = std::min(jsonArraySize(list), kMaxKeyListEntries);
    keys.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const Json::Value& item = jsonElement(list, i);
        auto a = static_cast<uint32_t>(jsonInt(jsonMember(item, "Assignment")));
        auto d = static_cast<uint32_t>(jsonInt(jsonMember(item, "DefaultAssignment")));
        KeyAssignmentRecord r;
        r.position = static_cast<uint16_t>(i);
        r.assigned[0] = static_cast<uint8_t>(a >> 16);
        r.assigned[1] = static_cast<uint8_t>(a >> 8);
        r.assigned[2] = static_cast<uint8_t>(a);
        r.defaultPosition = static_cast<uint16_t>(i);
        r.defaults[0] = static_cast<uint8_t>(d >> 16);
        r.defaults[1] = static_cast<uint8_t>(d >> 8);
        r.defaults[2] = static_cast<uint8_t>(d);
        keys.push_back(r);
    }
    return keys;
}

void writeKeys(Json::Value& entry, const std::vector<KeyAssignmentRecord>& keys) {
    Json::Value& list = jsonMakeArray(jsonObjectMember(entry, "KeyList"));
    size_t count = std::min(keys.size(), kMaxKeyListEntries);
    for (size_t i = 0; i < count; ++i)
        jsonObjectMember(list[static_cast<Json::ArrayIndex>(i)], "Assignment") = keys[i].assignment();
}

} // namespace

CBasicProfiledata::CBasicProfiledata(int modelIndex) : modelIndex_(modelIndex) {}

CBasicProfiledata::~CBasicProfiledata() = default;

bool CBasicProfiledata::save() {
    // Writing a null entry would wipe the profile's settings.
    if (deviceEntry_.isNull())
        return false;
    return saveDeviceEntry(Json::Value(deviceEntry_), profilePath_);
}

bool CBasicProfiledata::saveDeviceEntry(const Json::Value& value, const std::string& path) {
    if (path.empty())
        return false;
    Json::Value document = loadJsonDocumentForRewrite(path);
    if (!document.isObject())
        document = Json::Value(Json::objectValue);
    jsonArrayElement(jsonObjectMember(document, "Device"), static_cast<size_t>(deviceIndex_)) = value;
    return writeDocument(document, path);
}

bool CBasicProfiledata::saveScratchTo(const std::string& path) {
    if (scratch_.isNull())
        return false;
    return saveDeviceEntry(Json::Value(scratch_), path);
}

bool CBasicProfiledata::writeDocument(const Json::Value& document, const std::string& path) {
    return !path.empty() && writeJsonFile(path, document);
}

void CBasicProfiledata::setProfilePath(const std::string& path) {
    if (!path.empty())
        profilePath_ = path;
}

void CBasicProfiledata::setDefaultProfilePath(const std::string& path) {
    if (!path.empty())
        defaultProfilePath_ = path;
}

void CBasicProfiledata::setLightConfigPath(const std::string& path) {
    lightConfigPath_ = path;
}

void CBasicProfiledata::setDeviceIndex(int index) {
    if (index >= 0 && static_cast<size_t>(index) <= kMaxDeviceIndex)
        deviceIndex_ = index;
}

void CBasicProfiledata::setModelIndex(int index) {
    modelIndex_ = index;
}

Json::Value CBasicProfiledata::loadEntry(const std::string& path) {
    Json::Value document;
    JsonFileStatus status = loadJsonFile(path, document);
    // Taken out of the document rather than copied; it goes back in only if the file is rewritten.
    Json::Value entry;
    if (jsonElement(jsonMember(document, "Device"), static_cast<size_t>(deviceIndex_)).isObject())
        entry.swap(document["Device"][static_cast<Json::ArrayIndex>(deviceIndex_)]);
    else
        entry = jsonElement(jsonMember(document, "Device"), static_cast<size_t>(deviceIndex_));
    // The default profile itself is only ever read.
    if (path.empty() || path == defaultProfilePath_)
        return entry;
    Json::Value defaults = jsonElement(jsonMember(loadJsonFile(defaultProfilePath_), "Device"),
                                       static_cast<size_t>(deviceIndex_));
    if (!completeFromDefaults(entry, defaults))
        return entry;
    if (status == JsonFileStatus::Unparsable || status == JsonFileStatus::TooLarge ||
        (status == JsonFileStatus::Parsed && !document.isObject())) {
        setFileAside(path);
        document = Json::Value();
    }
    if (!document.isObject())
        document = Json::Value(Json::objectValue);
    jsonArrayElement(jsonObjectMember(document, "Device"), static_cast<size_t>(deviceIndex_)) = entry;
    writeDocument(document, path);
    return entry;
}

const Json::Value& CBasicProfiledata::defaultEntry() {
    // Path, device index, size and modification time: a changed or re-installed default is read again.
    struct stat st {};
    std::string stamp = defaultProfilePath_ + '\n' + std::to_string(deviceIndex_);
    if (::stat(defaultProfilePath_.c_str(), &st) == 0)
        stamp += '\n' + std::to_string(st.st_size) + '\n' + std::to_string(st.st_mtim.tv_sec) + '.' +
                 std::to_string(st.st_mtim.tv_nsec);
    if (stamp != defaultEntryStamp_) {
        defaultEntry_ = jsonElement(jsonMember(loadJsonFile(defaultProfilePath_), "Device"),
                                    static_cast<size_t>(deviceIndex_));
        defaultEntryStamp_ = stamp;
    }
    return defaultEntry_;
}

Json::Value CBasicProfiledata::loadProfileFile(const std::string& path) {
    deviceEntry_ = loadEntry(path);
    return deviceEntry_;
}

Json::Value CBasicProfiledata::loadScratchFile(const std::string& path) {
    scratch_ = loadEntry(path);
    return scratch_;
}

Json::Value CBasicProfiledata::loadLightConfig(const std::string& path) {
    lightConfig_ = loadJsonFile(path);
    return lightConfig_;
}

const Json::Value& CBasicProfiledata::group(const char* key) const {
    return jsonMember(deviceEntry_, key);
}

Json::Value& CBasicProfiledata::groupForWriting(const char* key) {
    return jsonObjectMember(deviceEntry_, key);
}

LightSetting CBasicProfiledata::readLightInfo() {
    const Json::Value& g = group("LightInfo");
    if (!g.isObject()) {
        light_ = lightFallback_;
        return light_;
    }
    LightSetting s;
    s.selectItem = u8(g, "SelectItem");
    s.light = u8(g, "Light");
    s.speed = u8(g, "Speed");
    s.fx = u8(g, "Fx");
    s.multiColor = flag(g, "MultiColor");
    s.red = u8(g, "Red");
    s.green = u8(g, "Green");
    s.blue = u8(g, "Blue");
    s.zzccLedMode = u8(g, "ZZCCLedMode");
    s.customGroup = u8(g, "CustomGroup");
    s.oldLedMode = u8(g, "OldLedmode");
    light_ = s;
    return light_;
}

void CBasicProfiledata::writeLightInfo(const LightSetting& s) {
    light_ = s;
    Json::Value& g = groupForWriting("LightInfo");
    if (!g.isObject())
        g = Json::Value(Json::objectValue);
    g["SelectItem"] = s.selectItem;
    g["Light"] = s.light;
    g["Speed"] = s.speed;
    g["Fx"] = s.fx;
    g["MultiColor"] = s.multiColor;
    g["Red"] = s.red;
    g["Green"] = s.green;
    g["Blue"] = s.blue;
    g["ZZCCLedMode"] = s.zzccLedMode;
    g["CustomGroup"] = s.customGroup;
    g["OldLedmode"] = s.oldLedMode;
}

AudioLightSetting CBasicProfiledata::readAudioLightInfo() {
    const Json::Value& g = group("AudioLightInfo");
    if (!g.isObject())
        return audioLight_;
    AudioLightSetting s;
    s.audioMode = u8(g, "AudioMode");
    s.bkRed = u8(g, "BkColorR");
    s.bkGreen = u8(g, "BkColorG");
    s.bkBlue = u8(g, "BkColorB");
    s.fgRed = u8(g, "FgColorR");
    s.fgGreen = u8(g, "FgColorG");
    s.fgBlue = u8(g, "FgColorB");
    s.sevenColorFlags = flag(g, "7ColorFlags");
    s.colorTypeFlags = flag(g, "ColorTypeFlags");
    audioLight_ = s;
    return audioLight_;
}

void CBasicProfiledata::writeAudioLightInfo(const AudioLightSetting& s) {
    audioLight_ = s;
    Json::Value& g = groupForWriting("AudioLightInfo");
    if (!g.isObject())
        g = Json::Value(Json::objectValue);
    g["AudioMode"] = s.audioMode;
    g["BkColorR"] = s.bkRed;
    g["BkColorG"] = s.bkGreen;
    g["BkColorB"] = s.bkBlue;
    g["FgColorR"] = s.fgRed;
    g["FgColorG"] = s.fgGreen;
    g["FgColorB"] = s.fgBlue;
    g["7ColorFlags"] = s.sevenColorFlags;
    g["ColorTypeFlags"] = s.colorTypeFlags;
}

std::vector<LightSetting> CBasicProfiledata::readLightList() {
    lightList_.clear();
    const Json::Value& list = group("LightList");
    size_t count = std::min(jsonArraySize(list), kMaxLightListEntries);
    lightList_.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const Json::Value& item = jsonElement(list, i);
        LightSetting s;
        if (item.isObject()) {
            s.selectItem = u8(item, "LEDREGMode");
            s.light = u8(item, "LEDBrightness");
            s.speed = u8(item, "LEDSpeed");
            s.fx = flag(item, "LEDDirection");
            s.multiColor = flag(item, "LEDMultiColor");
            s.red = u8(item, "red");
            s.green = u8(item, "green");
            s.blue = u8(item, "blue");
            s.present = 1;
        }
        lightList_.push_back(s);
    }
    return lightList_;
}

std::vector<LightEffectStep> CBasicProfiledata::readCustomLightEffect() {
    effectSteps_.clear();
    if (lightConfig_.isNull() || modelIndex_ < 0)
        return effectSteps_;
    const Json::Value& effects =
        jsonElement(jsonMember(lightConfig_, "LightInfo"), static_cast<size_t>(modelIndex_));
    std::string guid = jsonText(jsonMember(jsonElement(effects, light_.selectItem), "Guid"));
    // The identifier becomes a file name: nothing from the file may lead outside the device folder.
    if (!isSafePathComponent(guid))
        return effectSteps_;
    Json::Value effect = loadJsonFile(folderOf(lightConfigPath_) + guid + ".light");
    const Json::Value& list = jsonMember(effect, "LEDEffectList");
    size_t count = std::min(jsonArraySize(list), kMaxEffectSteps);
    effectSteps_.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const Json::Value& item = jsonElement(list, i);
        LightEffectStep s;
        s.mode = u8(item, "LEDREGMode");
        s.brightness = u8(item, "LEDBrightness");
        s.speed = u8(item, "LEDSpeed");
        s.direction = u8(item, "LEDDirection");
        s.multiColor = u8(item, "LEDMultiColor");
        s.red = u8(item, "red");
        s.green = u8(item, "green");
        s.blue = u8(item, "blue");
        s.time = i32(item, "Time");
        s.cycle = i32(item, "Cyle");
        effectSteps_.push_back(s);
    }
    return effectSteps_;
}

std::vector<KeyAssignmentRecord> CBasicProfiledata::readKeyList() {
    keyList_ = readKeys(deviceEntry_);
    return keyList_;
}

void CBasicProfiledata::writeKeyList(const std::vector<KeyAssignmentRecord>& keys) {
    keyList_ = keys;
    writeKeys(deviceEntry_, keys);
}

std::vector<KeyAssignmentRecord> CBasicProfiledata::readScratchKeyList() {
    scratchKeyList_ = readKeys(scratch_);
    return scratchKeyList_;
}

void CBasicProfiledata::writeScratchKeyList(const std::vector<KeyAssignmentRecord>& keys) {
    scratchKeyList_ = keys;
    writeKeys(scratch_, keys);
}

} // namespace v38
