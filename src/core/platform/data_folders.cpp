#include "core/platform/data_folders.h"

#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace v38 {

namespace {

const char* environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

std::string homeFolder() {
    if (const char* home = environmentValue("HOME"))
        return home;
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* result = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &result) == 0 && result &&
        result->pw_dir)
        return result->pw_dir;
    return {};
}

std::string withSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/')
        folder.push_back('/');
    return folder;
}

void createFolder(const std::string& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
}

} // namespace

std::string userDataHome() {
    if (const char* home = environmentValue("V38_DATA_HOME"))
        return home;
    // XDG asks to ignore relative values.
    if (const char* xdg = environmentValue("XDG_DATA_HOME"); xdg && xdg[0] == '/')
        return std::string(xdg) + "/V38 Device";
    std::string home = homeFolder();
    if (home.empty())
        return {};
    return home + "/.local/share/V38 Device";
}

std::string resourceFolder() {
    if (const char* dir = environmentValue("V38_RESOURCE_DIR"))
        return withSlash(dir);
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return "./";
    std::filesystem::path beside = exe.parent_path();
    if (std::filesystem::is_directory(beside / "DefaultData", ec))
        return withSlash(beside.string());
    std::filesystem::path installed = beside.parent_path() / "share" / "v38-device";
    if (std::filesystem::is_directory(installed, ec))
        return withSlash(installed.string());
    return withSlash(beside.string());
}

std::string defaultDataFolder(const std::string& resourceFolder) {
    return withSlash(resourceFolder) + "DefaultData/";
}

std::string DataFolder(const std::string& dataHome) {
    if (dataHome.empty())
        return {};
    createFolder(dataHome);
    return withSlash(dataHome);
}

std::string deviceDataFolder(const std::string& dataHome, std::string_view kindName) {
    if (!isSafePathComponent(kindName))
        return {};
    std::string base = DataFolder(dataHome);
    if (base.empty())
        return {};
    std::string folder = base + std::string(kindName);
    createFolder(folder);
    return folder + "/";
}

bool isSafePathComponent(std::string_view name) {
    if (name.empty() || name.size() > kMaxPathComponentLength)
        return false;
    if (name.find("..") != std::string_view::npos)
        return false;
    for (char c : name) {
        auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || c == '/' || c == '\\')
            return false;
    }
    return name != ".";
}

std::string folderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace v38
