// DeviceLink's commands against the firmware models: memory, packet counts and result codes.
#include "sim/keyboard_firmware.h"
#include "sim/mouse_firmware.h"
#include "sim_link_fixture.h"

#include <cstring>

namespace v38::sim {
namespace {

using SettingsRoundTrip = SimLinkTest;

TEST_F(SettingsRoundTrip, WiredTakesTwoPacketsForOneHundredBytes) {
    DeviceLink link(backend);
    ASSERT_TRUE(openLink(link, Identity::Keyboard));
    std::vector<uint8_t> written = pattern(100, 3);

    ASSERT_EQ(link.writeSettings(written.data(), written.size(), 0x80), kLinkOk);
    EXPECT_EQ(memory(Identity::Keyboard, MemoryRegion::Settings, 0x80, 100), written);
    auto packets = requests(Identity::Keyboard, kCmdWriteSettings);
    ASSERT_EQ(packets.size(), 2u);
    EXPECT_EQ(packets[1][4], 44);
    EXPECT_EQ(packets[1][5], 0xB8);

    std::vector<uint8_t> read(100, 0);
    ASSERT_EQ(link.readSettings(read.data(), read.size(), 0x80), kLinkOk);
    EXPECT_EQ(read, written);
    EXPECT_EQ(requests(Identity::Keyboard, kCmdReadSettings).size(), 2u);
}

// The receiver relays to the same mouse: a write over the cable reads back through the receiver.
TEST_F(SettingsRoundTrip, ReceiverTakesFivePacketsAndSharesTheMouse) {
    DeviceLink cable(backend);
    DeviceLink receiver(backend);
    ASSERT_TRUE(openLink(cable, Identity::Mouse));
    ASSERT_TRUE(openLink(receiver, Identity::MouseReceiver));
    std::vector<uint8_t> written = pattern(100, 9);

    ASSERT_EQ(cable.writeSettings(written.data(), written.size(), 0x80), kLinkOk);
    std::vector<uint8_t> read(100, 0);
    ASSERT_EQ(receiver.readSettings(read.data(), read.size(), 0x80), kLinkOk);
    EXPECT_EQ(read, written);
    EXPECT_EQ(requests(Identity::MouseReceiver, kCmdReadSettings).size(), 5u);

    std::vector<uint8_t> second = pattern(100, 200);
    ASSERT_EQ(receiver.writeSettings(second.data(), second.size(), 0x100), kLinkOk);
    EXPECT_EQ(requests(Identity::MouseReceiver, kCmdWriteSettings).size(), 5u);
    EXPECT_EQ(memory(Identity::Mouse, MemoryRegion::Settings, 0x100, 100), second);
}

using Commands = SimLinkTest;

TEST_F(Commands, DeviceInfoBlockByRoute) {
    DeviceLink cable(backend);
    DeviceLink receiver(backend);
    ASSERT_TRUE(openLink(cable, Identity::Mouse));
    ASSERT_TRUE(openLink(receiver, Identity::MouseReceiver));
    uint8_t wired[kDeviceInfoSize] = {};
    uint8_t relayed[kDeviceInfoSize] = {};
    ASSERT_EQ(cable.readDeviceInfo(wired), kLinkOk);
    ASSERT_EQ(receiver.readDeviceInfo(relayed), kLinkOk);

    std::vector<uint8_t> info = memory(Identity::Mouse, MemoryRegion::Info, 0, kDeviceInfoSize);
    EXPECT_EQ(std::vector<uint8_t>(wired, wired + kDeviceInfoSize), info);
    EXPECT_EQ(std::vector<uint8_t>(relayed, relayed + kDeviceInfoSize), info);
    EXPECT_EQ(wired[kInfoDeviceKind], 2);
    EXPECT_EQ(wired[kInfoKeySlots], MouseFirmware::kKeySlots);
    EXPECT_EQ(wired[kInfoSensor] | wired[kInfoSensor + 1] << 8, 13093);
    EXPECT_EQ(requests(Identity::Mouse, kCmdReadDeviceInfo).size(), 1u);
    auto packets = requests(Identity::MouseReceiver, kCmdReadDeviceInfo);
    ASSERT_EQ(packets.size(), 2u);
    EXPECT_EQ(packets[1][4], 10);
    EXPECT_EQ(packets[1][5], 24);
}

// The layout read of a keyboard's first attach: info, default key table, LED slot table.
TEST_F(Commands, KeyboardKeyTablesReadAndWrite) {
    DeviceLink link(backend);
    ASSERT_TRUE(openLink(link, Identity::Keyboard));
    uint8_t info[kDeviceInfoSize] = {};
    ASSERT_EQ(link.readDeviceInfo(info), kLinkOk);
    uint16_t tableLength = static_cast<uint16_t>(info[kInfoKeySlots] * 3);
    ASSERT_TRUE(link.setDataBlockSize(tableLength));

    std::vector<uint8_t> defaults(512, 0);
    ASSERT_EQ(link.readKeyTable(defaults.data()), kLinkOk);
    EXPECT_EQ(std::vector<uint8_t>(defaults.begin(), defaults.begin() + tableLength),
              memory(Identity::Keyboard, MemoryRegion::DefaultKeys, 0, tableLength));
    EXPECT_EQ(requests(Identity::Keyboard, kCmdReadKeyTable).size(), 7u); // 378 bytes in 56s
    // Escape sits at row 0, column 0; A (usage 4) at row 3, column 1 of the column-scanned matrix.
    EXPECT_EQ(defaults[0], 0x20);
    EXPECT_EQ(defaults[2], 0x29);
    EXPECT_EQ(defaults[KeyboardFirmware::keySlotAt(3, 1) * 3 + 2], 0x04);

    std::vector<uint8_t> ledSlots(512, 0);
    ASSERT_EQ(link.readLedSlotTable(ledSlots.data()), kLinkOk);
    EXPECT_EQ(std::vector<uint8_t>(ledSlots.begin(), ledSlots.begin() + info[kInfoKeySlots]),
              memory(Identity::Keyboard, MemoryRegion::LedSlots, 0, info[kInfoKeySlots]));

    std::vector<uint8_t> table = pattern(tableLength, 1);
    ASSERT_EQ(link.writeKeyTable(table.data(), 0), kLinkOk);
    EXPECT_EQ(memory(Identity::Keyboard, MemoryRegion::ActiveKeys, 0, tableLength), table);
    size_t sent = requests(Identity::Keyboard, kCmdWriteKeyTable).size();
    EXPECT_EQ(link.writeKeyTable(table.data(), 1), kLinkBadKeyTablePage);
    EXPECT_EQ(requests(Identity::Keyboard, kCmdWriteKeyTable).size(), sent);
}

TEST_F(Commands, PowerBlockTellsCableFromReceiver) {
    backend->firmware(Identity::Mouse)->setBatteryLevel(12);
    DeviceLink cable(backend);
    DeviceLink receiver(backend);
    ASSERT_TRUE(openLink(cable, Identity::Mouse));
    ASSERT_TRUE(openLink(receiver, Identity::MouseReceiver));

    uint8_t wired[kPowerSize] = {};
    ASSERT_EQ(cable.readShortBlock(wired, kPowerSize, 0), kLinkOk);
    EXPECT_EQ(std::vector<uint8_t>(wired, wired + kPowerSize), (std::vector<uint8_t>{12, 1, 0, 0, 1, 0}));
    auto packets = requests(Identity::Mouse, kCmdReadShort);
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0][4], 6);

