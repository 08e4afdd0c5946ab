#include "sim/firmware_model.h"

#include <algorithm>
#include <cstring>

namespace v38::sim {

namespace {

constexpr size_t kPacket = 64;
constexpr size_t kData = 8;
constexpr size_t kDataCapacity = kPacket - kData;

struct CommandTarget {
    uint8_t code;
    MemoryRegion region;
    bool write;
};

constexpr CommandTarget kTargets[] = {
    {0x03, MemoryRegion::Info, false},      {0x05, MemoryRegion::Settings, false},
    {0x06, MemoryRegion::Settings, true},   {0x07, MemoryRegion::DefaultKeys, false},
    {0x09, MemoryRegion::ActiveKeys, true}, {0x0B, MemoryRegion::KeyColours, true},
    {0x12, MemoryRegion::Frame, true},      {0x15, MemoryRegion::Macros, true},
    {0x17, MemoryRegion::Recoil, true},     {0x1A, MemoryRegion::Power, false},
    {0x1B, MemoryRegion::LedSlots, false},
};

const CommandTarget* findTarget(uint8_t code) {
    for (const CommandTarget& target : kTargets)
        if (target.code == code)
            return &target;
    return nullptr;
}

// The firmware sums on its own rather than with the host's packet code, so a fault in either shows
// up against the other.
bool checksumValid(const uint8_t* packet) {
    uint32_t sum = 0;
    for (size_t i = 3; i < kPacket; ++i)
        sum += packet[i];
    return (packet[1] | packet[2] << 8) == static_cast<int>(sum & 0xFFFF);
}

} // namespace

FirmwareModel::FirmwareModel(uint8_t kindCode, bool hasBattery)
    : kindCode_(kindCode), hasBattery_(hasBattery) {
    defineRegion(MemoryRegion::Info, kInfoSize);
    std::vector<uint8_t>& power = defineRegion(MemoryRegion::Power, kPowerSize);
    power[kPowerBattery] = hasBattery ? 85 : 100;
    power[kPowerState] = hasBattery ? 2 : 0;
}

std::vector<uint8_t>& FirmwareModel::defineRegion(MemoryRegion region, size_t size) {
    present_[index(region)] = true;
    regions_[index(region)].assign(size, 0);
    return regions_[index(region)];
}

void FirmwareModel::fillInfo(uint16_t firmwareVersion, uint8_t profileSlots, uint8_t ledCount,
                             uint8_t keySlots, uint8_t macroUnits, const char* modelName) {
    std::vector<uint8_t>& info = regionBytes(MemoryRegion::Info);
    info[kInfoFirmwareVersion] = static_cast<uint8_t>(firmwareVersion & 0xFF);
    info[kInfoFirmwareVersion + 1] = static_cast<uint8_t>(firmwareVersion >> 8);
    info[kInfoDeviceKind] = kindCode_;
    info[kInfoProfileSlots] = profileSlots;
    info[kInfoLedCount] = ledCount;
    info[kInfoKeySlots] = keySlots;
    info[kInfoMacroUnits] = macroUnits;
    size_t nameLength = std::min<size_t>(std::strlen(modelName), 16);
    std::memcpy(info.data() + kInfoModelName, modelName, nameLength);
}

void FirmwareModel::seal(std::array<uint8_t, 64>& packet) {
    uint32_t sum = 0;
    for (size_t i = 3; i < kPacket; ++i)
        sum += packet[i];
    packet[1] = static_cast<uint8_t>(sum & 0xFF);
    packet[2] = static_cast<uint8_t>(sum >> 8 & 0xFF);
}

std::array<uint8_t, 64> FirmwareModel::statusAnswer(const uint8_t* request, uint8_t status) {
    std::array<uint8_t, 64> answer{};
    answer[0] = request[0];
    std::memcpy(answer.data() + 3, request + 3, 4); // command code, length, offset
    answer[7] = status;
    seal(answer);
    return answer;
}

std::array<uint8_t, 64> FirmwareModel::handleCommand(const uint8_t* request, Route route) {
    std::lock_guard lock(mutex_);
    std::array<uint8_t, 64> answer = statusAnswer(request, kAnswerOk);
    auto finish = [&answer](uint8_t status) {
        answer[7] = status;
        seal(answer);
        return answer;
    };
    if (!checksumValid(request))
        return finish(kAnswerRefused);

    uint8_t code = request[3];
    switch (code) {
    case 0x01:
        inSequence_ = true;
        return finish(kAnswerOk);
    case 0x02:
        inSequence_ = false;
        return finish(kAnswerOk);
    case 0x1C:
        hostLighting_ = true;
        return finish(kAnswerOk);
    case 0xAA:
        // On the cable the device itself answers: always reachable.
        answer[kData] = 0xFF;
        return finish(kAnswerOk);
    default:
        break;
    }

    const CommandTarget* target = findTarget(code);
    if (!target || !present_[index(target->region)])
        return finish(kAnswerRefused);
    size_t length = request[4];
    size_t offset = static_cast<size_t>(request[5] | request[6] << 8);
    std::vector<uint8_t>& memory = regions_[index(target->region)];
    if (length > kDataCapacity || offset > memory.size() || length > memory.size() - offset)
        return finish(kAnswerError);
    if (target->write) {
        std::memcpy(memory.data() + offset, request + kData, length);
    } else {
        if (target->region == MemoryRegion::Power)
            refreshPowerBlock(route);
        std::memcpy(answer.data() + kData, memory.data() + offset, length);
    }
    return finish(kAnswerOk);
}

bool FirmwareModel::handleOutputReport(const uint8_t*, size_t) {
    return false;
}

void FirmwareModel::refreshPowerBlock(Route route) {
    std::vector<uint8_t>& power = regions_[index(MemoryRegion::Power)];
    power[kPowerLink] = route == Route::Receiver ? 1 : 0;
    if (!hasBattery_) {
        power[kPowerState] = 0;
        return;
    }
    if (cablePowered_)
        power[kPowerState] = power[kPowerBattery] < 100 ? 1 : 0;
    else
        power[kPowerState] = 2;
    power[kPowerAlert] = power[kPowerBattery] <= 15 ? 1 : 0;
}

size_t FirmwareModel::regionSize(MemoryRegion region) const {
    std::lock_guard lock(mutex_);
    return regions_[index(region)].size();
}

std::vector<uint8_t> FirmwareModel::memory(MemoryRegion region) const {
    std::lock_guard lock(mutex_);
    return regions_[index(region)];
}

std::vector<uint8_t> FirmwareModel::memory(MemoryRegion region, size_t offset, size_t length) const {
    std::lock_guard lock(mutex_);
    const std::vector<uint8_t>& bytes = regions_[index(region)];
    if (offset >= bytes.size())
        return {};
    length = std::min(length, bytes.size() - offset);
    return {bytes.begin() + static_cast<std::ptrdiff_t>(offset),
            bytes.begin() + static_cast<std::ptrdiff_t>(offset + length)};
}

bool FirmwareModel::setMemory(MemoryRegion region, size_t offset, const std::vector<uint8_t>& bytes) {
    std::lock_guard lock(mutex_);
    std::vector<uint8_t>& memory = regions_[index(region)];
    if (offset > memory.size() || bytes.size() > memory.size() - offset)
        return false;
    std::copy(bytes.begin(), bytes.end(), memory.begin() + static_cast<std::ptrdiff_t>(offset));
    return true;
}

void FirmwareModel::setBatteryLevel(uint8_t percent) {
    std::lock_guard lock(mutex_);
    if (hasBattery_)
        regions_[index(MemoryRegion::Power)][kPowerBattery] = std::min<uint8_t>(percent, 100);
}

void FirmwareModel::setCablePowered(bool powered) {
    std::lock_guard lock(mutex_);
    cablePowered_ = powered;
}

bool FirmwareModel::hostLighting() const {
    std::lock_guard lock(mutex_);
    return hostLighting_;
}

bool FirmwareModel::inSequence() const {
    std::lock_guard lock(mutex_);
    return inSequence_;
}

} // namespace v38::sim
