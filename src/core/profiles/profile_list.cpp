#include "core/profiles/profile_list.h"

#include "core/platform/data_folders.h"
#include "core/platform/debug_log.h"
#include "core/platform/file_io.h"
#include "core/platform/text_utils.h"
#include "core/profiles/json_fields.h"
#include "core/profiles/json_file.h"
#include "core/profiles/profile_kinds.h"

#include <algorithm>
#include <filesystem>

namespace v38 {

namespace {

bool nameTaken(const std::vector<ProfileListEntry>& entries, const std::string& name, int except = -1) {
    for (size_t i = 0; i < entries.size(); ++i)
        if (static_cast<int>(i) != except && equalsIgnoringCase(entries[i].name, name))
            return true;
    return false;
}

// Cuts text to at most max bytes without splitting a UTF-8 sequence.
std::string cutUtf8(std::string text, size_t max) {
    if (text.size() <= max)
        return text;
    size_t end = max;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    text.resize(end);
    return text;
}

// A name fit to show in a list: valid UTF-8, control characters turned into spaces, bounded.
std::string displayName(std::string_view raw) {
    std::string name = sanitizeUtf8(raw);
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return cutUtf8(std::move(name), ProfileList::kMaxNameLength);
}

bool acceptableName(const std::string& name) {
    return name.size() <= ProfileList::kMaxNameLength && isValidUtf8(name) && displayName(name) == name;
}

Json::Value entryValue(const ProfileListEntry& e) {
    Json::Value v(Json::objectValue);
    v["profilename"] = e.name;
    v["profileUUID"] = e.uuid;
    v["profileislink"] = 0;
    v["profilelinkmame"] = "";
    return v;
}

bool endsWithJson(const std::string& name) {
    return name.size() > 5 && equalsIgnoringCase(std::string_view(name).substr(name.size() - 5), ".json");
}

} // namespace

void ProfileList::setFolders(const std::string& dataFolder, const std::string& defaultProfilePath) {
    folder_ = dataFolder;
    if (!folder_.empty() && folder_.back() != '/')
        folder_.push_back('/');
    defaultProfilePath_ = defaultProfilePath;
}

ProfileList::ListDocument ProfileList::readListDocument() const {
    ListDocument list;
    if (folder_.empty())
        return list;
    JsonFileStatus status = loadJsonFile(listFilePath(), list.document);
    list.setAside =
        status == JsonFileStatus::Unparsable || status == JsonFileStatus::TooLarge ||
        (status == JsonFileStatus::Parsed && !list.document.isObject() && !list.document.isNull());
    const Json::Value& items = jsonMember(list.document, "profilelist");
    size_t count = std::min(jsonArraySize(items), static_cast<size_t>(kMaxProfiles));
    for (size_t i = 0; i < count; ++i) {
        const Json::Value& item = jsonElement(items, i);
        ProfileListEntry e{displayName(jsonText(jsonMember(item, "profilename"))),
                           jsonText(jsonMember(item, "profileUUID"))};
        // An identifier becomes a file name: an entry whose identifier could lead outside the folder,
        // or that shares another entry's file, is left out.
        if (!isSafePathComponent(e.uuid) ||
            std::any_of(list.entries.begin(), list.entries.end(), [&](auto& o) { return o.uuid == e.uuid; }))
            continue;
        list.entries.push_back(std::move(e));
    }
    int64_t selection = jsonInt(jsonMember(list.document, "profileselect"));
    list.selection = selection >= 0 && selection < static_cast<int64_t>(list.entries.size())
                         ? static_cast<int>(selection)
                         : 0;
    list.usable = !list.entries.empty();
    // A list whose every entry had to be left out is kept for the user before it is rebuilt.
    if (!list.usable && count > 0)
        list.setAside = true;
    return list;
}

bool ProfileList::writeList(ListDocument& list) const {
    if (!list.document.isObject())
        list.document = Json::Value(Json::objectValue);
    Json::Value items(Json::arrayValue);
    for (const ProfileListEntry& e : list.entries)
        items.append(entryValue(e));
    list.document["profilelist"] = items;
    list.document["profileselect"] = list.entries.empty() ? 0 : list.selection;
    return writeJsonFile(listFilePath(), list.document);
}

std::string ProfileList::newIdentifier(const std::vector<ProfileListEntry>& entries) const {
    return makeUniqueTimestampId(
        [&](const std::string& id) {
            return fileExists(pathOf(id)) ||
                   std::any_of(entries.begin(), entries.end(), [&](auto& e) { return e.uuid == id; });
        },
        clock_);
}

bool ProfileList::writeProfileFromDefaults(const ProfileListEntry& entry) const {
    Json::Value document = loadJsonFile(defaultProfilePath_);
    if (!document.isObject())
        document = Json::Value(Json::objectValue);
    document["profilename"] = entry.name;
    document["profileUUID"] = entry.uuid;
    return writeJsonFile(pathOf(entry.uuid), document);
}

ProfileList::ListDocument ProfileList::rebuildList(const ListDocument& broken, int& result) {
    result = kProfileDone;
    if (broken.setAside && setFileAside(listFilePath()))
        debugOutput("unusable profile list moved aside: " + listFilePath());
    ListDocument list;
    list.document = broken.setAside ? Json::Value(Json::objectValue) : broken.document;
    // Every profile file names itself, so a lost list can be rebuilt without orphaning profiles.
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
        std::string file = it->path().filename().string();
        if (file.empty() || file[0] == '.' || !endsWithJson(file) || !it->is_regular_file(ec))
            continue;
        names.push_back(file);
    }
    std::sort(names.begin(), names.end());
    for (const std::string& file : names) {
        if (list.entries.size() >= static_cast<size_t>(kMaxProfiles))
            break;
        Json::Value document = loadJsonFile(folder_ + file);
        const Json::Value& name = jsonMember(document, "profilename");
        std::string uuid = jsonText(jsonMember(document, "profileUUID"));
        if (!name.isString() || !isSafePathComponent(uuid) || file != uuid + file.substr(file.size() - 5))
            continue;
        std::string shown = displayName(jsonText(name));
        std::string unique = shown;
        for (int n = 1; nameTaken(list.entries, unique); ++n)
            unique = cutUtf8(shown, kMaxNameLength - 12) + "(" + std::to_string(n) + ")";
        list.entries.push_back({unique, uuid});
    }
    if (list.entries.empty()) {
        ProfileListEntry first{"profile1", newIdentifier({})};
        if (first.uuid.empty() || !writeProfileFromDefaults(first))
            result = kProfileWriteFailed;
        list.entries.push_back(first);
    }
    list.selection = 0;
    list.usable = true;
    if (!writeList(list))
        result = kProfileWriteFailed;
    return list;
}