    // Without the cable the mouse runs on its battery.
    ASSERT_TRUE(backend->unplug(Identity::Mouse));
    uint8_t relayed[kPowerSize] = {};
    ASSERT_EQ(receiver.readShortBlock(relayed, kPowerSize, 0), kLinkOk);
    EXPECT_EQ(std::vector<uint8_t>(relayed, relayed + kPowerSize), (std::vector<uint8_t>{12, 2, 0, 1, 1, 0}));

    uint8_t beyond[8] = {};
    EXPECT_EQ(receiver.readShortBlock(beyond, 8, 0), kLinkError);
}

TEST_F(Commands, ReceiverQueryFollowsTheWirelessDevice) {
    DeviceLink receiver(backend);
    ASSERT_TRUE(openLink(receiver, Identity::MouseReceiver));
    EXPECT_TRUE(receiver.ReceiverQuery());

    ASSERT_TRUE(backend->setWirelessOn(Identity::MouseReceiver, false));
    EXPECT_FALSE(receiver.ReceiverQuery());
    uint8_t info[kDeviceInfoSize] = {};
    EXPECT_EQ(receiver.readDeviceInfo(info), kLinkUnreachable);
    std::vector<uint8_t> bytes = pattern(24, 5);
    std::vector<uint8_t> before = memory(Identity::Mouse, MemoryRegion::Settings, 0x40, 24);
    EXPECT_EQ(receiver.writeSettings(bytes.data(), bytes.size(), 0x40), kLinkUnreachable);
    EXPECT_EQ(memory(Identity::Mouse, MemoryRegion::Settings, 0x40, 24), before);

    ASSERT_TRUE(backend->setWirelessOn(Identity::MouseReceiver, true));
    EXPECT_TRUE(receiver.ReceiverQuery());
    EXPECT_FALSE(backend->setWirelessOn(Identity::Mouse, false)); // not a receiver

    // On the cable route nothing is sent at all.
    DeviceLink cable(backend);
    ASSERT_TRUE(openLink(cable, Identity::Mouse));
    EXPECT_TRUE(cable.ReceiverQuery());
    EXPECT_TRUE(requests(Identity::Mouse, kCmdReceiverQuery).empty());
}

