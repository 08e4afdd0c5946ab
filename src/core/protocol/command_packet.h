// CommandPacket: the 64-byte request and answer report of the device protocol.
//   byte 0 report id (4), bytes 1-2 checksum (low, high), 3 command code, 4 data length,
//   5-6 offset (low, high), 7 reserved in a request / status in an answer, 8-63 data.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace v38 {

constexpr size_t kPacketSize = 64;
constexpr size_t kPacketDataOffset = 8;
constexpr size_t kPacketDataCapacity = kPacketSize - kPacketDataOffset; // 56
constexpr uint8_t kCommandReportId = 4;

constexpr uint8_t kStatusRefused = 0xFF;
constexpr uint8_t kStatusError = 0xFE;

// Command codes understood by the firmware.
enum CommandCode : uint8_t {
    kCmdBeginSequence = 0x01,
    kCmdEndSequence = 0x02,
    kCmdReadDeviceInfo = 0x03,
    kCmdReadSettings = 0x05,
    kCmdWriteSettings = 0x06,
    kCmdReadKeyTable = 0x07,
    kCmdWriteKeyTable = 0x09,
    kCmdWriteKeyColours = 0x0B,
    kCmdLightingFrame = 0x12,
    kCmdWriteMacros = 0x15,
    kCmdWriteRecoil = 0x17,
    kCmdReadShort = 0x1A,
    kCmdReadLedSlots = 0x1B,
    kCmdHostLighting = 0x1C,
    kCmdReceiverQuery = 0xAA,
};

struct CommandPacket {
    std::array<uint8_t, kPacketSize> bytes{};

    void clear() { bytes.fill(0); }
    // Report id, command code and reserved byte of a request.
    void setCommand(uint8_t code);
    // Data length and little-endian offset (bytes 4 to 6).
    void setAddress(uint8_t length, uint16_t offset);
    // Copies length data bytes from byte 8 on; bytes past them are left as they are.
    void setData(const uint8_t* data, size_t length);
    // Stores the checksum of bytes 3 to 63 in bytes 1 and 2.
    void seal();

    uint8_t command() const { return bytes[3]; }
    uint8_t dataLength() const { return bytes[4]; }
    uint16_t offset() const { return static_cast<uint16_t>(bytes[5] | bytes[6] << 8); }
    uint8_t status() const { return bytes[7]; }
    const uint8_t* data() const { return bytes.data() + kPacketDataOffset; }
    uint8_t* data() { return bytes.data() + kPacketDataOffset; }
    uint16_t storedChecksum() const { return static_cast<uint16_t>(bytes[1] | bytes[2] << 8); }

    // Sum of bytes 3 to 63 as unsigned values, truncated to 16 bits.
    static uint16_t checksum(const uint8_t* packet64);
    static bool hasValidChecksum(const uint8_t* packet64);
};

} // namespace v38
