// Where stored data lives: the read-only defaults beside the program and the per-user data folder
// with one subfolder per device kind. Roots are passed in so tests can use their own folders.
#pragma once

#include <string>
#include <string_view>

namespace v38 {

// Longest name accepted as one path component taken from a file (profile ids, effect ids, ...).
constexpr size_t kMaxPathComponentLength = 128;

// The per-user data home: $V38_DATA_HOME when set, else $XDG_DATA_HOME/V38 Device, else
// ~/.local/share/V38 Device. No trailing '/'; nothing is created.
std::string userDataHome();

// The folder the program finds its skin, DefaultData and fonts in: $V38_RESOURCE_DIR when set, else
// the executable's folder when DefaultData lies beside it (a build), else <prefix>/share/v38-device.
std::string resourceFolder();

// resourceFolder + "DefaultData/"; never created, only read.
std::string defaultDataFolder(const std::string& resourceFolder);

// dataHome + "/", created (with its parents) when missing. Creation failures are not reported here;
// the file operations that follow fail and say so.
std::string DataFolder(const std::string& dataHome);

// DataFolder + kindName + "/", created when missing. A kind name that is not a safe path component
// gives an empty result.
std::string deviceDataFolder(const std::string& dataHome, std::string_view kindName);

// True for a name that can be used as one file name inside a folder: not empty, bounded length, no
// separator, no "..", no NUL or other control character.
bool isSafePathComponent(std::string_view name);

// The folder part of a path with its trailing '/', or "" when the path has no folder.
std::string folderOf(const std::string& path);

} // namespace v38
