// What a user waits for when a keyboard profile is loaded or saved: a full profile with 170 keys and
// four custom colour groups, from and to a file on disk.
#include "core/profiles/default_profiles.h"
#include "core/profiles/json_file.h"
#include "core/profiles/keyboard_profile_data.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <stdlib.h>

namespace {

struct ProfileFolder {
    ProfileFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "v38-bench-XXXXXX").string();
        folder = ::mkdtemp(pattern.data()) ? pattern + "/" : "./";
        defaults = folder + "keyboard.Json";
        profile = folder + "profile.Json";
        Json::Value document = v38::makeDefaultProfile("keyboard");
        v38::writeJsonFile(defaults, document);
        document["profilename"] = "profile1";
        document["profileUUID"] = "profile";
        v38::writeJsonFile(profile, document);
    }
    ~ProfileFolder() {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    std::string folder, defaults, profile;
};

void loadAll(v38::CKeyboardProfiledata& data, const std::string& path) {
    data.loadProfileFile(path);
    data.readLightInfo();
    data.readAudioLightInfo();
    data.readLightList();
    data.readKeyList();
    data.readKeyboardSystemSettings();
    int group = data.readCustomColorGroup();
    data.readCustomColors(group, 170);
}

void BM_LoadKeyboardProfile(benchmark::State& state) {
    ProfileFolder files;
    v38::CKeyboardProfiledata data;
    data.setDefaultProfilePath(files.defaults);
    for (auto _ : state) {
        loadAll(data, files.profile);
        benchmark::DoNotOptimize(data.keyList().data());
    }
}
BENCHMARK(BM_LoadKeyboardProfile)->Unit(benchmark::kMillisecond);

void BM_SaveKeyboardProfile(benchmark::State& state) {
    ProfileFolder files;
    v38::CKeyboardProfiledata data;
    data.setDefaultProfilePath(files.defaults);
    data.setProfilePath(files.profile);
    loadAll(data, files.profile);
    std::vector<v38::KeyAssignmentRecord> keys = data.keyList();
    std::vector<v38::CustomColor> colors = data.customColors();
    for (auto _ : state) {
        keys[5].assigned[2] ^= 1;
        colors[7].red ^= 1;
        data.writeKeyList(keys);
        data.writeCustomColors(colors, 0);
        if (!data.save())
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveKeyboardProfile)->Unit(benchmark::kMillisecond);

// The share of parsing and formatting in the two above, without the file system.
void BM_ParseKeyboardProfileText(benchmark::State& state) {
    std::string text = v38::styledJsonText(v38::makeDefaultProfile("keyboard"));
    for (auto _ : state) {
        Json::Value value;
        v38::parseJsonText(text, value);
        benchmark::DoNotOptimize(value);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseKeyboardProfileText)->Unit(benchmark::kMillisecond);

void BM_FormatKeyboardProfileText(benchmark::State& state) {
    Json::Value value = v38::makeDefaultProfile("keyboard");
    for (auto _ : state)
        benchmark::DoNotOptimize(v38::styledJsonText(value));
}
BENCHMARK(BM_FormatKeyboardProfileText)->Unit(benchmark::kMillisecond);

} // namespace
