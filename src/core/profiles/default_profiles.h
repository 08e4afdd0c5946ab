// The factory profiles shipped in DefaultData ("keyboard.Json", "mouse.Json", "MousePad.Json",
// "HD.Json"), built from the key tables in code so the shipped files and the tables cannot drift.
#pragma once

#include "core/profiles/profile_records.h"

#include <json/json.h>

#include <array>
#include <string>
#include <string_view>

namespace v38 {

// The kind names with a default profile, in the order they are generated.
inline constexpr std::array<std::string_view, 4> kDefaultProfileKinds = {"keyboard", "mouse", "MousePad",
                                                                         "HD"};

// Custom colour groups the keyboard's default profile carries, each one colour per key position.
constexpr int kDefaultCustomColorGroups = 4;

// The headset's equaliser presets 1 to 12 (index 0 is preset 1).
extern const std::array<EqBands, kEqPresetCount> kEqPresets;

// kindName + ".Json".
std::string defaultProfileFileName(std::string_view kindName);

// The default profile document of a kind name ({"Device": [entry]}); null for an unknown name.
Json::Value makeDefaultProfile(std::string_view kindName);

// Writes every default profile into folder (which must exist). False when a file could not be written.
bool writeDefaultProfiles(const std::string& folder);

} // namespace v38
