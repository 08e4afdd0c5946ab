// A scratch folder per fuzz input, shared by the targets that write files.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace v38::fuzz {

// In memory where possible (every save flushes to disk). libFuzzer ends without running static
// destructors, so each input makes its own folder and removes it when done.
struct ScratchFolder {
    ScratchFolder() {
        std::error_code ec;
        std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                         ? "/dev/shm"
                                         : std::filesystem::temp_directory_path();
        std::string pattern = (base / "v38-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            path = pattern + "/";
    }
    ~ScratchFolder() {
        std::error_code ec;
        if (path != "./")
            std::filesystem::remove_all(path, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string path = "./";
};

inline void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

} // namespace v38::fuzz
