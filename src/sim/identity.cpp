#include "sim/identity.h"

#include <algorithm>

namespace v38::sim {

namespace {

constexpr std::array<const char*, kIdentityCount> kNames = {"keyboard",       "keyboard-receiver", "mouse",
                                                            "mouse-receiver", "mousepad",          "headset"};

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

} // namespace

const char* identityName(Identity identity) {
    size_t index = identityIndex(identity);
    return index < kNames.size() ? kNames[index] : "unknown";
}

std::optional<Identity> identityFromName(std::string_view name) {
    for (Identity identity : kAllIdentities)
        if (name == identityName(identity))
            return identity;
    return std::nullopt;
}

bool parseIdentityList(std::string_view text, std::vector<Identity>& identities, std::string& error) {
    std::vector<Identity> parsed;
    // Bounded: six names can never need more than a few hundred characters.
    if (text.size() > 1024) {
        error = "identity list too long";
        return false;
    }
    while (true) {
        size_t comma = text.find(',');
        std::string_view item = trimmed(text.substr(0, comma));
        if (item.empty()) {
            error = "empty device name in list";
            return false;
        }
        std::optional<Identity> identity = identityFromName(item);
        if (!identity) {
            error = "unknown device \"" + std::string(item) +
                    "\" (expected keyboard, keyboard-receiver, mouse, mouse-receiver, mousepad or headset)";
            return false;
        }
        if (std::find(parsed.begin(), parsed.end(), *identity) != parsed.end()) {
            error = "device \"" + std::string(item) + "\" listed twice";
            return false;
        }
        parsed.push_back(*identity);
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    identities = std::move(parsed);
    return true;
}

bool isReceiver(Identity identity) {
    return identity == Identity::KeyboardReceiver || identity == Identity::MouseReceiver;
}

Identity cableIdentityOf(Identity identity) {
    switch (identity) {
    case Identity::KeyboardReceiver:
        return Identity::Keyboard;
    case Identity::MouseReceiver:
        return Identity::Mouse;
    default:
        return identity;
    }
}

} // namespace v38::sim
