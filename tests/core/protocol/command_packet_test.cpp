#include "core/protocol/command_packet.h"

#include <gtest/gtest.h>

namespace v38 {
namespace {

TEST(CommandPacket, MinimalRequestHasChecksumOfItsCommandCode) {
    CommandPacket packet;
    packet.setCommand(1);
    packet.seal();
    EXPECT_EQ(packet.bytes[0], 4);
    EXPECT_EQ(packet.bytes[1], 0x01);
    EXPECT_EQ(packet.bytes[2], 0x00);
    EXPECT_EQ(packet.bytes[3], 0x01);
    EXPECT_TRUE(CommandPacket::hasValidChecksum(packet.bytes.data()));
}

TEST(CommandPacket, ChecksumCoversBytesThreeToSixtyThreeAndTruncatesToSixteenBits) {
    CommandPacket packet;
    packet.bytes.fill(0xFF); // report id and checksum bytes are not summed
    // 61 bytes of 0xFF = 15555 = 0x3CC3
    EXPECT_EQ(CommandPacket::checksum(packet.bytes.data()), 0x3CC3);
    packet.seal();
    EXPECT_EQ(packet.bytes[1], 0xC3);
    EXPECT_EQ(packet.bytes[2], 0x3C);

    packet.bytes[63] ^= 1;
    EXPECT_FALSE(CommandPacket::hasValidChecksum(packet.bytes.data()));
}

TEST(CommandPacket, AddressIsLittleEndianAndDataLeavesTheTailAlone) {
    CommandPacket packet;
    packet.setCommand(6);
    packet.setAddress(44, 0x00B8);
    EXPECT_EQ(packet.dataLength(), 44);
    EXPECT_EQ(packet.bytes[5], 0xB8);
    EXPECT_EQ(packet.bytes[6], 0x00);
    EXPECT_EQ(packet.offset(), 0x00B8);

    const uint8_t first[4] = {1, 2, 3, 4};
    const uint8_t second[2] = {9, 9};
    packet.setData(first, 4);
    packet.setData(second, 2);
    EXPECT_EQ(packet.data()[0], 9);
    EXPECT_EQ(packet.data()[2], 3);
    EXPECT_EQ(packet.data()[3], 4);
}

} // namespace
} // namespace v38
