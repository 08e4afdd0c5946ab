#include "sim/mouse_firmware.h"

#include <array>

namespace v38::sim {

namespace {

// Factory functions of the key slots in the mouse's own order; slots 11-15 are unused.
constexpr std::array<std::array<uint8_t, 3>, 11> kButtons = {{
    {0x10, 1, 0},   // left
    {0x10, 2, 0},   // right
    {0x10, 4, 0},   // middle
    {0x10, 8, 0},   // back
    {0x10, 16, 0},  // forward
    {0x13, 3, 0},   // DPI cycle
    {0x13, 1, 0},   // DPI up
    {0x13, 2, 0},   // DPI down
    {0x16, 144, 1}, // wheel function
    {0x14, 120, 2}, // fire key
    {0xA0, 27, 0},  // profile switch
}};

// Stage X = Y slider steps for 400, 800, 1600, 3200 and 6400 DPI.
constexpr std::array<uint16_t, 5> kStageSteps = {2, 6, 14, 30, 54};
constexpr std::array<std::array<uint8_t, 3>, 5> kStageColours = {
    {{0xFF, 0, 0}, {0, 0xFF, 0}, {0, 0, 0xFF}, {0xFF, 0xFF, 0}, {0xFF, 0, 0xFF}}};

void writeDefaultRecord(std::vector<uint8_t>& settings, size_t slot) {
    uint8_t* record = settings.data() + slot * MouseFirmware::kModeRecordStride;
    record[0] = static_cast<uint8_t>(slot);
    record[1] = 1;    // effect
    record[2] = 4;    // brightness
    record[3] = 2;    // speed (device scale)
    record[5] = 1;    // multicolour
    record[6] = 0xFF; // red
    record[11] = 3;   // polling rate index
    record[12] = 1;   // active DPI stage
    for (size_t s = 0; s < kStageSteps.size(); ++s) {
        uint8_t* stage = record + 14 + 9 * s;
        stage[0] = 1;
        stage[2] = static_cast<uint8_t>(kStageSteps[s] & 0xFF);
        stage[3] = static_cast<uint8_t>(kStageSteps[s] >> 8);
        stage[4] = stage[2];
        stage[5] = stage[3];
        stage[6] = kStageColours[s][0];
        stage[7] = kStageColours[s][1];
        stage[8] = kStageColours[s][2];
    }
    record[59] = 1;
    record[60] = 1920 & 0xFF;
    record[61] = 1920 >> 8;
    record[62] = 1080 & 0xFF;
    record[63] = 1080 >> 8;
    // 66-70: sensor calibration, written by the factory only.
    record[66] = 0x01;
    record[67] = 0x02;
}

} // namespace

MouseFirmware::MouseFirmware() : FirmwareModel(2, true) {
    fillInfo(0x0210, kProfileSlots, kLedCount, kKeySlots, kMacroUnits, "V38 M1");
    std::vector<uint8_t>& info = regionBytes(MemoryRegion::Info);
    info[kInfoSensor] = kSensorCode & 0xFF;
    info[kInfoSensor + 1] = kSensorCode >> 8;
    info[kInfoDpiStep] = kDpiStep;
    info[kInfoMaxStep] = kMaxStep & 0xFF;
    info[kInfoMaxStep + 1] = kMaxStep >> 8;
    info[kInfoMinDpi] = kMinDpi & 0xFF;
    info[kInfoMinDpi + 1] = kMinDpi >> 8;

    std::vector<uint8_t>& settings = defineRegion(MemoryRegion::Settings, kProfileSlots * kModeRecordStride);
    for (size_t slot = 0; slot < kProfileSlots; ++slot)
        writeDefaultRecord(settings, slot);
    settings[0] = 0; // active slot

    std::vector<uint8_t>& defaults = defineRegion(MemoryRegion::DefaultKeys, 512);
    for (size_t slot = 0; slot < kButtons.size(); ++slot)
        for (size_t b = 0; b < 3; ++b)
            defaults[slot * 3 + b] = kButtons[slot][b];
    defineRegion(MemoryRegion::ActiveKeys, 512) = defaults;

    defineRegion(MemoryRegion::Frame, static_cast<size_t>(kLedCount) * 3);
    defineRegion(MemoryRegion::Macros, static_cast<size_t>(kMacroUnits) * 128);
    defineRegion(MemoryRegion::Recoil, kRecoilSize);
}

} // namespace v38::sim