ProfileList::ListDocument ProfileList::currentList(int& result) {
    result = kProfileDone;
    // Without a folder the list would land in the working directory.
    if (folder_.empty()) {
        result = kProfileWriteFailed;
        return {};
    }
    ListDocument list = readListDocument();
    if (!list.usable)
        list = rebuildList(list, result);
    return list;
}

int ProfileList::indexOfCurrent(const std::vector<ProfileListEntry>& entries) const {
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].uuid == currentId_)
            return static_cast<int>(i);
    return -1;
}

int ProfileList::loadProfileList() {
    int result = kProfileDone;
    ListDocument list = currentList(result);
    if (!list.usable)
        return result;
    currentId_ = list.entries[static_cast<size_t>(list.selection)].uuid;
    return result;
}

int ProfileList::selectProfile(int index) {
    int result = kProfileDone;
    ListDocument list = currentList(result);
    if (!list.usable)
        return result;
    if (index < 0 || index >= static_cast<int>(list.entries.size()))
        return kProfileBadIndex;
    list.selection = index;
    currentId_ = list.entries[static_cast<size_t>(index)].uuid;
    return writeList(list) ? kProfileDone : kProfileWriteFailed;
}

int ProfileList::addProfile() {
    int result = kProfileDone;
    ListDocument list = currentList(result);
    if (!list.usable)
        return result;
    if (list.entries.size() >= static_cast<size_t>(kAddLimit))
        return kProfileRefused;
    std::string name = "profile1";
    for (int n = 2; nameTaken(list.entries, name); ++n)
        name = "profile" + std::to_string(n);
    ProfileListEntry entry{name, newIdentifier(list.entries)};
    if (entry.uuid.empty() || !writeProfileFromDefaults(entry))
        return kProfileWriteFailed;
    list.entries.push_back(entry);
    list.selection = static_cast<int>(list.entries.size()) - 1;
    if (!writeList(list)) {
        removeFile(pathOf(entry.uuid));
        return kProfileWriteFailed;
    }
    return kProfileDone;
}

