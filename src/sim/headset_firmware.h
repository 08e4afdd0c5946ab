// HeadsetFirmware: the USB headset (0C76:1630). Onboard lighting records and a power block over the
// command reports, and 13 LEDs driven directly by 17-byte output reports (report id 0xFF).
#pragma once

#include "sim/firmware_model.h"

#include <array>

namespace v38::sim {

class HeadsetFirmware : public FirmwareModel {
public:
    static constexpr uint8_t kLedCount = 13;
    static constexpr uint8_t kProfileSlots = 4;
    static constexpr size_t kModeRecordStride = 64;
    static constexpr uint8_t kLedReportId = 0xFF;
    static constexpr size_t kLedReportSize = 17;
    // The LED values are latched per bank (report byte 1: 0x22 or 0x44). LedOutput memory holds, for
    // each bank, red, green and blue of the 13 LEDs: offset bank * 39 + colour * 13 + led.
    static constexpr size_t kLedOutputSize = 2 * 3 * kLedCount;

    HeadsetFirmware();

    // Accepts the LED reports; anything else is ignored.
    bool handleOutputReport(const uint8_t* report, size_t length) override;
    // Red, green and blue of one LED in a bank (0 for 0x22, 1 for 0x44).
    std::array<uint8_t, 3> ledColour(size_t bank, size_t led) const;
};

} // namespace v38::sim
