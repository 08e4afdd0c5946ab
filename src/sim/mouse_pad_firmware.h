// MousePadFirmware: the lit mouse pad (320F:1004) with 15 LEDs and a phone charging spot; lighting
// only, no keys or macros.
#pragma once

#include "sim/firmware_model.h"

namespace v38::sim {

class MousePadFirmware : public FirmwareModel {
public:
    static constexpr uint8_t kLedCount = 15;
    static constexpr uint8_t kProfileSlots = 4;
    // Records are written at slot x 64 (21 bytes) and read at slot x 31 (31 bytes).
    static constexpr size_t kModeRecordStride = 64;

    MousePadFirmware();

    // 0 none, 1-3 the kind of phone lying on the charging spot.
    void setPhone(uint8_t kind);
};

} // namespace v38::sim
