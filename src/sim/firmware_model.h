// FirmwareModel: what a device does with command reports: memory regions the commands address,
// request checks, reads answered from memory, writes applied. Cable and receiver share one model.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace v38::sim {

// Device memory, by the commands that address it:
//   Info        3   device information block (34 bytes)
//   Settings    5/6 onboard mode records; byte 0 is the active slot
//   DefaultKeys 7   factory key table, 3 bytes per key slot (512)
//   ActiveKeys  9   key table in use (512, page 0 only)
//   LedSlots    27  LED slot of each key slot
//   KeyColours  11  per-key colours, 3 bytes per LED slot
//   Frame       18  lighting frame streamed by the host, 3 bytes per LED
//   Macros      21  macro memory image
//   Recoil      23  recoil pattern image
//   Power       26  power block (6 bytes, see kPower*)
//   LedOutput   -   the headset's LED values set by its 17-byte output reports
enum class MemoryRegion {
    Info,
    Settings,
    DefaultKeys,
    ActiveKeys,
    LedSlots,
    KeyColours,
    Frame,
    Macros,
    Recoil,
    Power,
    LedOutput
};
constexpr size_t kMemoryRegionCount = 11;

// How the request reached the device.
enum class Route { Cable, Receiver };

// Information block layout (all kinds; fields a kind lacks are 0).
constexpr size_t kInfoSize = 34;
constexpr size_t kInfoFirmwareVersion = 0; // 2 bytes, little-endian BCD (0x0105 = 1.05)
constexpr size_t kInfoDeviceKind = 2;      // kind code: 1 keyboard, 2 mouse, 3 mouse pad, 7 headset
constexpr size_t kInfoProfileSlots = 3;    // onboard profile slots
constexpr size_t kInfoLedCount = 4;
constexpr size_t kInfoKeySlots = 5;   // key slot count N (N x 3 <= 512)
constexpr size_t kInfoMacroUnits = 6; // macro memory size in units of 128 bytes
constexpr size_t kInfoSensor = 9;     // 2 bytes: sensor code (mouse)
constexpr size_t kInfoDpiStep = 11;   // DPI per slider step (mouse)
constexpr size_t kInfoMaxStep = 12;   // 2 bytes: highest slider step (mouse)
constexpr size_t kInfoMinDpi = 14;    // 2 bytes: lowest DPI (mouse)
constexpr size_t kInfoModelName = 16; // 16 bytes ASCII, zero padded

// Power block layout (command 26 at offset 0).
constexpr size_t kPowerSize = 6;
constexpr size_t kPowerBattery = 0; // percent
constexpr size_t kPowerState = 1;   // 0 on external power and full, 1 charging, 2 on battery
constexpr size_t kPowerLink = 3;    // 1 when the request came through the receiver
constexpr size_t kPowerAlert = 4;   // 1 while the battery is low (15 % or less)
constexpr size_t kPowerPhone = 5;   // mouse pad: phone on the charging spot, 0 none, 1-3 phone kind

constexpr uint8_t kAnswerOk = 0x00;
constexpr uint8_t kAnswerRefused = 0xFF; // bad checksum, unknown command, region the kind lacks
constexpr uint8_t kAnswerError = 0xFE;   // offset or length outside the region

class FirmwareModel {
public:
    virtual ~FirmwareModel() = default;
    FirmwareModel(const FirmwareModel&) = delete;
    FirmwareModel& operator=(const FirmwareModel&) = delete;

    uint8_t kindCode() const { return kindCode_; }

    // Serves one 64-byte request (byte 0 = report id 4) and returns the sealed 64-byte answer.
    std::array<uint8_t, 64> handleCommand(const uint8_t* request, Route route);
    // Any other output report of the command interface; false when the model ignores it.
    virtual bool handleOutputReport(const uint8_t* report, size_t length);

    // An answer that echoes the request with the given status and no data (for injected faults).
    static std::array<uint8_t, 64> statusAnswer(const uint8_t* request, uint8_t status);
    // Stores the checksum of bytes 3-63 in bytes 1-2.
    static void seal(std::array<uint8_t, 64>& packet);

    // Direct memory access for tests and tools; out-of-range parts are clipped.
    size_t regionSize(MemoryRegion region) const;
    std::vector<uint8_t> memory(MemoryRegion region) const;
    std::vector<uint8_t> memory(MemoryRegion region, size_t offset, size_t length) const;
    bool setMemory(MemoryRegion region, size_t offset, const std::vector<uint8_t>& bytes);

    // Battery devices only; others stay at 100 % on external power.
    void setBatteryLevel(uint8_t percent);
    // Whether a cable powers the device (set by the bus when the cable identity is plugged).
    void setCablePowered(bool powered);
    bool hostLighting() const;
    bool inSequence() const;

protected:
    FirmwareModel(uint8_t kindCode, bool hasBattery);
    // Constructors only: makes a region of the given size, zero-filled; absent regions are refused.
    std::vector<uint8_t>& defineRegion(MemoryRegion region, size_t size);
    void fillInfo(uint16_t firmwareVersion, uint8_t profileSlots, uint8_t ledCount, uint8_t keySlots,
                  uint8_t macroUnits, const char* modelName);
    std::vector<uint8_t>& regionBytes(MemoryRegion region) { return regions_[index(region)]; }
    static size_t index(MemoryRegion region) { return static_cast<size_t>(region); }

    // Guards every region and flag; derived classes take it in their own entry points.
    mutable std::mutex mutex_;

private:
    void refreshPowerBlock(Route route);

    uint8_t kindCode_;
    bool hasBattery_;
    bool cablePowered_ = false;
    bool hostLighting_ = false;
    bool inSequence_ = false;
    std::array<std::vector<uint8_t>, kMemoryRegionCount> regions_;
    std::array<bool, kMemoryRegionCount> present_{};
};

} // namespace v38::sim
