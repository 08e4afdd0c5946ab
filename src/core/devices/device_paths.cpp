#include "core/devices/device_paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace v38 {

namespace {

constexpr size_t kMaxNameLength = 128;

bool absolute(const char* value) {
    return value && value[0] == '/';
}

std::string withSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

} // namespace

std::string dataHomeFrom(const char* v38DataHome, const char* xdgDataHome, const char* home) {
    if (absolute(v38DataHome))
        return v38DataHome;
    if (absolute(xdgDataHome))
        return withSlash(xdgDataHome) + "V38 Device";
    if (absolute(home))
        return withSlash(home) + ".local/share/V38 Device";
    return {};
}

std::string dataHomeFromEnvironment() {
    return dataHomeFrom(std::getenv("V38_DATA_HOME"), std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

bool isPlainFolderName(const std::string& name) {
    if (name.empty() || name.size() > kMaxNameLength || name == "." || name == "..")
        return false;
    return name.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
}

std::string defaultDataFolder(const std::string& resourceDir) {
    return withSlash(resourceDir) + "DefaultData/";
}

std::string defaultProfilePath(const std::string& resourceDir, const std::string& kindName) {
    if (!isPlainFolderName(kindName))
        return {};
    return defaultDataFolder(resourceDir) + kindName + ".Json";
}

std::string deviceDataFolder(const std::string& dataHome, const std::string& kindName) {
    if (dataHome.empty() || !isPlainFolderName(kindName))
        return {};
    std::string folder = withSlash(dataHome) + kindName + "/";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return folder;
}

} // namespace v38
