// Feeds arbitrary bytes to the profile list as "ProfileList.ini" and as one profile file, then runs
// the list operations. Whatever the list says, nothing may be touched outside the device folder.
#include "fuzz_scratch_folder.h"

#include "core/profiles/profile_kinds.h"
#include "core/profiles/profile_list.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using v38::fuzz::ScratchFolder;
using v38::fuzz::writeText;

ScratchFolder* current = nullptr;

const std::string& scratchFolder() {
    return current->path;
}

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    ScratchFolder scratch;
    current = &scratch;
    std::string text(reinterpret_cast<const char*>(bytes), size);
    const std::string folder = scratchFolder() + "HD/";
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    std::filesystem::create_directories(folder);
    writeText(scratchFolder() + "outside.Json", "keep");
    writeText(folder + "ProfileList.ini", text);
    writeText(folder + "2024_01_01_00_00_00_000.Json", text);

    v38::ProfileList list;
    list.setDeviceKind(v38::kProfileKindHeadset);
    list.setFolders(folder, folder + "2024_01_01_00_00_00_000.Json");
    list.loadProfileList();
    int count = list.profileCount();
    list.selectProfile(count > 0 ? static_cast<int>(size % static_cast<size_t>(count)) : 0);
    list.renameProfile(text.substr(0, 40));
    list.copyProfile();
    list.resetProfile();
    list.importProfile(folder + "ProfileList.ini");
    list.exportProfile(scratchFolder() + "export.json");
    list.deleteProfile();
    list.addProfile();
    list.readList();

    if (readText(scratchFolder() + "outside.Json") != "keep")
        std::abort();
    for (const auto& entry : std::filesystem::directory_iterator(scratchFolder()))
        if (entry.path().filename() != "HD" && entry.path().filename() != "outside.Json" &&
            entry.path().filename() != "export.json")
            std::abort();
    return 0;
}
