// Where device objects find their files: the per-user data home with one folder per device kind,
// and the read-only "DefaultData" folder of the resource folder. The roots are passed in, so tests
// and tools choose them.
#pragma once

#include <string>

namespace v38 {

struct DeviceFolders {
    std::string dataHome;    // per-user data folder, e.g. ~/.local/share/V38 Device
    std::string resourceDir; // folder holding skin, DefaultData and fonts
};

// $V38_DATA_HOME, else $XDG_DATA_HOME/V38 Device, else $HOME/.local/share/V38 Device. Relative or
// empty values are skipped (as the XDG rules ask); empty when no root is known.
std::string dataHomeFrom(const char* v38DataHome, const char* xdgDataHome, const char* home);
std::string dataHomeFromEnvironment();

// resourceDir + "/DefaultData/".
std::string defaultDataFolder(const std::string& resourceDir);
// The kind's default profile: default data folder + kind name + ".Json"; empty for a bad kind name.
std::string defaultProfilePath(const std::string& resourceDir, const std::string& kindName);
// dataHome + "/" + kind name + "/", both folders created when missing (a failure is not reported:
// the file operations report theirs). Empty for an empty data home or a kind name that is not a
// plain folder name.
std::string deviceDataFolder(const std::string& dataHome, const std::string& kindName);

// A name usable as one path component: not empty, no separator, not "." or "..", no NUL, bounded.
bool isPlainFolderName(const std::string& name);

} // namespace v38
