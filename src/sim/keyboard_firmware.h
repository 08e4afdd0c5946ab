// KeyboardFirmware: the keyboard behind the cable (320F:5055) and its receiver (320F:5088). A 6 x 21
// key matrix, one LED per key, 31-byte mode records and macro memory.
#pragma once

#include "sim/firmware_model.h"

namespace v38::sim {

class KeyboardFirmware : public FirmwareModel {
public:
    static constexpr uint8_t kRows = 6;
    static constexpr uint8_t kColumns = 21;
    static constexpr uint8_t kKeySlots = kRows * kColumns; // 126
    static constexpr uint8_t kLedCount = kKeySlots;
    static constexpr uint8_t kProfileSlots = 8;
    static constexpr size_t kModeRecordSize = 31;
    static constexpr uint8_t kMacroUnits = 32; // 4096 bytes

    KeyboardFirmware();

    // Key slot of the key at (row, column): the matrix is scanned column by column.
    static uint8_t keySlotAt(uint8_t row, uint8_t column) {
        return static_cast<uint8_t>(column * kRows + row);
    }
    // LED slot of the key at (row, column): the LED chain runs row by row, turning at each end.
    static uint8_t ledSlotAt(uint8_t row, uint8_t column) {
        return static_cast<uint8_t>(row * kColumns + (row % 2 == 0 ? column : kColumns - 1 - column));
    }
};

} // namespace v38::sim
