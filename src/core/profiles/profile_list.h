// ProfileList: the named profiles of one device kind. It owns "ProfileList.ini" (a JSON file,
// despite its name) and the profile files identifier + ".Json" in the device data folder. The list
// file on disk is authoritative: every operation re-reads it, changes it and rewrites it whole, so
// the profile panel only mirrors what this store says.
#pragma once

#include "core/platform/timestamp_id.h"

#include <json/json.h>

#include <string>
#include <vector>

namespace v38 {

struct ProfileListEntry {
    std::string name; // "profilename"
    std::string uuid; // "profileUUID", the profile file's name without ".Json"
    bool operator==(const ProfileListEntry&) const = default;
};

struct ProfileListSnapshot {
    std::vector<ProfileListEntry> entries;
    int storedSelection = -1; // "profileselect", always an index of entries (or -1 when empty)
};

// Results of the list operations. Rename keeps its own three values: 0 name taken, 1 done, 2 blank.
enum ProfileResult : int {
    kProfileDone = 1,
    kProfileRefused = 0,      // add with 50 profiles, delete of the last one, a full list, a name taken
    kProfileBlankName = 2,    // rename to a blank name
    kProfileWriteFailed = -1, // a file could not be written; the list is as it was
    kProfileNoSelection = -2, // the selected profile is no longer in the list
    kProfileBadFile = -3,     // import or export source, or the default profile, is not a profile document
    kProfileBadIndex = -4,    // select with an index outside the list
    kProfileInvalidName = -5, // rename to a name with control characters or too long
};

class ProfileList {
public:
    // The add button stops here; copies and imports may go beyond it up to kMaxProfiles.
    static constexpr int kAddLimit = 50;
    // No list is read or grown beyond this.
    static constexpr int kMaxProfiles = 1000;
    // Longest profile name in bytes.
    static constexpr size_t kMaxNameLength = 255;
    static constexpr const char* kListFileName = "ProfileList.ini";

    // The device kind code (keyboard 1, mouse 2, mouse pad 3, headset 7).
    void setDeviceKind(int kind) { kind_ = kind; }
    int deviceKind() const { return kind_; }
    // The device data folder and the model's default profile file.
    void setFolders(const std::string& dataFolder, const std::string& defaultProfilePath);
    const std::string& dataFolder() const { return folder_; }
    // Source of the time that new identifiers are made from; the system clock when unset.
    void setClock(WallClock clock) { clock_ = std::move(clock); }

    // Reads the list and selects its stored selection. A missing, empty or unusable list is rebuilt
    // from the profile files in the folder (an unparsable one is moved aside first); with no profile
    // files at all, "profile1" is made from the default profile.
    int loadProfileList();

    // Stores index as the selection and makes its profile the current one.
    int selectProfile(int index);
    // A new profile from the defaults, named with the lowest free "profile%d", appended at the end;
    // the stored selection names it while the current profile stays. Refused at kAddLimit.
    int addProfile();
    // Deletes the current profile and its file and makes the profile before it (or the first) the
    // current one, which the device must then load. The last profile is never deleted.
    int deleteProfile();
    // Appends a copy of the current profile named "%s copy" (repeated while taken).
    int copyProfile();
    // Renames the current profile: 2 for a blank name, 0 when another profile has the name (letter
    // case ignored), 1 when done, or another ProfileResult.
    int renameProfile(const std::string& name);
    // Appends the profile document at path, named by its file title ("(%d)" added while taken).
    int importProfile(const std::string& path);
    // Writes the current profile's document to path as it is.
    int exportProfile(const std::string& path);
    // Replaces the current profile's settings by the defaults, keeping its name and identifier; the
    // headset keeps its custom equaliser curves.
    int resetProfile();

    // The list as the file holds it now.
    ProfileListSnapshot readList() const;
    int profileCount() const;
    // Data folder + "profileUUID" of entry index + ".Json", or "" when there is no such entry.
    std::string profileFilePath(int index) const;
    // Index of the current profile in the list as the file holds it now, -1 when it is not there.
    int selectedIndex() const;
    const std::string& currentProfileId() const { return currentId_; }
    // The current profile's file, "" before a profile is selected.
    std::string currentProfilePath() const;
    std::string listFilePath() const { return folder_ + kListFileName; }

private:
    struct ListDocument {
        Json::Value document; // the parsed file, so members this store does not know survive
        std::vector<ProfileListEntry> entries;
        int selection = 0;
        bool usable = false;
        bool setAside = false; // the file exists but cannot be used
    };

    ListDocument readListDocument() const;
    // The list as the file holds it, rebuilt first when the file cannot be used.
    ListDocument currentList(int& result);
    ListDocument rebuildList(const ListDocument& broken, int& result);
    bool writeList(ListDocument& list) const;
    std::string pathOf(const std::string& uuid) const { return folder_ + uuid + ".Json"; }
    std::string newIdentifier(const std::vector<ProfileListEntry>& entries) const;
    // The default profile document with the two name members set; false when there is none.
    bool writeProfileFromDefaults(const ProfileListEntry& entry) const;
    int indexOfCurrent(const std::vector<ProfileListEntry>& entries) const;

    int kind_ = 0;
    std::string folder_;
    std::string defaultProfilePath_;
    std::string currentId_;
    WallClock clock_;
};

} // namespace v38
