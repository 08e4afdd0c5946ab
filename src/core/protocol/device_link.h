// DeviceLink: the protocol object of one device. It owns the cable and receiver routes, knows which
// one is active, runs one request/answer exchange at a time and offers the device commands.
#pragma once

#include "core/hid/hid_channel.h"
#include "core/protocol/command_packet.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>

namespace v38 {

// Result codes of transactions and commands.
enum LinkResult : int {
    kLinkOk = 1,
    kLinkFailed = 0, // link not open, or the read failed
    kLinkWriteFailed = -1,
    kLinkUnreachable = -101,     // the receiver cannot reach the wireless device
    kLinkRefused = -102,         // answer status 0xFF
    kLinkError = -103,           // answer status 0xFE
    kLinkBadKeyTablePage = -201, // the key table has only page 0
};

constexpr uint16_t kMaxDataBlockSize = 512;
constexpr uint8_t kWiredChunkSize = 56;
constexpr uint8_t kReceiverChunkSize = 24;
constexpr uint32_t kWiredTimeoutMs = 1000;
constexpr uint32_t kReceiverTimeoutMs = 5000;
constexpr size_t kDeviceInfoSize = 34;
constexpr size_t kMaxShortRead = 56;
// Device memory a command can address: 16-bit offsets.
constexpr size_t kAddressSpace = 0x10000;

class DeviceLink {
public:
    DeviceLink();
    explicit DeviceLink(std::shared_ptr<HidBackend> backend);
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    // 2 selects the receiver route (chunk 24, 5000 ms); any other value the cable (chunk 56, 1000 ms).
    void setMode(int mode);
    bool setDataBlockSize(uint16_t size);

    // One exchange: write the request (cut or zero-filled to 64 bytes) and read up to two answers until
    // one echoes the command code. Written to the debug stream as "命令"/"返回" with both packets.
    int transact(const uint8_t* request, size_t requestLength, uint8_t* answer, size_t answerSize,
                 size_t& bytesRead);
    // The same without the trace, for the lighting stream.
    int transactQuiet(const uint8_t* request, size_t requestLength, uint8_t* answer, size_t answerSize,
                      size_t& bytesRead);

    // The commands. Reads write exactly the transferred bytes to dest in device-memory order.
    // A transfer that would run past offset 0xFFFF sends nothing and returns 0.
    int beginSequence();                                                   // 1
    int endSequence();                                                     // 2
    int readDeviceInfo(uint8_t* dest);                                     // 3, 34 bytes
    int readSettings(uint8_t* dest, size_t length, uint16_t offset);       // 5
    int writeSettings(const uint8_t* src, size_t length, uint16_t offset); // 6
    int readKeyTable(uint8_t* dest);                                       // 7, data block size bytes
    int writeKeyTable(const uint8_t* src, int page);                       // 9
    int writeKeyColours(const uint8_t* src, size_t length, int page, int pageSize); // 11
    int sendLightingFrame(const uint8_t* src, size_t length);                       // 18
    int writeMacroImage(const uint8_t* src, size_t length);                         // 21
    int writeRecoilImage(const uint8_t* src, size_t length);                        // 23
    int readShortBlock(uint8_t* dest, size_t length, uint16_t offset);              // 26, length <= 56
    int readLedSlotTable(uint8_t* dest);                                            // 27, data block size / 3
    int handLightingToHost();                                                       // 28
    bool ReceiverQuery();                                                           // 170

    bool isOpen() const { return open_.load(); }
    // Set by the device list once it has opened the route selected by the mode.
    void setOpen(bool open) { open_ = open; }
    bool receiverMode() const { return receiverMode_.load(); }
    uint8_t chunkSize() const { return chunkSize_.load(); }
    uint16_t dataBlockSize() const { return dataBlockSize_.load(); }
    bool busy() const { return busyCount_.load() > 0; }
    bool lightingHold() const { return lightingHold_.load(); }
    void setLightingHold(bool hold) { lightingHold_ = hold; }

    HidChannel& wiredChannel() { return wired_; }
    HidChannel& receiverChannel() { return receiver_; }
    // The channel of the active route.
    HidChannel& activeChannel() { return receiverMode() ? receiver_ : wired_; }

    // Lock order: command or lighting lock first, then the I/O lock for one phase at a time.
    std::mutex& ioLock() { return ioLock_; }
    std::mutex& commandLock() { return commandLock_; }
    std::mutex& lightingLock() { return lightingLock_; }

private:
    enum class Lock { Command, Lighting, None };
    enum class Direction { Read, Write };

    int run(const uint8_t* request, size_t requestLength, uint8_t* answer, size_t answerSize,
            size_t& bytesRead, bool trace);
    int singlePacket(uint8_t code, uint8_t length, uint16_t offset, uint8_t* dest);
    int chunked(uint8_t code, Direction direction, uint8_t* dest, const uint8_t* src, size_t total,
                uint32_t startOffset, uint8_t chunk, Lock lock, bool dropWhileBusy);
    int exchange(CommandPacket& request, uint8_t* answer, Lock lock, bool trace);

    std::atomic<uint16_t> dataBlockSize_{kMaxDataBlockSize};
    // Transactions running now; the command and lighting locks let two overlap.
    std::atomic<int> busyCount_{0};
    std::atomic<bool> open_{false};
    std::atomic<bool> lightingHold_{false};
    HidChannel wired_;
    HidChannel receiver_;
    std::mutex ioLock_;
    std::mutex commandLock_;
    std::mutex lightingLock_;
    std::atomic<bool> receiverMode_{false};
    std::atomic<uint8_t> chunkSize_{kReceiverChunkSize};
};

} // namespace v38
