// MouseFirmware: the mouse behind the cable (320F:1000) and its receiver (320F:2000). Eleven buttons
// in 16 key slots, 15 LEDs, 128-byte mode records with five DPI stages, macro and recoil memory.
#pragma once

#include "sim/firmware_model.h"

namespace v38::sim {

class MouseFirmware : public FirmwareModel {
public:
    static constexpr uint8_t kKeySlots = 16;
    static constexpr uint8_t kLedCount = 15;
    static constexpr uint8_t kProfileSlots = 8;
    static constexpr size_t kModeRecordStride = 128;
    static constexpr uint8_t kMacroUnits = 32; // 4096 bytes
    static constexpr size_t kRecoilSize = 8192;
    // Sensor with the two-part DPI scale: 100 DPI steps up to 5000, then 200.
    static constexpr uint16_t kSensorCode = 0x3325;
    static constexpr uint8_t kDpiStep = 100;
    static constexpr uint16_t kMaxStep = 83; // 12000 DPI
    static constexpr uint16_t kMinDpi = 200;

    MouseFirmware();
};

} // namespace v38::sim
