// Where a device object finds its files: the per-user data home with one folder per device kind, and
// the read-only "DefaultData" folder of the resource folder (see core/platform/data_folders).
#pragma once

#include <string>

namespace v38 {

struct DeviceFolders {
    std::string dataHome;    // per-user data folder, e.g. ~/.local/share/V38 Device
    std::string resourceDir; // folder holding skin, DefaultData and fonts
};

// The kind's default profile: default data folder + kind name + ".Json"; empty for a kind name that is
// not a plain file name.
std::string defaultProfilePath(const std::string& resourceDir, const std::string& kindName);

} // namespace v38
