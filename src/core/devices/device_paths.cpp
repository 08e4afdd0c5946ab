#include "core/devices/device_paths.h"

#include "core/platform/data_folders.h"

namespace v38 {

std::string defaultProfilePath(const std::string& resourceDir, const std::string& kindName) {
    if (!isSafePathComponent(kindName))
        return {};
    return defaultDataFolder(resourceDir) + kindName + ".Json";
}

} // namespace v38
