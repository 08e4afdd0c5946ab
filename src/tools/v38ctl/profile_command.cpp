#include "tools/v38ctl/profile_command.h"

#include "core/platform/data_folders.h"
#include "core/profiles/default_profiles.h"
#include "core/profiles/profile_kinds.h"
#include "core/profiles/profile_list.h"

#include <charconv>

namespace v38::ctl {

namespace {

constexpr const char* kUsage =
    "usage: v38ctl profile KIND list|add|copy|rename NAME|delete|select INDEX|import FILE|export FILE|reset\n"
    "       KIND: keyboard, mouse, MousePad or HD\n";

void printList(const ProfileList& list, std::ostream& out) {
    ProfileListSnapshot snapshot = list.readList();
    for (size_t i = 0; i < snapshot.entries.size(); ++i) {
        out << (static_cast<int>(i) == snapshot.storedSelection ? "* " : "  ") << i << ' '
            << snapshot.entries[i].name << ' ' << snapshot.entries[i].uuid << '\n';
    }
}

bool parseIndex(const std::string& text, int& index) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, index);
    return ec == std::errc() && ptr == end;
}

// The one-line reason for a result that is not success, or "" for success.
std::string refusal(const std::string& verb, int result, const std::vector<std::string>& args) {
    if (verb == "rename") {
        switch (result) {
        case kProfileDone:
            return {};
        case kProfileRefused:
            return "a profile named \"" + args[2] + "\" already exists";
        case kProfileBlankName:
            return "a profile name cannot be blank";
        case kProfileInvalidName:
            return "a profile name must be at most 255 bytes of text without control characters";
        default:
            break;
        }
    }
    switch (result) {
    case kProfileDone:
        return {};
    case kProfileRefused:
        if (verb == "add")
            return "the list already holds " + std::to_string(ProfileList::kAddLimit) + " profiles";
        if (verb == "delete")
            return "the last profile cannot be deleted";
        return "the list already holds " + std::to_string(ProfileList::kMaxProfiles) + " profiles";
    case kProfileWriteFailed:
        return "cannot write the profile files; nothing was changed";
    case kProfileNoSelection:
        return "no profile is selected";
    case kProfileBadFile:
        if (verb == "import")
            return "cannot import " + args[2] + ": not a profile file";
        if (verb == "reset")
            return "the default profile is missing";
        return "the selected profile's file cannot be read";
    case kProfileBadIndex:
        return "no profile has index " + args[2];
    case kProfileInvalidName:
        return "the copy's name would be too long";
    default:
        return "failed with result " + std::to_string(result);
    }
}

} // namespace

int runProfileCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                      const std::string& dataHome, const std::string& resourceFolder) {
    if (args.size() < 2) {
        err << kUsage;
        return 2;
    }
    int kind = kindCodeForName(args[0]);
    if (kind == 0) {
        err << "v38ctl profile: unknown device kind \"" << args[0] << "\"\n" << kUsage;
        return 2;
    }
    const std::string& verb = args[1];
    bool takesArgument = verb == "rename" || verb == "select" || verb == "import" || verb == "export";
    bool known = takesArgument || verb == "list" || verb == "add" || verb == "copy" || verb == "delete" ||
                 verb == "reset";
    if (!known || args.size() != (takesArgument ? 3u : 2u)) {
        err << kUsage;
        return 2;
    }
    int index = 0;
    if (verb == "select" && !parseIndex(args[2], index)) {
        err << "v38ctl profile: \"" << args[2] << "\" is not an index\n";
        return 2;
    }

    std::string kindName(kindNameForCode(kind));
    std::string folder = deviceDataFolder(dataHome, kindName);
    if (folder.empty()) {
        err << "v38ctl profile: no data folder (set V38_DATA_HOME or HOME)\n";
        return 1;
    }
    ProfileList list;
    list.setDeviceKind(kind);
    list.setFolders(folder, defaultDataFolder(resourceFolder) + defaultProfileFileName(kindName));
    int result = list.loadProfileList();
    if (result == kProfileDone) {
        if (verb == "add")
            result = list.addProfile();
        else if (verb == "copy")
            result = list.copyProfile();
        else if (verb == "rename")
            result = list.renameProfile(args[2]);
        else if (verb == "delete")
            result = list.deleteProfile();
        else if (verb == "select")
            result = list.selectProfile(index);
        else if (verb == "import")
            result = list.importProfile(args[2]);
        else if (verb == "export")
            result = list.exportProfile(args[2]);
        else if (verb == "reset")
            result = list.resetProfile();
    }
    if (std::string reason = refusal(verb, result, args); !reason.empty()) {
        err << "v38ctl profile: " << reason << '\n';
        return 1;
    }
    printList(list, out);
    return 0;
}

int runProfileCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    return runProfileCommand(args, out, err, userDataHome(), resourceFolder());
}

} // namespace v38::ctl
