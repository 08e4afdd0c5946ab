// CMouseProfiledata: the mouse's profile groups on top of the common ones: sensitivity stages,
// pointer and report settings, and the correction entries.
#pragma once

#include "core/profiles/basic_profile_data.h"

namespace v38 {

class CMouseProfiledata : public CBasicProfiledata {
public:
    CMouseProfiledata() : CBasicProfiledata(1) {}

    // Takes "StageActive" and merges the stored stages into the member list: stored stages replace
    // the first ones, extra stored stages are appended, later member stages stay.
    std::vector<DpiStage> readDpiStages();
    void writeDpiStages(const std::vector<DpiStage>& stages);
    // The member, without reading the document.
    int activeDpiStage() const { return activeDpiStage_; }
    void writeActiveDpiStage(int index);

    MouseSystemSettings readMouseSystemSettings();
    void writeMouseSystemSettings(const MouseSystemSettings& settings);

    std::vector<CorrectionEntry> readCorrections();

    const std::vector<DpiStage>& dpiStages() const { return dpiStages_; }
    const MouseSystemSettings& mouseSystemSettings() const { return system_; }
    const std::vector<CorrectionEntry>& corrections() const { return corrections_; }

private:
    std::vector<DpiStage> dpiStages_;
    int activeDpiStage_ = 0;
    MouseSystemSettings system_;
    std::vector<CorrectionEntry> corrections_;
};

} // namespace v38
