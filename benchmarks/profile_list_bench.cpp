// The profile list operations as the panel triggers them, on a list of 20 keyboard profiles on disk.
#include "core/profiles/default_profiles.h"
#include "core/profiles/json_file.h"
#include "core/profiles/profile_kinds.h"
#include "core/profiles/profile_list.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <stdlib.h>

namespace {

struct ListFolder {
    explicit ListFolder(int profiles) {
        std::string pattern = (std::filesystem::temp_directory_path() / "v38-bench-XXXXXX").string();
        folder = ::mkdtemp(pattern.data()) ? pattern + "/" : "./";
        defaults = folder + "keyboard.Json";
        v38::writeJsonFile(defaults, v38::makeDefaultProfile("keyboard"));
        std::filesystem::create_directories(folder + "keyboard");
        list.setDeviceKind(v38::kProfileKindKeyboard);
        list.setFolders(folder + "keyboard/", defaults);
        list.loadProfileList();
        for (int i = 1; i < profiles; ++i)
            list.addProfile();
    }
    ~ListFolder() {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    std::string folder, defaults;
    v38::ProfileList list;
};

void BM_LoadProfileList(benchmark::State& state) {
    ListFolder files(20);
    for (auto _ : state)
        benchmark::DoNotOptimize(files.list.loadProfileList());
}
BENCHMARK(BM_LoadProfileList)->Unit(benchmark::kMicrosecond);

void BM_SelectProfile(benchmark::State& state) {
    ListFolder files(20);
    int i = 0;
    for (auto _ : state)
        files.list.selectProfile(i++ % 20);
}
BENCHMARK(BM_SelectProfile)->Unit(benchmark::kMicrosecond);

void BM_RenameProfile(benchmark::State& state) {
    ListFolder files(20);
    int i = 0;
    for (auto _ : state)
        files.list.renameProfile(i++ % 2 ? "game" : "work");
}
BENCHMARK(BM_RenameProfile)->Unit(benchmark::kMicrosecond);

// Each iteration adds a profile from the defaults and deletes it again.
void BM_AddAndDeleteProfile(benchmark::State& state) {
    ListFolder files(20);
    for (auto _ : state) {
        files.list.addProfile();
        files.list.selectProfile(20);
        files.list.deleteProfile();
    }
}
BENCHMARK(BM_AddAndDeleteProfile)->Unit(benchmark::kMicrosecond);

void BM_CopyAndDeleteProfile(benchmark::State& state) {
    ListFolder files(20);
    for (auto _ : state) {
        files.list.selectProfile(0);
        files.list.copyProfile();
        files.list.selectProfile(20);
        files.list.deleteProfile();
    }
}
BENCHMARK(BM_CopyAndDeleteProfile)->Unit(benchmark::kMicrosecond);

void BM_RebuildLostList(benchmark::State& state) {
    ListFolder files(20);
    for (auto _ : state) {
        std::filesystem::remove(files.list.listFilePath());
        files.list.loadProfileList();
    }
}
BENCHMARK(BM_RebuildLostList)->Unit(benchmark::kMicrosecond);

} // namespace
