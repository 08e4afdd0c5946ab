// The open and save file dialogs as the core sees them. The window implements this interface with
// the desktop's dialogs; tests give the panels a fake that answers with prepared paths.
#pragma once

#include <string>

namespace v38 {

// A filter as a pair of display text and pattern, for example "Profile Files(*.json)" and "*.json;".
struct FileFilter {
    std::string text;
    std::string pattern;
};

inline const FileFilter kProfileFileFilter{"Profile Files(*.json)", "*.json;"};
inline const FileFilter kMacroFileFilter{"Macro Files(*.mac)", "*.mac;"};
inline const FileFilter kShootFileFilter{"Shoot Files(*.shoot)", "*.shoot;"};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Each returns true and sets path when the user chose a file, false when the dialog was cancelled.
    virtual bool chooseOpenFile(const FileFilter& filter, std::string& path) = 0;
    virtual bool chooseSaveFile(const FileFilter& filter, std::string& path) = 0;
};

} // namespace v38
