#include "core/protocol/device_link.h"

#include "core/platform/debug_log.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

namespace v38 {

namespace {

// Two lines of 32 bytes, groups of four: three spaces after each of the first three groups, two
// after the next four.
void tracePacket(const char* title, const uint8_t* packet) {
    debugOutput(title);
    for (int line = 0; line < 2; ++line) {
        const uint8_t* b = packet + line * 32;
        std::string text;
        char hex[4];
        for (int i = 0; i < 32; ++i) {
            std::snprintf(hex, sizeof hex, "%02x", b[i]);
            text += hex;
            if (i == 31)
                break;
            if (i % 4 != 3)
                text += ' ';
            else
                text += i < 12 ? "   " : "  ";
        }
        debugOutput(text);
    }
}

class BusyScope {
public:
    explicit BusyScope(std::atomic<int>& count) : count_(count) { ++count_; }
    ~BusyScope() { --count_; }

private:
    std::atomic<int>& count_;
};

} // namespace

DeviceLink::DeviceLink() : DeviceLink(processHidBackend()) {}

DeviceLink::DeviceLink(std::shared_ptr<HidBackend> backend) : wired_(backend), receiver_(backend) {}

void DeviceLink::setMode(int mode) {
    bool receiver = mode == 2;
    receiverMode_ = receiver;
    chunkSize_ = receiver ? kReceiverChunkSize : kWiredChunkSize;
}

bool DeviceLink::setDataBlockSize(uint16_t size) {
    if (size > kMaxDataBlockSize)
        return false;
    dataBlockSize_ = size;
    return true;
}

int DeviceLink::transact(const uint8_t* request, size_t requestLength, uint8_t* answer, size_t answerSize,
                         size_t& bytesRead) {
    return run(request, requestLength, answer, answerSize, bytesRead, true);
}

int DeviceLink::transactQuiet(const uint8_t* request, size_t requestLength, uint8_t* answer,
                              size_t answerSize, size_t& bytesRead) {
    return run(request, requestLength, answer, answerSize, bytesRead, false);
}

int DeviceLink::run(const uint8_t* request, size_t requestLength, uint8_t* answer, size_t answerSize,
                    size_t& bytesRead, bool trace) {
    BusyScope busy(busyCount_);
    bytesRead = 0;
    if (!open_ || !answer || answerSize == 0)
        return kLinkFailed;

    uint8_t packet[kPacketSize] = {};
    if (request)
        std::memcpy(packet, request, std::min(requestLength, kPacketSize));
    if (trace)
        tracePacket("命令", packet);

    bool receiver = receiverMode_;
    HidChannel& channel = receiver ? receiver_ : wired_;
    uint32_t timeout = receiver ? kReceiverTimeoutMs : kWiredTimeoutMs;

    size_t written = 0;
    int wrote;
    {
        std::lock_guard io(ioLock_);
        wrote = channel.write(packet, kPacketSize, written, timeout);
    }
    if (wrote != 1)
        return kLinkWriteFailed;

    int result = kLinkFailed;
    {
        std::lock_guard io(ioLock_);
        for (int reads = 0; reads < 2; ++reads) {
            result = channel.read(answer, answerSize, bytesRead, timeout);
            if (result != 1)
                break;
            uint8_t echoed = answerSize > 3 ? answer[3] : 0;
            if (echoed == packet[3])
                break;
            if (receiver && echoed == kCmdReceiverQuery) {
                result = kLinkUnreachable;
                break;
            }
        }
    }

    if (trace) {
        uint8_t shown[kPacketSize] = {};
        std::memcpy(shown, answer, std::min(answerSize, kPacketSize));
        tracePacket("返回", shown);
    }
    return result;
}

int DeviceLink::exchange(CommandPacket& request, uint8_t* answer, Lock lock, bool trace) {
    size_t bytesRead = 0;
    switch (lock) {
    case Lock::Command: {
        std::lock_guard guard(commandLock_);
        return run(request.bytes.data(), kPacketSize, answer, kPacketSize, bytesRead, trace);
    }
    case Lock::Lighting: {
        std::lock_guard guard(lightingLock_);
        return run(request.bytes.data(), kPacketSize, answer, kPacketSize, bytesRead, trace);
    }
    case Lock::None:
        break;
    }
    return run(request.bytes.data(), kPacketSize, answer, kPacketSize, bytesRead, trace);
}

namespace {

int judgeStatus(const uint8_t* answer) {
    if (answer[7] == kStatusRefused)
        return kLinkRefused;
    if (answer[7] == kStatusError)
        return kLinkError;
    return kLinkOk;
}

} // namespace

int DeviceLink::singlePacket(uint8_t code, uint8_t length, uint16_t offset, uint8_t* dest) {
    CommandPacket request;
    request.setCommand(code);
    request.setAddress(length, offset);
    request.seal();
    uint8_t answer[kPacketSize] = {};
    int result = exchange(request, answer, Lock::Command, true);
    if (result != kLinkOk)
        return result;
    result = judgeStatus(answer);
    if (result == kLinkOk && dest && length)
        std::memcpy(dest, answer + kPacketDataOffset, std::min<size_t>(length, kPacketDataCapacity));
    return result;
}

int DeviceLink::chunked(uint8_t code, Direction direction, uint8_t* dest, const uint8_t* src, size_t total,
                        uint32_t startOffset, uint8_t chunk, Lock lock, bool dropWhileBusy) {
    if (chunk == 0 || chunk > kPacketDataCapacity)
        chunk = kReceiverChunkSize;
    // Offsets are 16 bits on the wire: a transfer past the end would wrap and overwrite the start.
    if (total > kAddressSpace || startOffset > kAddressSpace - total)
        return kLinkFailed;
    // Cleared once per call: a short last packet still carries the previous packet's tail.
    CommandPacket request;
    request.setCommand(code);
    uint8_t answer[kPacketSize];
    for (size_t position = 0; position < total; position += chunk) {
        size_t length = std::min<size_t>(chunk, total - position);
        request.setAddress(static_cast<uint8_t>(length), static_cast<uint16_t>(startOffset + position));
        if (direction == Direction::Write)
            request.setData(src + position, length);
        request.seal();

        if (dropWhileBusy && busy()) {
            debugOutput("放弃灯光数据");
            continue;
        }
        std::memset(answer, 0, sizeof answer);
        int result = exchange(request, answer, lock, !dropWhileBusy);
        if (result != kLinkOk)
            return result;
        result = judgeStatus(answer);
        if (result != kLinkOk)
            return result;
        if (direction == Direction::Read)
            std::memcpy(dest + position, answer + kPacketDataOffset, length);
    }
    return kLinkOk;
}

int DeviceLink::beginSequence() {
    return singlePacket(kCmdBeginSequence, 0, 0, nullptr);
}

int DeviceLink::endSequence() {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return singlePacket(kCmdEndSequence, 0, 0, nullptr);
}

int DeviceLink::readDeviceInfo(uint8_t* dest) {
    uint8_t block[kDeviceInfoSize] = {};
    int result = chunked(kCmdReadDeviceInfo, Direction::Read, block, nullptr, kDeviceInfoSize, 0, chunkSize(),
                         Lock::Command, false);
    if (result == kLinkOk && dest)
        std::memcpy(dest, block, kDeviceInfoSize);
    return result;
}

int DeviceLink::readSettings(uint8_t* dest, size_t length, uint16_t offset) {
    return chunked(kCmdReadSettings, Direction::Read, dest, nullptr, length, offset, chunkSize(),
                   Lock::Command, false);
}

int DeviceLink::writeSettings(const uint8_t* src, size_t length, uint16_t offset) {
    return chunked(kCmdWriteSettings, Direction::Write, nullptr, src, length, offset, chunkSize(),
                   Lock::Command, false);
}

int DeviceLink::readKeyTable(uint8_t* dest) {
    return chunked(kCmdReadKeyTable, Direction::Read, dest, nullptr, dataBlockSize(), 0, chunkSize(),
                   Lock::Command, false);
}

int DeviceLink::writeKeyTable(const uint8_t* src, int page) {
    if (page >= 1 || page < 0)
        return kLinkBadKeyTablePage;
    return chunked(kCmdWriteKeyTable, Direction::Write, nullptr, src, dataBlockSize(),
                   static_cast<uint32_t>(page) * 512u, chunkSize(), Lock::Command, false);
}

int DeviceLink::writeKeyColours(const uint8_t* src, size_t length, int page, int pageSize) {
    uint64_t start = static_cast<uint64_t>(std::max(page, 0)) * static_cast<uint64_t>(std::max(pageSize, 0));
    if (start > kAddressSpace)
        return kLinkFailed;
    return chunked(kCmdWriteKeyColours, Direction::Write, nullptr, src, length, start, chunkSize(),
                   Lock::Lighting, false);
}

int DeviceLink::sendLightingFrame(const uint8_t* src, size_t length) {
    return chunked(kCmdLightingFrame, Direction::Write, nullptr, src, length, 0, chunkSize(), Lock::Lighting,
                   true);
}

int DeviceLink::writeMacroImage(const uint8_t* src, size_t length) {
    return chunked(kCmdWriteMacros, Direction::Write, nullptr, src, length, 0, chunkSize(), Lock::Command,
                   false);
}

int DeviceLink::writeRecoilImage(const uint8_t* src, size_t length) {
    return chunked(kCmdWriteRecoil, Direction::Write, nullptr, src, length, 0, kWiredChunkSize, Lock::None,
                   false);
}

int DeviceLink::readShortBlock(uint8_t* dest, size_t length, uint16_t offset) {
    return singlePacket(kCmdReadShort, static_cast<uint8_t>(std::min(length, kMaxShortRead)), offset, dest);
}

int DeviceLink::readLedSlotTable(uint8_t* dest) {
    return chunked(kCmdReadLedSlots, Direction::Read, dest, nullptr, dataBlockSize() / 3, 0, chunkSize(),
                   Lock::Command, false);
}

int DeviceLink::handLightingToHost() {
    return singlePacket(kCmdHostLighting, 0, 0, nullptr);
}

bool DeviceLink::ReceiverQuery() {
    if (!receiverMode())
        return true;
    CommandPacket request;
    request.setCommand(kCmdReceiverQuery);
    request.seal();
    uint8_t answer[kPacketSize] = {};
    int result = exchange(request, answer, Lock::Command, true);
    return result == kLinkOk && answer[8] == 0xFF && answer[7] != kStatusRefused && answer[7] != kStatusError;
}

} // namespace v38
