// The JSON file operations every stored file goes through: capped reads that never throw, parsing
// with comments allowed, and atomic writes in the styled form with CR LF line ends.
#pragma once

#include <json/json.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace v38 {

// Larger files are not read; no stored file of this program comes near it.
constexpr size_t kMaxJsonFileSize = 16 * 1024 * 1024;

enum class JsonFileStatus {
    Parsed,
    Missing,
    Empty,      // no bytes before the first NUL
    Unreadable, // cannot be opened or read
    TooLarge,
    Unparsable,
};

// The file's bytes up to the first NUL, or empty text when it is missing, unreadable or too large.
std::string readjsonFile(const std::string& path);

// The parsed value, or null for a missing, unreadable, empty or unparsable file.
Json::Value loadJsonFile(const std::string& path);

// The same with the reason when the result is null.
JsonFileStatus loadJsonFile(const std::string& path, Json::Value& value);

// Writes the styled text of value atomically. False when the file could not be written; the old
// file is then unchanged.
bool writeJsonFile(const std::string& path, const Json::Value& value);

// Parses text with comments allowed; false (and value null) when it does not parse.
bool parseJsonText(std::string_view text, Json::Value& value);

// The styled form: three-space indent, members in key order, CR LF line ends, a final line end.
std::string styledJsonText(const Json::Value& value);

// Loads a document that is about to be changed and written back whole. A file that exists but holds
// no usable document (unparsable, too large, or a root that is not an object) is moved aside to
// path + ".bad" first, so the rewrite never destroys what the user had. Returns the object, or null.
Json::Value loadJsonDocumentForRewrite(const std::string& path);

} // namespace v38