int ProfileList::deleteProfile() {
    int result = kProfileDone;
    ListDocument list = currentList(result);
    if (!list.usable)
        return result;
    int s = indexOfCurrent(list.entries);
    if (s < 0)
        return kProfileNoSelection;
    if (list.entries.size() < 2)
        return kProfileRefused;
    ProfileListEntry removed = list.entries[static_cast<size_t>(s)];
    list.entries.erase(list.entries.begin() + s);
    list.selection = s > 0 ? s - 1 : 0;
    // The list goes first: a failed write must not leave the list naming a deleted file.
    if (!writeList(list))
        return kProfileWriteFailed;
    currentId_ = list.entries[static_cast<size_t>(list.selection)].uuid;
    removeFile(pathOf(removed.uuid));
    return kProfileDone;
}

int ProfileList::copyProfile() {
    int result = kProfileDone;
    ListDocument list = currentList(result);
    if (!list.usable)
        return result;
    int s = indexOfCurrent(list.entries);
    if (s < 0)
        return kProfileNoSelection;
    if (list.entries.size() >= static_cast<size_t>(kMaxProfiles))
        return kProfileRefused;
    const ProfileListEntry& source = list.entries[static_cast<size_t>(s)];
    std::string name = source.name + " copy";
    while (nameTaken(list.entries, name) && name.size() <= kMaxNameLength)
        name += " copy";
    if (name.size() > kMaxNameLength)
        return kProfileInvalidName;
    ProfileListEntry entry{name, newIdentifier(list.entries)};
    Json::Value document = loadJsonFile(pathOf(source.uuid));
    if (!document.isObject())
        document = Json::Value(Json::objectValue);
    document["profilename"] = entry.name;
    document["profileUUID"] = entry.uuid;
    if (entry.uuid.empty() || !writeJsonFile(pathOf(entry.uuid), document))
        return kProfileWriteFailed;
    list.entries.push_back(entry);
    if (!writeList(list)) {
        removeFile(pathOf(entry.uuid));
        return kProfileWriteFailed;
    }
    return kProfileDone;
}

int ProfileList::renameProfile(const std::string& name) {
    if (isBlank(name))
        return kProfileBlankName;
    if (!acceptableName(name))
        return kProfileInvalidName;
    int result = kProfileDone;
    ListDocument list = currentList(result);
    if (!list.usable)
        return result;
    int s = indexOfCurrent(list.entries);
    if (s < 0)
        return kProfileNoSelection;
    if (nameTaken(list.entries, name, s))
        return kProfileRefused;
    ProfileListEntry& entry = list.entries[static_cast<size_t>(s)];
    entry.name = name;
    if (!writeList(list))
        return kProfileWriteFailed;
    Json::Value document = loadJsonDocumentForRewrite(pathOf(entry.uuid));
    if (!document.isObject())
        document = Json::Value(Json::objectValue);
    document["profilename"] = entry.name;
    document["profileUUID"] = entry.uuid;
    return writeJsonFile(pathOf(entry.uuid), document) ? kProfileDone : kProfileWriteFailed;
}

