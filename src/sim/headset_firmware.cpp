#include "sim/headset_firmware.h"

namespace v38::sim {

HeadsetFirmware::HeadsetFirmware() : FirmwareModel(7, false) {
    fillInfo(0x0100, kProfileSlots, kLedCount, 0, 0, "V38 H1");
    std::vector<uint8_t>& settings = defineRegion(MemoryRegion::Settings, kProfileSlots * kModeRecordStride);
    settings[1] = 2; // breathing
    settings[2] = 4;
    settings[3] = 2;
    settings[6] = 0x19;
    settings[7] = 0xC3;
    settings[8] = 0xFF;
    defineRegion(MemoryRegion::LedOutput, kLedOutputSize);
}

bool HeadsetFirmware::handleOutputReport(const uint8_t* report, size_t length) {
    // Byte 2 selects colour and half: 0xAA-0xAC red/green/blue of LEDs 0-6, 0xAD-0xAF of LEDs 7-12.
    if (!report || length < 11 || report[0] != kLedReportId)
        return false;
    size_t bank;
    if (report[1] == 0x22)
        bank = 0;
    else if (report[1] == 0x44)
        bank = 1;
    else
        return false;
    uint8_t selector = report[2];
    if (selector < 0xAA || selector > 0xAF)
        return false;
    size_t colour = (selector - 0xAA) % 3;
    size_t first = selector >= 0xAD ? 7 : 0;
    size_t count = first == 0 ? 7 : kLedCount - 7;
    std::lock_guard lock(mutex_);
    std::vector<uint8_t>& leds = regionBytes(MemoryRegion::LedOutput);
    for (size_t i = 0; i < count; ++i)
        leds[bank * 39 + colour * kLedCount + first + i] = report[4 + i];
    return true;
}

std::array<uint8_t, 3> HeadsetFirmware::ledColour(size_t bank, size_t led) const {
    if (bank > 1 || led >= kLedCount)
        return {0, 0, 0};
    std::vector<uint8_t> leds = memory(MemoryRegion::LedOutput);
    return {leds[bank * 39 + led], leds[bank * 39 + kLedCount + led], leds[bank * 39 + 2 * kLedCount + led]};
}

} // namespace v38::sim
