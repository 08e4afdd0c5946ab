#include "core/profiles/json_file.h"

#include "core/platform/debug_log.h"
#include "core/platform/file_io.h"

#include <cerrno>
#include <cstring>
#include <exception>
#include <memory>

namespace v38 {

namespace {

// Deep nesting costs stack in the parser and in every copy, compare and write of the value.
constexpr int kMaxJsonDepth = 128;

std::string readBytes(const std::string& path, FileReadStatus& status) {
    std::string bytes;
    errno = 0;
    status = readFileCapped(path, kMaxJsonFileSize, bytes);
    if (debugOutputEnabled())
        debugOutput("readjsonFile 错误吗：：" + std::to_string(status == FileReadStatus::Ok ? 0 : errno));
    if (status != FileReadStatus::Ok)
        return {};
    if (size_t nul = bytes.find('\0'); nul != std::string::npos)
        bytes.resize(nul);
    return bytes;
}

} // namespace

std::string readjsonFile(const std::string& path) {
    FileReadStatus status;
    return readBytes(path, status);
}

bool parseJsonText(std::string_view text, Json::Value& value) {
    value = Json::Value();
    try {
        Json::CharReaderBuilder builder;
        builder["allowComments"] = true;
        builder["collectComments"] = false;
        builder["stackLimit"] = kMaxJsonDepth;
        std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
        Json::Value parsed;
        std::string errors;
        if (!reader->parse(text.data(), text.data() + text.size(), &parsed, &errors))
            return false;
        value = std::move(parsed);
        return true;
    } catch (const std::exception&) {
        value = Json::Value();
        return false;
    }
}

JsonFileStatus loadJsonFile(const std::string& path, Json::Value& value) {
    value = Json::Value();
    FileReadStatus status;
    std::string text = readBytes(path, status);
    switch (status) {
    case FileReadStatus::Missing:
        return JsonFileStatus::Missing;
    case FileReadStatus::Unreadable:
        return JsonFileStatus::Unreadable;
    case FileReadStatus::TooLarge:
        return JsonFileStatus::TooLarge;
    case FileReadStatus::Ok:
        break;
    }
    if (text.empty()) {
        debugOutput(path);
        return JsonFileStatus::Empty;
    }
    return parseJsonText(text, value) ? JsonFileStatus::Parsed : JsonFileStatus::Unparsable;
}

Json::Value loadJsonFile(const std::string& path) {
    Json::Value value;
    loadJsonFile(path, value);
    return value;
}

std::string styledJsonText(const Json::Value& value) {
    std::string text;
    try {
        Json::StyledWriter writer;
        text = writer.write(value);
    } catch (const std::exception&) {
        return {};
    }
    // Strings are written escaped, so every '\n' here is a line end.
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n')
            out.push_back('\r');
        out.push_back(c);
    }
    return out;
}

bool writeJsonFile(const std::string& path, const Json::Value& value) {
    std::string text = styledJsonText(value);
    if (text.empty() || !writeFileAtomically(path, text)) {
        debugOutput("writeJsonFile failed: " + path);
        return false;
    }
    return true;
}

Json::Value loadJsonDocumentForRewrite(const std::string& path) {
    Json::Value value;
    JsonFileStatus status = loadJsonFile(path, value);
    bool unusable = status == JsonFileStatus::Unparsable || status == JsonFileStatus::TooLarge ||
                    (status == JsonFileStatus::Parsed && !value.isObject() && !value.isNull());
    if (unusable) {
        if (setFileAside(path))
            debugOutput("unusable file moved aside: " + path);
        return Json::Value();
    }
    return value.isObject() ? value : Json::Value();
}

} // namespace v38
