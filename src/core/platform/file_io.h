// Whole-file reads with a size cap and whole-file writes that replace the old file atomically, so a
// crash or a full disk never leaves a truncated file behind.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace v38 {

enum class FileReadStatus {
    Ok,
    Missing,
    Unreadable, // exists but cannot be opened or read, or is not a regular file
    TooLarge,
};

// Reads the whole regular file at path into bytes when it holds at most maxBytes.
FileReadStatus readFileCapped(const std::string& path, size_t maxBytes, std::string& bytes);

// Writes bytes to a temporary file in the same folder, flushes it to disk and renames it over path.
// On failure the old file is untouched and the temporary file removed.
bool writeFileAtomically(const std::string& path, std::string_view bytes);

bool fileExists(const std::string& path);

// Removes a file; a file that does not exist counts as removed.
bool removeFile(const std::string& path);

// Renames path to path + ".bad", replacing an older one, so a file that cannot be used is kept for
// the user instead of being overwritten by defaults.
bool setFileAside(const std::string& path);

} // namespace v38
