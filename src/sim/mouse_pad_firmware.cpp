#include "sim/mouse_pad_firmware.h"

namespace v38::sim {

MousePadFirmware::MousePadFirmware() : FirmwareModel(3, false) {
    fillInfo(0x0100, kProfileSlots, kLedCount, 0, 0, "V38 P1");
    std::vector<uint8_t>& settings = defineRegion(MemoryRegion::Settings, kProfileSlots * kModeRecordStride);
    // Slot 0: spectrum effect, full brightness, middle speed, white.
    settings[1] = 1;
    settings[2] = 4;
    settings[3] = 2;
    settings[5] = 1;
    settings[6] = settings[7] = settings[8] = 0xFF;
    defineRegion(MemoryRegion::Frame, static_cast<size_t>(kLedCount) * 3);
}

void MousePadFirmware::setPhone(uint8_t kind) {
    std::lock_guard lock(mutex_);
    regionBytes(MemoryRegion::Power)[kPowerPhone] = kind;
}

} // namespace v38::sim
