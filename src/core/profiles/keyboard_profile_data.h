// CKeyboardProfiledata: the keyboard's profile groups on top of the common ones: system settings
// and the custom per-key colour groups.
#pragma once

#include "core/profiles/basic_profile_data.h"

namespace v38 {

class CKeyboardProfiledata : public CBasicProfiledata {
public:
    CKeyboardProfiledata() : CBasicProfiledata(0) {}

    KeyboardSystemSettings readKeyboardSystemSettings();
    void writeKeyboardSystemSettings(const KeyboardSystemSettings& settings);

    // Colours 0 to count - 1 of custom group `group`. A missing group or colour is written into the
    // device entry as 0, 0, 0, 0 and read as zeros. A group or count out of range reads as an empty
    // list and changes nothing.
    std::vector<CustomColor> readCustomColors(int group, int count);
    void writeCustomColors(const std::vector<CustomColor>& colors, int group);
    // The selected custom group; 0 when missing or out of range.
    int readCustomColorGroup();
    void writeCustomColorGroup(int index);

    const KeyboardSystemSettings& keyboardSystemSettings() const { return system_; }
    const std::vector<CustomColor>& customColors() const { return customColors_; }
    int customColorGroup() const { return customColorGroup_; }

private:
    KeyboardSystemSettings system_;
    std::vector<CustomColor> customColors_;
    int customColorGroup_ = 0;
};

} // namespace v38
