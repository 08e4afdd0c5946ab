// The default key function of every key position of the keyboard (170 positions) and of every
// button of the mouse (11 positions). The devices find their key slots by matching their own
// default tables against these, and the default profiles' "DefaultAssignment" values come from here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace v38 {

// Three bytes: function type and two parameters.
struct KeyFunction {
    uint8_t type = 0;
    uint8_t p1 = 0;
    uint8_t p2 = 0;
    // The 24-bit form a profile stores: type << 16 | p1 << 8 | p2.
    constexpr uint32_t packed() const { return (uint32_t(type) << 16) | (uint32_t(p1) << 8) | p2; }
    constexpr bool operator==(const KeyFunction&) const = default;
};

constexpr size_t kKeyPositionCount = 170;
constexpr size_t kMouseButtonCount = 11;

// Keyboard keys are (0x20, modifier bits, HID keyboard usage); (0x20, 0, 0) is a position without a key.
extern const std::array<KeyFunction, kKeyPositionCount> kKeyPositionTable;
extern const std::array<KeyFunction, kMouseButtonCount> kMouseButtonTable;

} // namespace v38