int ProfileList::importProfile(const std::string& path) {
    Json::Value document = loadJsonFile(path);
    if (!document.isObject() || jsonMember(document, "profilename").isNull() ||
        jsonMember(document, "profileUUID").isNull())
        return kProfileBadFile;
    int result = kProfileDone;
    ListDocument list = currentList(result);
    if (!list.usable)
        return result;
    if (list.entries.size() >= static_cast<size_t>(kMaxProfiles))
        return kProfileRefused;
    std::string base = cutUtf8(displayName(fileTitle(path)), kMaxNameLength - 40);
    if (isBlank(base))
        base = "profile";
    std::string name = base;
    for (int n = 1; nameTaken(list.entries, name); ++n) {
        std::string suffix = "(" + std::to_string(n) + ")";
        if (name.size() + suffix.size() > kMaxNameLength)
            name = base;
        name += suffix;
    }
    ProfileListEntry entry{name, newIdentifier(list.entries)};
    document["profilename"] = entry.name;
    document["profileUUID"] = entry.uuid;
    if (entry.uuid.empty() || !writeJsonFile(pathOf(entry.uuid), document))
        return kProfileWriteFailed;
    list.entries.push_back(entry);
    if (!writeList(list)) {
        removeFile(pathOf(entry.uuid));
        return kProfileWriteFailed;
    }
    // Left behind by older copies that wrote a profile with an empty identifier.
    removeFile(folder_ + ".Json");
    return kProfileDone;
}

int ProfileList::exportProfile(const std::string& path) {
    int result = kProfileDone;
    ListDocument list = currentList(result);
    if (!list.usable)
        return result;
    int s = indexOfCurrent(list.entries);
    if (s < 0)
        return kProfileNoSelection;
    Json::Value document = loadJsonFile(pathOf(list.entries[static_cast<size_t>(s)].uuid));
    if (!document.isObject())
        return kProfileBadFile;
    return writeJsonFile(path, document) ? kProfileDone : kProfileWriteFailed;
}

int ProfileList::resetProfile() {
    int result = kProfileDone;
    ListDocument list = currentList(result);
    if (!list.usable)
        return result;
    int s = indexOfCurrent(list.entries);
    if (s < 0)
        return kProfileNoSelection;
    const ProfileListEntry& entry = list.entries[static_cast<size_t>(s)];
    Json::Value document = loadJsonFile(defaultProfilePath_);
    if (!document.isObject())
        return kProfileBadFile;
    document["profilename"] = entry.name;
    document["profileUUID"] = entry.uuid;
    Json::Value current = loadJsonDocumentForRewrite(pathOf(entry.uuid));
    if (kind_ == kProfileKindHeadset) {
        const Json::Value& had = jsonElement(jsonMember(current, "Device"), 0);
        Json::Value& device = jsonArrayElement(jsonObjectMember(document, "Device"), 0);
        for (const char* key : {"CustomEQNameInfo", "CustomEQHzValueInfo"})
            if (!jsonMember(had, key).isNull())
                jsonObjectMember(device, key) = jsonMember(had, key);
    }
    return writeJsonFile(pathOf(entry.uuid), document) ? kProfileDone : kProfileWriteFailed;
}

ProfileListSnapshot ProfileList::readList() const {
    ListDocument list = readListDocument();
    ProfileListSnapshot snapshot;
    snapshot.entries = std::move(list.entries);
    snapshot.storedSelection = snapshot.entries.empty() ? -1 : list.selection;
    return snapshot;
}

int ProfileList::profileCount() const {
    return static_cast<int>(readListDocument().entries.size());
}

std::string ProfileList::profileFilePath(int index) const {
    ListDocument list = readListDocument();
    if (index < 0 || index >= static_cast<int>(list.entries.size()))
        return {};
    return pathOf(list.entries[static_cast<size_t>(index)].uuid);
}

int ProfileList::selectedIndex() const {
    return indexOfCurrent(readListDocument().entries);
}

std::string ProfileList::currentProfilePath() const {
    return currentId_.empty() ? std::string() : pathOf(currentId_);
}

} // namespace v38
