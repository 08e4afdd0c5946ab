// Feeds arbitrary bytes to the profile loaders as a profile file, a light configuration and an
// effect file, then runs every group reader and writer and saves.
#include "fuzz_scratch_folder.h"

#include "core/profiles/hs6533_profile_data.h"
#include "core/profiles/keyboard_profile_data.h"
#include "core/profiles/mouse_profile_data.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using v38::fuzz::ScratchFolder;
using v38::fuzz::writeText;

ScratchFolder* current = nullptr;

const std::string& scratchFolder() {
    return current->path;
}

void common(v38::CBasicProfiledata& data, const std::string& path) {
    data.setProfilePath(path);
    data.setDefaultProfilePath(scratchFolder() + "default.Json");
    data.setLightConfigPath(scratchFolder() + "pexal_light.config");
    data.loadProfileFile(path);
    data.loadScratchFile(path);
    data.loadLightConfig(scratchFolder() + "pexal_light.config");
    v38::LightSetting light = data.readLightInfo();
    data.readAudioLightInfo();
    data.readLightList();
    data.readCustomLightEffect();
    std::vector<v38::KeyAssignmentRecord> keys = data.readKeyList();
    data.readScratchKeyList();
    data.writeLightInfo(light);
    data.writeKeyList(keys);
    data.writeScratchKeyList(keys);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    ScratchFolder scratch;
    current = &scratch;
    std::string text(reinterpret_cast<const char*>(bytes), size);
    const std::string profile = (scratchFolder() + "p.Json");
    for (const char* name : {"p.Json", "default.Json", "pexal_light.config", "e.light"})
        writeText(scratchFolder() + name, text);

    v38::CKeyboardProfiledata keyboard;
    common(keyboard, profile);
    v38::LightSetting light = keyboard.readLightInfo();
    keyboard.writeKeyboardSystemSettings(keyboard.readKeyboardSystemSettings());
    int group = keyboard.readCustomColorGroup();
    keyboard.writeCustomColors(keyboard.readCustomColors(group, 170), group);
    keyboard.readCustomColors(light.customGroup, light.selectItem % 8);
    keyboard.writeCustomColorGroup(group);
    keyboard.save();

    writeText(profile, text);
    v38::CMouseProfiledata mouse;
    common(mouse, profile);
    mouse.writeDpiStages(mouse.readDpiStages());
    mouse.writeActiveDpiStage(mouse.activeDpiStage());
    mouse.writeMouseSystemSettings(mouse.readMouseSystemSettings());
    mouse.readCorrections();
    mouse.saveScratchTo(profile);

    writeText(profile, text);
    v38::CHs6533Profiledata headset;
    common(headset, profile);
    v38::HeadsetSystemSettings settings = headset.readHeadsetSystemSettings();
    headset.writeHeadsetSystemSettings(settings);
    std::vector<int32_t> bands = headset.readEqBands(settings.eqType);
    v38::EqBands values{};
    for (size_t i = 0; i < bands.size() && i < values.size(); ++i)
        values[i] = bands[i];
    headset.writeEqBands(settings.eqType, values);
    headset.writeCustomEqNames(headset.readCustomEqNames());
    headset.readCustomEqBands(settings.customEqSelectIndex);
    headset.writeCustomEqBands(settings.customEqSelectIndex, values);
    headset.save();
    return 0;
}