TEST_F(Commands, FirmwareRefusesBadChecksumsUnknownCommandsAndStrayOffsets) {
    DeviceLink link(backend);
    ASSERT_TRUE(openLink(link, Identity::MousePad));
    CommandPacket request;
    request.setCommand(kCmdReadSettings);
    request.setAddress(8, 0);
    request.seal();
    request.bytes[1] ^= 0x01;
    uint8_t answer[kPacketSize] = {};
    size_t got = 0;
    ASSERT_EQ(link.transact(request.bytes.data(), kPacketSize, answer, sizeof answer, got), kLinkOk);
    EXPECT_EQ(answer[3], kCmdReadSettings);
    EXPECT_EQ(answer[7], kStatusRefused);
    EXPECT_TRUE(CommandPacket::hasValidChecksum(answer));

    uint8_t table[512] = {};
    EXPECT_EQ(link.readKeyTable(table), kLinkRefused); // a pad has no key table
    uint8_t far[8] = {};
    EXPECT_EQ(link.readSettings(far, sizeof far, 0x1000), kLinkError);
    EXPECT_EQ(link.beginSequence(), kLinkOk);
    EXPECT_TRUE(backend->firmware(Identity::MousePad)->inSequence());
    EXPECT_EQ(link.endSequence(), kLinkOk);
    EXPECT_EQ(link.handLightingToHost(), kLinkOk);
    EXPECT_TRUE(backend->firmware(Identity::MousePad)->hostLighting());
}

TEST_F(Commands, ImagesAndFramesLandInTheirRegions) {
    DeviceLink keyboard(backend);
    DeviceLink mouse(backend);
    ASSERT_TRUE(openLink(keyboard, Identity::Keyboard));
    ASSERT_TRUE(openLink(mouse, Identity::Mouse));

    std::vector<uint8_t> macros = pattern(300, 11);
    ASSERT_EQ(keyboard.writeMacroImage(macros.data(), macros.size()), kLinkOk);
    EXPECT_EQ(memory(Identity::Keyboard, MemoryRegion::Macros, 0, 300), macros);
    std::vector<uint8_t> colours = pattern(KeyboardFirmware::kLedCount * 3, 12);
    ASSERT_EQ(keyboard.writeKeyColours(colours.data(), colours.size(), 0, 512), kLinkOk);
    EXPECT_EQ(memory(Identity::Keyboard, MemoryRegion::KeyColours, 0, colours.size()), colours);

    std::vector<uint8_t> recoil = pattern(200, 13);
    ASSERT_EQ(mouse.writeRecoilImage(recoil.data(), recoil.size()), kLinkOk);
    EXPECT_EQ(memory(Identity::Mouse, MemoryRegion::Recoil, 0, 200), recoil);
    std::vector<uint8_t> frame = pattern(MouseFirmware::kLedCount * 3, 14);
    ASSERT_EQ(mouse.sendLightingFrame(frame.data(), frame.size()), kLinkOk);
    EXPECT_EQ(memory(Identity::Mouse, MemoryRegion::Frame, 0, frame.size()), frame);
    // A frame longer than the mouse's LEDs runs off the end of its frame buffer.
    std::vector<uint8_t> tooLong(frame.size() + 3, 0);
    EXPECT_EQ(mouse.sendLightingFrame(tooLong.data(), tooLong.size()), kLinkError);
}

} // namespace
} // namespace v38::sim
