// CBasicProfiledata: the settings of a device's current profile, held as the JSON device entry and
// read and written group by group through typed records. Also reads the light configuration and
// the custom lighting effect files. A data holder only: no device, no user interface.
#pragma once

#include "core/profiles/profile_records.h"

#include <json/json.h>

#include <string>
#include <vector>

namespace v38 {

class CBasicProfiledata {
public:
    // modelIndex selects the element of the light configuration's "LightInfo" that holds this
    // model's user effects: keyboard 0, mouse 1, mouse pad 2, headset 3.
    explicit CBasicProfiledata(int modelIndex = 0);
    virtual ~CBasicProfiledata();
    CBasicProfiledata(const CBasicProfiledata&) = delete;
    CBasicProfiledata& operator=(const CBasicProfiledata&) = delete;

    // Persisting. Each returns false when nothing was written (write failure, no path, or nothing
    // loaded yet); the file on disk is then unchanged.
    virtual bool save();
    // Loads the file at path, sets "Device"[device index] to value and writes the whole document back;
    // other members survive. A missing file is created with only "Device".
    virtual bool saveDeviceEntry(const Json::Value& value, const std::string& path);
    virtual bool saveScratchTo(const std::string& path);
    virtual bool writeDocument(const Json::Value& document, const std::string& path);

    // An empty path is ignored.
    void setProfilePath(const std::string& path);
    const std::string& profilePath() const { return profilePath_; }
    void setDefaultProfilePath(const std::string& path);
    const std::string& defaultProfilePath() const { return defaultProfilePath_; }
    void setLightConfigPath(const std::string& path);
    const std::string& lightConfigPath() const { return lightConfigPath_; }
    // Indexes above kMaxDeviceIndex are ignored.
    void setDeviceIndex(int index);
    int deviceIndex() const { return deviceIndex_; }
    void setModelIndex(int index);
    int modelIndex() const { return modelIndex_; }

    // Loads the device entry of the profile at path and returns a copy. A profile without the
    // device's element, or lacking groups the default profile has, is completed from the default
    // profile and written back, keeping its other members.
    Json::Value loadProfileFile(const std::string& path);
    // The same into the scratch document, for edits that must not touch the current profile.
    Json::Value loadScratchFile(const std::string& path);
    // Loads the light configuration file (null when missing) and returns a copy.
    Json::Value loadLightConfig(const std::string& path);

    const Json::Value& deviceEntry() const { return deviceEntry_; }
    const Json::Value& scratchDocument() const { return scratch_; }
    const Json::Value& lightConfig() const { return lightConfig_; }

    // Groups: each reader returns the record and keeps it in its member; each writer keeps the record
    // and writes it into the device entry, which only save() persists.
    LightSetting readLightInfo();
    void writeLightInfo(const LightSetting& setting);
    AudioLightSetting readAudioLightInfo();
    void writeAudioLightInfo(const AudioLightSetting& setting);
    std::vector<LightSetting> readLightList();
    // The steps of the user effect that "SelectItem" names in the light configuration.
    std::vector<LightEffectStep> readCustomLightEffect();
    std::vector<KeyAssignmentRecord> readKeyList();
    // Writes "Assignment" of the first list.size() entries; "DefaultAssignment" is never written.
    void writeKeyList(const std::vector<KeyAssignmentRecord>& keys);
    std::vector<KeyAssignmentRecord> readScratchKeyList();
    void writeScratchKeyList(const std::vector<KeyAssignmentRecord>& keys);

    const LightSetting& lightSetting() const { return light_; }
    const AudioLightSetting& audioLightSetting() const { return audioLight_; }
    const std::vector<LightSetting>& lightList() const { return lightList_; }
    const std::vector<LightEffectStep>& effectSteps() const { return effectSteps_; }
    const std::vector<KeyAssignmentRecord>& keyList() const { return keyList_; }
    const std::vector<KeyAssignmentRecord>& scratchKeyList() const { return scratchKeyList_; }

protected:
    // The group key of the device entry, for reading (null when absent) and for writing.
    const Json::Value& group(const char* key) const;
    Json::Value& groupForWriting(const char* key);

    Json::Value deviceEntry_;

private:
    Json::Value loadEntry(const std::string& path);
    // The default profile's device entry; read again only when the file changes.
    const Json::Value& defaultEntry();

    std::string profilePath_;
    std::string defaultProfilePath_;
    LightSetting light_;
    const LightSetting lightFallback_{};
    AudioLightSetting audioLight_;
    std::vector<LightSetting> lightList_;
    Json::Value scratch_;
    std::string lightConfigPath_;
    std::vector<LightEffectStep> effectSteps_;
    Json::Value lightConfig_;
    std::vector<KeyAssignmentRecord> keyList_;
    std::vector<KeyAssignmentRecord> scratchKeyList_;
    int deviceIndex_ = 0;
    int modelIndex_ = 0;
    Json::Value defaultEntry_;
    std::string defaultEntryStamp_;
};

// Helpers shared by the profile data classes.
namespace profile_json {
uint8_t u8(const Json::Value& object, const char* key);
uint16_t u16(const Json::Value& object, const char* key);
int32_t i32(const Json::Value& object, const char* key);
uint8_t flag(const Json::Value& object, const char* key);
// Reads 10 band values from bands; missing ones are written as {"value": 0} and read as 0.
EqBands readBands(Json::Value& bands);
void writeBands(Json::Value& bands, const EqBands& values);
} // namespace profile_json

} // namespace v38
