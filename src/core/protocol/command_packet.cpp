#include "core/protocol/command_packet.h"

#include <algorithm>
#include <cstring>

namespace v38 {

void CommandPacket::setCommand(uint8_t code) {
    bytes[0] = kCommandReportId;
    bytes[3] = code;
    bytes[7] = 0;
}

void CommandPacket::setAddress(uint8_t length, uint16_t offset) {
    bytes[4] = length;
    bytes[5] = static_cast<uint8_t>(offset & 0xFF);
    bytes[6] = static_cast<uint8_t>(offset >> 8);
}

void CommandPacket::setData(const uint8_t* data, size_t length) {
    if (data && length)
        std::memcpy(bytes.data() + kPacketDataOffset, data, std::min(length, kPacketDataCapacity));
}

void CommandPacket::seal() {
    uint16_t sum = checksum(bytes.data());
    bytes[1] = static_cast<uint8_t>(sum & 0xFF);
    bytes[2] = static_cast<uint8_t>(sum >> 8);
}

uint16_t CommandPacket::checksum(const uint8_t* packet64) {
    uint32_t sum = 0;
    for (size_t i = 3; i < kPacketSize; ++i)
        sum += packet64[i];
    return static_cast<uint16_t>(sum & 0xFFFF);
}

bool CommandPacket::hasValidChecksum(const uint8_t* packet64) {
    uint16_t stored = static_cast<uint16_t>(packet64[1] | packet64[2] << 8);
    return stored == checksum(packet64);
}

} // namespace v38
