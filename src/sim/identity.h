// The six USB identities the virtual devices can appear as and their names on the command line.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace v38::sim {

enum class Identity { Keyboard, KeyboardReceiver, Mouse, MouseReceiver, MousePad, Headset };

constexpr size_t kIdentityCount = 6;
constexpr std::array<Identity, kIdentityCount> kAllIdentities = {
    Identity::Keyboard,      Identity::KeyboardReceiver, Identity::Mouse,
    Identity::MouseReceiver, Identity::MousePad,         Identity::Headset};

constexpr size_t identityIndex(Identity identity) {
    return static_cast<size_t>(identity);
}

// "keyboard", "keyboard-receiver", "mouse", "mouse-receiver", "mousepad", "headset".
const char* identityName(Identity identity);
std::optional<Identity> identityFromName(std::string_view name);

// A comma-separated list of identity names ("keyboard-receiver,mouse"). Spaces around names are
// ignored; an empty item, an unknown name or a repeated one is an error. On failure the list is left
// unchanged and error says why.
bool parseIdentityList(std::string_view text, std::vector<Identity>& identities, std::string& error);

// Identities reached through a 2.4 GHz receiver, and the cable identity of the same product.
bool isReceiver(Identity identity);
Identity cableIdentityOf(Identity identity);

} // namespace v38::sim
