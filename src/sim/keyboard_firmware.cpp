#include "sim/keyboard_firmware.h"

#include <algorithm>
#include <array>

namespace v38::sim {

namespace {

struct KeyFunction {
    uint8_t type;
    uint8_t p1;
    uint8_t p2;
};

constexpr KeyFunction key(uint8_t usage) {
    return {0x20, 0, usage};
}
constexpr KeyFunction kBlank = {0x20, 0, 0}; // matrix position without a key

// Factory function of each key, row by row as the keys sit on the board (row r, column c at
// r * 21 + c): keyboard usages as (0x20, 0, usage), modifiers as (0x20, bit, 0), and the keyboard's
// own functions (0xA0 ..., 0xD0 ...).
constexpr std::array<KeyFunction, KeyboardFirmware::kKeySlots> kBoardLayout = {{
    // row 0: Esc, F1-F12, Print Screen, Scroll Lock, Pause, two function keys, three holes
    key(0x29),
    key(0x3A),
    key(0x3B),
    key(0x3C),
    key(0x3D),
    key(0x3E),
    key(0x3F),
    key(0x40),
    key(0x41),
    key(0x42),
    key(0x43),
    key(0x44),
    key(0x45),
    key(0x46),
    key(0x47),
    key(0x48),
    {0xA0, 0x1B, 0},
    {0xA0, 0x24, 0},
    kBlank,
    kBlank,
    kBlank,
    // row 1: grave, 1-0, minus, equals, Backspace, Insert, Home, Page Up, Num Lock, keypad / * -
    key(0x35),
    key(0x1E),
    key(0x1F),
    key(0x20),
    key(0x21),
    key(0x22),
    key(0x23),
    key(0x24),
    key(0x25),
    key(0x26),
    key(0x27),
    key(0x2D),
    key(0x2E),
    key(0x2A),
    key(0x49),
    key(0x4A),
    key(0x4B),
    key(0x53),
    key(0x54),
    key(0x55),
    key(0x56),
    // row 2: Tab, Q-P, brackets, backslash, Delete, End, Page Down, keypad 7-9, non-US hash
    key(0x2B),
    key(0x14),
    key(0x1A),
    key(0x08),
    key(0x15),
    key(0x17),
    key(0x1C),
    key(0x18),
    key(0x0C),
    key(0x12),
    key(0x13),
    key(0x2F),
    key(0x30),
    key(0x31),
    key(0x4C),
    key(0x4D),
    key(0x4E),
    key(0x5F),
    key(0x60),
    key(0x61),
    key(0x32),
    // row 3: Caps Lock, A-L, semicolon, apostrophe, Enter, keypad 4-6, international keys
    key(0x39),
    key(0x04),
    key(0x16),
    key(0x07),
    key(0x09),
    key(0x0A),
    key(0x0B),
    key(0x0D),
    key(0x0E),
    key(0x0F),
    key(0x33),
    key(0x34),
    key(0x28),
    key(0x5C),
    key(0x5D),
    key(0x5E),
    key(0x8A),
    key(0x8B),
    key(0x90),
    key(0x91),
    key(0x88),
    // row 4: left Shift, Z-M, comma, period, slash, right Shift, Up, keypad 1-3, international, hole
    {0x20, 0x02, 0},
    key(0x1D),
    key(0x1B),
    key(0x06),
    key(0x19),
    key(0x05),
    key(0x11),
    key(0x10),
    key(0x36),
    key(0x37),
    key(0x38),
    {0x20, 0x20, 0},
    key(0x52),
    key(0x59),
    key(0x5A),
    key(0x5B),
    key(0x87),
    key(0x89),
    key(0x64),
    key(0x85),
    kBlank,
    // row 5: left Control, GUI, Alt, Space, right Alt, Fn, Application, right Control, arrows, keypad
    // 0 . Enter +, five profile keys, right GUI
    {0x20, 0x01, 0},
    {0x20, 0x08, 0},
    {0x20, 0x04, 0},
    key(0x2C),
    {0x20, 0x40, 0},
    {0xA0, 0x01, 0},
    key(0x65),
    {0x20, 0x10, 0},
    key(0x50),
    key(0x51),
    key(0x4F),
    key(0x62),
    key(0x63),
    key(0x58),
    key(0x57),
    {0xD0, 0xA2, 1},
    {0xD0, 0xA2, 2},
    {0xD0, 0xA2, 3},
    {0xD0, 0xA2, 4},
    {0xD0, 0xA2, 5},
    {0x20, 0x80, 0},
}};

// Mode record of a fresh keyboard: wave effect, full brightness, middle speed, red, 1000 Hz.
void writeDefaultRecord(std::vector<uint8_t>& settings, size_t slot) {
    size_t at = slot * KeyboardFirmware::kModeRecordSize;
    uint8_t* record = settings.data() + at;
    record[0] = static_cast<uint8_t>(slot);
    record[1] = 1;    // effect
    record[2] = 4;    // brightness
    record[3] = 2;    // speed (device scale)
    record[4] = 0;    // direction
    record[5] = 1;    // multicolour
    record[6] = 0xFF; // red
    record[22] = 3;   // polling rate index
}

} // namespace

KeyboardFirmware::KeyboardFirmware() : FirmwareModel(1, true) {
    fillInfo(0x0105, kProfileSlots, kLedCount, kKeySlots, kMacroUnits, "V38 K1");

    std::vector<uint8_t>& settings = defineRegion(MemoryRegion::Settings, 256);
    for (size_t slot = 0; slot < kProfileSlots; ++slot)
        writeDefaultRecord(settings, slot);
    settings[0] = 0; // active slot

    std::vector<uint8_t>& defaults = defineRegion(MemoryRegion::DefaultKeys, 512);
    std::vector<uint8_t>& ledSlots = defineRegion(MemoryRegion::LedSlots, 512 / 3);
    for (uint8_t row = 0; row < kRows; ++row) {
        for (uint8_t column = 0; column < kColumns; ++column) {
            const KeyFunction& function = kBoardLayout[row * kColumns + column];
            uint8_t slot = keySlotAt(row, column);
            defaults[slot * 3] = function.type;
            defaults[slot * 3 + 1] = function.p1;
            defaults[slot * 3 + 2] = function.p2;
            ledSlots[slot] = ledSlotAt(row, column);
        }
    }
    std::vector<uint8_t>& active = defineRegion(MemoryRegion::ActiveKeys, 512);
    active = defaults;

    defineRegion(MemoryRegion::KeyColours, 512);
    defineRegion(MemoryRegion::Frame, static_cast<size_t>(kLedCount) * 3);
    defineRegion(MemoryRegion::Macros, static_cast<size_t>(kMacroUnits) * 128);
}

} // namespace v38::sim
