// CHs6533Profiledata: the headset's profile groups on top of the common ones: audio settings, the
// equaliser presets and the custom equaliser curves with their names.
#pragma once

#include "core/profiles/basic_profile_data.h"

namespace v38 {

class CHs6533Profiledata : public CBasicProfiledata {
public:
    CHs6533Profiledata() : CBasicProfiledata(3) {}

    // "EqType" outside 0-13 and "CustomEqSeletIndex" outside the custom curves read as 0.
    HeadsetSystemSettings readHeadsetSystemSettings();
    void writeHeadsetSystemSettings(const HeadsetSystemSettings& settings);

    // Band values of preset eqType: 0 and types above 13 use preset 1; type 13 (custom) reads as an
    // empty list and writes nothing. Missing bands are written as 0 and read as 0.
    std::vector<int32_t> readEqBands(int eqType);
    void writeEqBands(int eqType, const EqBands& values);
    std::vector<std::string> readCustomEqNames();
    // Replaces the whole name list.
    void writeCustomEqNames(const std::vector<std::string>& names);
    // The same as the presets for custom curve customIndex; an index outside the custom curves
    // reads as an empty list and writes nothing.
    std::vector<int32_t> readCustomEqBands(int customIndex);
    void writeCustomEqBands(int customIndex, const EqBands& values);

    const HeadsetSystemSettings& headsetSystemSettings() const { return system_; }

private:
    HeadsetSystemSettings system_;
};

} // namespace v38
