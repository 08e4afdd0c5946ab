#include "core/hid/hid_channel.h"
#include "core/hid/hid_path.h"

#include "fakes/scripted_hid_backend.h"

#include <gtest/gtest.h>

namespace v38 {
namespace {

using test::ScriptedHidBackend;

TEST(HidPath, MarkersAreFoundIgnoringCaseAndReducedToSixteenBits) {
    struct Case {
        const char* path;
        HidPathFields expected;
    };
    const Case cases[] = {
        {"/dev/hidraw3#vid_320f&pid_5055&mi_01&col04", {0x320F, 0x5055, 1, 4}},
        {"\\\\?\\HID#VID_320F&PID_5055&MI_01&COL0A#7&1", {0x320F, 0x5055, 1, 10}},
        {"/dev/hidraw0#vid_0c76&pid_1630&mi_03", {0x0C76, 0x1630, 3, 0}},
        {"/dev/hidraw1#vid_1320f&pid_", {0x320F, 0, 0, 0}},
        {"no markers at all", {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        HidPathFields fields = parseHidPathFields(c.path);
        EXPECT_EQ(fields.vendorId, c.expected.vendorId) << c.path;
        EXPECT_EQ(fields.productId, c.expected.productId) << c.path;
        EXPECT_EQ(fields.interfaceNumber, c.expected.interfaceNumber) << c.path;
        EXPECT_EQ(fields.collectionNumber, c.expected.collectionNumber) << c.path;
    }
    EXPECT_EQ(makeHidPath("/dev/hidraw3", 0x320F, 0x5055, 1, 4),
              "/dev/hidraw3#vid_320f&pid_5055&mi_01&col04");
    EXPECT_EQ(makeHidPath("/dev/hidraw0", 0x0C76, 0x1630, 3, 0), "/dev/hidraw0#vid_0c76&pid_1630&mi_03");
    EXPECT_EQ(makeHidPath("/dev/hidraw9", 1, 2, -1, 0), "/dev/hidraw9#vid_0001&pid_0002");
}

// A consumer-control collection: report 3 carries one 16-bit usage array element; a second,
// vendor-defined page has no values either, so the channel gets button items only.
const std::vector<uint8_t> kConsumerButtons = {
    0x05, 0x0C,       // Usage Page (Consumer)
    0x09, 0x01,       // Usage (Consumer Control)
    0xA1, 0x01,       // Collection (Application)
    0x85, 0x03,       //   Report ID (3)
    0x15, 0x00,       //   Logical Minimum (0)
    0x26, 0xFF, 0x03, //   Logical Maximum (1023)
    0x19, 0x00,       //   Usage Minimum (0)
    0x2A, 0xFF, 0x03, //   Usage Maximum (1023)
    0x75, 0x10,       //   Report Size (16)
    0x95, 0x01,       //   Report Count (1)
    0x81, 0x00,       //   Input (Data, Array)
    0x85, 0x05,       //   Report ID (5)
    0x06, 0x00, 0xFF, //   Usage Page (vendor FF00)
    0x19, 0x01,       //   Usage Minimum (1)
    0x29, 0x08,       //   Usage Maximum (8)
    0x15, 0x00,       //   Logical Minimum (0)
    0x25, 0x01,       //   Logical Maximum (1)
    0x75, 0x01,       //   Report Size (1)
    0x95, 0x08,       //   Report Count (8)
    0x81, 0x02,       //   Input (Data, Var, Abs)
    0xC0,             // End Collection
};

class HidChannelTest : public ::testing::Test {
protected:
    std::shared_ptr<ScriptedHidBackend> backend = std::make_shared<ScriptedHidBackend>(kConsumerButtons);
    HidChannel channel{backend};
};

TEST_F(HidChannelTest, OpenLearnsIdentityCapabilitiesAndPathNumbers) {
    ASSERT_TRUE(channel.open(ScriptedHidBackend::kPath, true, true, true, false));
    EXPECT_TRUE(channel.isOpen());
    EXPECT_EQ(channel.vendorId(), 0x320F);
    EXPECT_EQ(channel.versionNumber(), 0x0105);
    EXPECT_EQ(channel.usagePage(), 0x000C);
    EXPECT_EQ(channel.usage(), 0x0001);
    EXPECT_EQ(channel.inputReportLength(), 3); // id + 16 bits (report 5 is shorter)
    EXPECT_EQ(channel.inputReportBuffer().size(), 3u);
    EXPECT_EQ(channel.interfaceNumber(), 1u);
    EXPECT_EQ(channel.collectionNumber(), 4u);
    // No value capabilities: one button item per button capability and nothing else.
    const std::vector<HidDataItem>& items = channel.inputDataItems();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_TRUE(items[0].isButtonData);
    EXPECT_TRUE(items[1].isButtonData);
    EXPECT_EQ(items[0].reportId, 3u);
    EXPECT_EQ(items[1].usageMin, 1u);
    EXPECT_EQ(items[1].usageMax, 8u);
    EXPECT_EQ(items[1].usages.size(), items[1].maxUsageCount);

    channel.close();
    EXPECT_FALSE(channel.isOpen());
    EXPECT_TRUE(channel.inputDataItems().empty());
    channel.close(); // closing twice is harmless
}

TEST_F(HidChannelTest, OpenRefusesOverlongPathsAndUnknownOnes) {
    EXPECT_FALSE(channel.open(std::string(260, 'a'), true, true, true, false));
    EXPECT_EQ(channel.lastOpenError(), HidOpenError::InvalidPath);
    EXPECT_FALSE(channel.open("test:9#vid_0000&pid_0000", true, true, true, false));
    EXPECT_EQ(channel.lastOpenError(), HidOpenError::NotFound);
    EXPECT_FALSE(channel.isOpen());
}

TEST_F(HidChannelTest, OpenFailsWhenTheDescriptorIsUnreadable) {
    auto broken = std::make_shared<ScriptedHidBackend>(std::vector<uint8_t>{0xA1, 0x01}); // unbalanced
    HidChannel brokenChannel(broken);
    EXPECT_FALSE(brokenChannel.open(ScriptedHidBackend::kPath, true, true, true, false));
    EXPECT_EQ(brokenChannel.lastOpenError(), HidOpenError::DescriptorUnreadable);
    EXPECT_FALSE(brokenChannel.isOpen());
}

TEST_F(HidChannelTest, DecodeFillsOnlyTheItemsOfTheReportsId) {
    ASSERT_TRUE(channel.open(ScriptedHidBackend::kPath, true, true, true, false));
    const uint8_t volumeUp[] = {3, 0xE9, 0x00};
    ASSERT_TRUE(channel.decodeInput(volumeUp, sizeof volumeUp));
    std::vector<HidDataItem> items = channel.inputDataItems();
    EXPECT_TRUE(items[0].isDataSet);
    EXPECT_EQ(items[0].usages[0], 0xE9);
    EXPECT_FALSE(items[1].isDataSet);

    const uint8_t bits[] = {5, 0b0000'0101};
    ASSERT_TRUE(channel.decodeInput(bits, sizeof bits));
    items = channel.inputDataItems();
    EXPECT_EQ(items[1].usages[0], 1);
    EXPECT_EQ(items[1].usages[1], 3);
    EXPECT_EQ(items[1].usages[2], 0);
    EXPECT_EQ(items[0].usages[0], 0xE9); // untouched

    const uint8_t unknown[] = {9, 0xFF, 0xFF};
    std::vector<HidDataItem> before = channel.inputDataItems();
    EXPECT_TRUE(channel.decodeInput(unknown, sizeof unknown));
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(channel.inputDataItems()[i].usages, before[i].usages);
}

TEST_F(HidChannelTest, EnumerationListsAndWalksEveryPathOnce) {
    ASSERT_TRUE(channel.enumerate());
    ASSERT_EQ(channel.pathCount(), 1u);
    const std::string* path = channel.nextPath();
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(*path, ScriptedHidBackend::kPath);
    EXPECT_EQ(channel.nextPath(), nullptr);
    channel.freePathList();
    EXPECT_EQ(channel.nextPath(), nullptr);
}

TEST_F(HidChannelTest, TransfersOnAClosedChannelFailAtOnce) {
    uint8_t buffer[64] = {};
    size_t count = 7;
    EXPECT_EQ(channel.read(buffer, sizeof buffer, count, kHidInfinite), 0);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(channel.write(buffer, sizeof buffer, count, 1000), 0);
}

} // namespace
} // namespace v38
