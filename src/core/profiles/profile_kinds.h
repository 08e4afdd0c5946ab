// The device kinds that keep profiles: their kind codes and names (which name the data subfolder and
// the default profile) and which feature tabs of the device page each kind hides or shows.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace v38 {

constexpr int kProfileKindKeyboard = 1;
constexpr int kProfileKindMouse = 2;
constexpr int kProfileKindMousePad = 3;
constexpr int kProfileKindHeadset = 7;

// "keyboard", "mouse", "MousePad", "HD"; the receiver codes 9 and 6 name the keyboard and the mouse.
// Empty for any other code.
std::string_view kindNameForCode(int kind);
// The cable kind code of a kind name, compared without regard to case; 0 when unknown.
int kindCodeForName(std::string_view name);

// The feature tabs of a device page, numbered 1 to 8 in this order by selectTab.
inline constexpr std::array<std::string_view, 8> kFeatureTabs = {
    "cursor_Op_tab", "macro_Op_tab",      "system_Op_tab", "key_Op_tab",
    "deng_Op_tab",   "6533_voice_Op_tab", "magic_Op_tab",  "Virtual7.1_Op_tab",
};

enum class TabVisibility : uint8_t {
    Keep, // as the layout has it
    Hide,
    Show,
};

// What the page of device kind `kind` does with each tab of kFeatureTabs, applied when its profile
// list is loaded. Kinds without a row keep every tab as it is.
std::array<TabVisibility, kFeatureTabs.size()> featureTabVisibility(int kind);

} // namespace v38
