#include "core/hid/report_descriptor.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace v38 {
namespace {

using Bytes = std::vector<uint8_t>;

constexpr HidReportType kIn = HidReportType::Input;
constexpr HidReportType kOut = HidReportType::Output;
constexpr HidReportType kFeat = HidReportType::Feature;

// The boot keyboard of the HID class definition, without report ids.
// Input: 8 modifier bits + 8 reserved bits + 6 x 8-bit key array = 64 bits -> 8 bytes + id byte = 9.
// Output: 5 LED bits + 3 padding bits = 8 bits -> 1 byte + id byte = 2. No feature report.
const Bytes kBootKeyboard = {
    0x05, 0x01, // Usage Page (Generic Desktop)
    0x09, 0x06, // Usage (Keyboard)
    0xA1, 0x01, // Collection (Application)
    0x05, 0x07, //   Usage Page (Keyboard)
    0x19, 0xE0, //   Usage Minimum (Left Control)
    0x29, 0xE7, //   Usage Maximum (Right GUI)
    0x15, 0x00, //   Logical Minimum (0)
    0x25, 0x01, //   Logical Maximum (1)
    0x75, 0x01, //   Report Size (1)
    0x95, 0x08, //   Report Count (8)
    0x81, 0x02, //   Input (Data, Variable, Absolute): modifiers
    0x95, 0x01, //   Report Count (1)
    0x75, 0x08, //   Report Size (8)
    0x81, 0x01, //   Input (Constant): reserved byte
    0x95, 0x05, //   Report Count (5)
    0x75, 0x01, //   Report Size (1)
    0x05, 0x08, //   Usage Page (LEDs)
    0x19, 0x01, //   Usage Minimum (Num Lock)
    0x29, 0x05, //   Usage Maximum (Kana)
    0x91, 0x02, //   Output (Data, Variable, Absolute): LEDs
    0x95, 0x01, //   Report Count (1)
    0x75, 0x03, //   Report Size (3)
    0x91, 0x01, //   Output (Constant): padding
    0x95, 0x06, //   Report Count (6)
    0x75, 0x08, //   Report Size (8)
    0x15, 0x00, //   Logical Minimum (0)
    0x25, 0x65, //   Logical Maximum (101)
    0x05, 0x07, //   Usage Page (Keyboard)
    0x19, 0x00, //   Usage Minimum (0)
    0x29, 0x65, //   Usage Maximum (101)
    0x81, 0x00, //   Input (Data, Array): key codes
    0xC0,       // End Collection
};

// A gaming mouse interface: the mouse (report 1: 5 buttons + 3 padding bits, X/Y 16-bit signed,
// wheel 8-bit signed = 48 bits -> 6 bytes + 1 = 7) and a vendor collection (report 4: 63 bytes in
// and out -> 64 each).
const Bytes kGamingMouse = {
    0x05, 0x01,       // Usage Page (Generic Desktop)
    0x09, 0x02,       // Usage (Mouse)
    0xA1, 0x01,       // Collection (Application)
    0x85, 0x01,       //   Report ID (1)
    0x09, 0x01,       //   Usage (Pointer)
    0xA1, 0x00,       //   Collection (Physical)
    0x05, 0x09,       //     Usage Page (Button)
    0x19, 0x01,       //     Usage Minimum (1)
    0x29, 0x05,       //     Usage Maximum (5)
    0x15, 0x00,       //     Logical Minimum (0)
    0x25, 0x01,       //     Logical Maximum (1)
    0x95, 0x05,       //     Report Count (5)
    0x75, 0x01,       //     Report Size (1)
    0x81, 0x02,       //     Input (Data, Variable, Absolute)
    0x95, 0x01,       //     Report Count (1)
    0x75, 0x03,       //     Report Size (3)
    0x81, 0x01,       //     Input (Constant)
    0x05, 0x01,       //     Usage Page (Generic Desktop)
    0x09, 0x30,       //     Usage (X)
    0x09, 0x31,       //     Usage (Y)
    0x16, 0x01, 0x80, //     Logical Minimum (-32767)
    0x26, 0xFF, 0x7F, //     Logical Maximum (32767)
    0x75, 0x10,       //     Report Size (16)
    0x95, 0x02,       //     Report Count (2)
    0x81, 0x06,       //     Input (Data, Variable, Relative)
    0x09, 0x38,       //     Usage (Wheel)
    0x15, 0x81,       //     Logical Minimum (-127)
    0x25, 0x7F,       //     Logical Maximum (127)
    0x75, 0x08,       //     Report Size (8)
    0x95, 0x01,       //     Report Count (1)
    0x81, 0x06,       //     Input (Data, Variable, Relative)
    0xC0,             //   End Collection
    0xC0,             // End Collection
    0x06, 0x1C, 0xFF, // Usage Page (Vendor 0xFF1C)
    0x09, 0x92,       // Usage (0x92)
    0xA1, 0x01,       // Collection (Application)
    0x85, 0x04,       //   Report ID (4)
    0x15, 0x00,       //   Logical Minimum (0)
    0x26, 0xFF, 0x00, //   Logical Maximum (255)
    0x75, 0x08,       //   Report Size (8)
    0x95, 0x3F,       //   Report Count (63)
    0x09, 0x01,       //   Usage (1)
    0x81, 0x02,       //   Input (Data, Variable, Absolute)
    0x09, 0x02,       //   Usage (2)
    0x91, 0x02,       //   Output (Data, Variable, Absolute)
    0xC0,             // End Collection
};

// A composite keyboard interface with four top-level collections, each with its own report id:
// 1 keyboard: 8 modifier bits + 120-bit key bitmap = 128 bits -> 17; LEDs out 8 bits -> 2.
// 2 system control: 3 bits + 5 padding -> 2.
// 3 consumer control: 2 x 16-bit array -> 5.
// 4 vendor: 63 bytes in and out -> 64.
const Bytes kCompositeKeyboard = {
    0x05, 0x01,       // Usage Page (Generic Desktop)
    0x09, 0x06,       // Usage (Keyboard)
    0xA1, 0x01,       // Collection (Application)
    0x85, 0x01,       //   Report ID (1)
    0x05, 0x07,       //   Usage Page (Keyboard)
    0x19, 0xE0,       //   Usage Minimum (Left Control)
    0x29, 0xE7,       //   Usage Maximum (Right GUI)
    0x15, 0x00,       //   Logical Minimum (0)
    0x25, 0x01,       //   Logical Maximum (1)
    0x75, 0x01,       //   Report Size (1)
    0x95, 0x08,       //   Report Count (8)
    0x81, 0x02,       //   Input (Data, Variable, Absolute)
    0x19, 0x00,       //   Usage Minimum (0)
    0x29, 0x77,       //   Usage Maximum (0x77)
    0x95, 0x78,       //   Report Count (120)
    0x81, 0x02,       //   Input (Data, Variable, Absolute): key bitmap
    0x05, 0x08,       //   Usage Page (LEDs)
    0x19, 0x01,       //   Usage Minimum (1)
    0x29, 0x05,       //   Usage Maximum (5)
    0x95, 0x05,       //   Report Count (5)
    0x91, 0x02,       //   Output (Data, Variable, Absolute)
    0x95, 0x03,       //   Report Count (3)
    0x91, 0x01,       //   Output (Constant)
    0xC0,             // End Collection
    0x05, 0x01,       // Usage Page (Generic Desktop)
    0x09, 0x80,       // Usage (System Control)
    0xA1, 0x01,       // Collection (Application)
    0x85, 0x02,       //   Report ID (2)
    0x19, 0x81,       //   Usage Minimum (System Power Down)
    0x29, 0x83,       //   Usage Maximum (System Wake Up)
    0x15, 0x00,       //   Logical Minimum (0)
    0x25, 0x01,       //   Logical Maximum (1)
    0x75, 0x01,       //   Report Size (1)
    0x95, 0x03,       //   Report Count (3)
    0x81, 0x02,       //   Input (Data, Variable, Absolute)
    0x95, 0x05,       //   Report Count (5)
    0x81, 0x01,       //   Input (Constant)
    0xC0,             // End Collection
    0x05, 0x0C,       // Usage Page (Consumer)
    0x09, 0x01,       // Usage (Consumer Control)
    0xA1, 0x01,       // Collection (Application)
    0x85, 0x03,       //   Report ID (3)
    0x19, 0x00,       //   Usage Minimum (0)
    0x2A, 0x3C, 0x02, //   Usage Maximum (0x23C)
    0x15, 0x00,       //   Logical Minimum (0)
    0x26, 0x3C, 0x02, //   Logical Maximum (0x23C)
    0x75, 0x10,       //   Report Size (16)
    0x95, 0x02,       //   Report Count (2)
    0x81, 0x00,       //   Input (Data, Array)
    0xC0,             // End Collection
    0x06, 0x1C, 0xFF, // Usage Page (Vendor 0xFF1C)
    0x09, 0x92,       // Usage (0x92)
    0xA1, 0x01,       // Collection (Application)
    0x85, 0x04,       //   Report ID (4)
    0x15, 0x00,       //   Logical Minimum (0)
    0x26, 0xFF, 0x00, //   Logical Maximum (255)
    0x75, 0x08,       //   Report Size (8)
    0x95, 0x3F,       //   Report Count (63)
    0x09, 0x01,       //   Usage (1)
    0x81, 0x02,       //   Input (Data, Variable, Absolute)
    0x09, 0x02,       //   Usage (2)
    0x91, 0x02,       //   Output (Data, Variable, Absolute)
    0xC0,             // End Collection
};

// A joystick without report ids for value scaling. Bits: X 0-7, Y 8-17, hat 18-21, padding 22-23,
// Rz 24-31 -> 4 bytes + id byte = 5.
const Bytes kJoystick = {
    0x05, 0x01,       // Usage Page (Generic Desktop)
    0x09, 0x04,       // Usage (Joystick)
    0xA1, 0x01,       // Collection (Application)
    0x09, 0x30,       //   Usage (X)
    0x15, 0x81,       //   Logical Minimum (-127)
    0x25, 0x7F,       //   Logical Maximum (127)
    0x36, 0x18, 0xFC, //   Physical Minimum (-1000)
    0x46, 0xE8, 0x03, //   Physical Maximum (1000)
    0x75, 0x08,       //   Report Size (8)
    0x95, 0x01,       //   Report Count (1)
    0x81, 0x02,       //   Input (Data, Variable, Absolute)
    0x09, 0x31,       //   Usage (Y)
    0x15, 0x00,       //   Logical Minimum (0)
    0x26, 0xFF, 0x03, //   Logical Maximum (1023)
    0x35, 0x00,       //   Physical Minimum (0)
    0x45, 0x64,       //   Physical Maximum (100)
    0x75, 0x0A,       //   Report Size (10)
    0x81, 0x02,       //   Input (Data, Variable, Absolute)
    0x09, 0x39,       //   Usage (Hat Switch)
    0x25, 0x07,       //   Logical Maximum (7)
    0x46, 0x3B, 0x01, //   Physical Maximum (315)
    0x75, 0x04,       //   Report Size (4)
    0x81, 0x42,       //   Input (Data, Variable, Absolute, Null State)
    0x75, 0x02,       //   Report Size (2)
    0x81, 0x01,       //   Input (Constant)
    0x09, 0x35,       //   Usage (Rz)
    0x25, 0x00,       //   Logical Maximum (0): no usable logical range
    0x45, 0x0A,       //   Physical Maximum (10)
    0x75, 0x08,       //   Report Size (8)
    0x81, 0x02,       //   Input (Data, Variable, Absolute)
    0xC0,             // End Collection
};

ReportDescriptor parse(const Bytes& bytes) {
    ReportDescriptor descriptor;
    EXPECT_TRUE(parseReportDescriptor(bytes.data(), bytes.size(), descriptor));
    return descriptor;
}

std::vector<uint16_t> usagesOn(const HidTopCollection& collection, uint16_t page, const Bytes& report,
                               HidStatus expected = HidStatus::Success) {
    std::vector<uint16_t> usages;
    EXPECT_EQ(getUsages(collection, kIn, page, report.data(), report.size(), usages), expected);
    return usages;
}

TEST(ReportDescriptor, BootKeyboardLayout) {
    ReportDescriptor d = parse(kBootKeyboard);
    EXPECT_FALSE(d.usesReportIds);
    ASSERT_EQ(d.collections.size(), 1u);
    const HidTopCollection& kb = d.collections[0];
    EXPECT_EQ(kb.caps.usagePage, 0x01);
    EXPECT_EQ(kb.caps.usage, 0x06);
    EXPECT_EQ(kb.reportIds, std::vector<uint8_t>{0});
    EXPECT_EQ(kb.caps.inputReportByteLength, 9);
    EXPECT_EQ(kb.caps.outputReportByteLength, 2);
    EXPECT_EQ(kb.caps.featureReportByteLength, 0);
    EXPECT_EQ(kb.caps.numberLinkCollectionNodes, 1);
    // Modifier range + key array range; padding makes no capability. 8 + 102 data indices.
    EXPECT_EQ(kb.caps.numberInputButtonCaps, 2);
    EXPECT_EQ(kb.caps.numberInputValueCaps, 0);
    EXPECT_EQ(kb.caps.numberInputDataIndices, 110);
    EXPECT_EQ(kb.caps.numberOutputButtonCaps, 1);
    EXPECT_EQ(kb.caps.numberOutputDataIndices, 5);
    ASSERT_EQ(kb.buttonCaps[0].size(), 2u);
    const HidButtonCaps& modifiers = kb.buttonCaps[0][0];
    EXPECT_TRUE(modifiers.isRange);
    EXPECT_EQ(modifiers.usagePage, 0x07);
    EXPECT_EQ(modifiers.usageMin, 0xE0);
    EXPECT_EQ(modifiers.usageMax, 0xE7);
    EXPECT_EQ(modifiers.dataIndexMin, 0);
    EXPECT_EQ(modifiers.dataIndexMax, 7);
    const HidButtonCaps& keys = kb.buttonCaps[0][1];
    EXPECT_EQ(keys.usageMin, 0x00);
    EXPECT_EQ(keys.usageMax, 0x65);
    EXPECT_EQ(keys.dataIndexMin, 8);
    EXPECT_EQ(keys.dataIndexMax, 109);
    // 8 modifiers can be on at once, plus the 6 array slots.
    EXPECT_EQ(maxUsageListLength(kb, kIn, 0x07), 14u);
    EXPECT_EQ(maxUsageListLength(kb, kIn, 0), 14u);
    EXPECT_EQ(maxUsageListLength(kb, kOut, 0x08), 5u);
    EXPECT_EQ(maxUsageListLength(kb, kFeat, 0), 0u);
}

TEST(ReportDescriptor, GamingMouseLayout) {
    ReportDescriptor d = parse(kGamingMouse);
    EXPECT_TRUE(d.usesReportIds);
    ASSERT_EQ(d.collections.size(), 2u);

    const HidTopCollection& mouse = d.collections[0];
    EXPECT_EQ(mouse.caps.usagePage, 0x01);
    EXPECT_EQ(mouse.caps.usage, 0x02);
    EXPECT_EQ(mouse.reportIds, std::vector<uint8_t>{1});
    EXPECT_EQ(mouse.caps.inputReportByteLength, 7);
    EXPECT_EQ(mouse.caps.outputReportByteLength, 0);
    EXPECT_EQ(mouse.caps.featureReportByteLength, 0);
    EXPECT_EQ(mouse.caps.numberLinkCollectionNodes, 2); // the pointer collection
    EXPECT_EQ(mouse.caps.numberInputButtonCaps, 1);
    EXPECT_EQ(mouse.caps.numberInputValueCaps, 3); // X and Y share a main item but get a cap each
    EXPECT_EQ(mouse.caps.numberInputDataIndices, 8);
    ASSERT_EQ(mouse.valueCaps[0].size(), 3u);
    const HidValueCaps& x = mouse.valueCaps[0][0];
    EXPECT_EQ(x.usagePage, 0x01);
    EXPECT_EQ(x.usageMin, 0x30);
    EXPECT_FALSE(x.isRange);
    EXPECT_FALSE(x.isAbsolute);
    EXPECT_EQ(x.bitSize, 16);
    EXPECT_EQ(x.reportCount, 1);
    EXPECT_EQ(x.logicalMin, -32767);
    EXPECT_EQ(x.logicalMax, 32767);
    EXPECT_EQ(x.linkCollection, 1);
    EXPECT_EQ(x.linkUsage, 0x01);
    EXPECT_EQ(mouse.valueCaps[0][1].usageMin, 0x31);
    EXPECT_EQ(mouse.valueCaps[0][2].usageMin, 0x38);
    EXPECT_EQ(mouse.valueCaps[0][2].logicalMin, -127);
    EXPECT_EQ(maxUsageListLength(mouse, kIn, 0x09), 5u);

    const HidTopCollection& vendor = d.collections[1];
    EXPECT_EQ(vendor.caps.usagePage, 0xFF1C);
    EXPECT_EQ(vendor.caps.usage, 0x92);
    EXPECT_EQ(vendor.reportIds, std::vector<uint8_t>{4});
    EXPECT_EQ(vendor.caps.inputReportByteLength, 64);
    EXPECT_EQ(vendor.caps.outputReportByteLength, 64);
    EXPECT_EQ(vendor.caps.numberLinkCollectionNodes, 1);
    // One usage spread over 63 elements is one value cap of 63, not 63 caps.
    ASSERT_EQ(vendor.valueCaps[0].size(), 1u);
    EXPECT_EQ(vendor.valueCaps[0][0].reportCount, 63);
    EXPECT_EQ(vendor.valueCaps[0][0].logicalMax, 255);
    EXPECT_EQ(vendor.caps.numberInputDataIndices, 1);
    ASSERT_EQ(vendor.valueCaps[1].size(), 1u);
    EXPECT_EQ(vendor.valueCaps[1][0].usageMin, 0x02);
    EXPECT_EQ(vendor.caps.numberOutputDataIndices, 1);
    EXPECT_EQ(vendor.caps.numberInputButtonCaps, 0);
}

TEST(ReportDescriptor, CompositeKeyboardLayout) {
    ReportDescriptor d = parse(kCompositeKeyboard);
    EXPECT_TRUE(d.usesReportIds);
    ASSERT_EQ(d.collections.size(), 4u);
    struct Expected {
        uint16_t page, usage;
        uint8_t id;
        uint16_t in, out, feature, buttonCaps, valueCaps, dataIndices;
    };
    const Expected expected[] = {
        {0x01, 0x06, 1, 17, 2, 0, 2, 0, 8 + 120},
        {0x01, 0x80, 2, 2, 0, 0, 1, 0, 3},
        {0x0C, 0x01, 3, 5, 0, 0, 1, 0, 0x23D},
        {0xFF1C, 0x92, 4, 64, 64, 0, 0, 1, 1},
    };
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const HidCapabilities& caps = d.collections[i].caps;
        EXPECT_EQ(caps.usagePage, expected[i].page);
        EXPECT_EQ(caps.usage, expected[i].usage);
        EXPECT_EQ(d.collections[i].reportIds, std::vector<uint8_t>{expected[i].id});
        EXPECT_EQ(caps.inputReportByteLength, expected[i].in);
        EXPECT_EQ(caps.outputReportByteLength, expected[i].out);
        EXPECT_EQ(caps.featureReportByteLength, expected[i].feature);
        EXPECT_EQ(caps.numberInputButtonCaps, expected[i].buttonCaps);
        EXPECT_EQ(caps.numberInputValueCaps, expected[i].valueCaps);
        EXPECT_EQ(caps.numberInputDataIndices, expected[i].dataIndices);
        EXPECT_EQ(caps.numberLinkCollectionNodes, 1);
    }
    EXPECT_EQ(d.collections[0].caps.numberOutputButtonCaps, 1);
    EXPECT_EQ(maxUsageListLength(d.collections[0], kIn, 0x07), 128u);
    EXPECT_EQ(maxUsageListLength(d.collections[2], kIn, 0x0C), 2u);
    EXPECT_EQ(maxUsageListLength(d.collections[2], kIn, 0x07), 0u);
}

TEST(ReportDescriptor, BootKeyboardUsagesFromBitmapAndArray) {
    const HidTopCollection kb = parse(kBootKeyboard).collections.at(0);
    // Left Shift; keys A and B; an index past the logical maximum and the "no key" index 0 name
    // nothing. Without report ids byte 0 is a placeholder whatever it holds.
    const Bytes report = {0x00, 0x02, 0x00, 0x04, 0x00, 0x70, 0x05, 0x00, 0x00};
    EXPECT_EQ(usagesOn(kb, 0x07, report), (std::vector<uint16_t>{0xE1, 0x04, 0x05}));
    Bytes otherIdByte = report;
    otherIdByte[0] = 0x09;
    EXPECT_EQ(usagesOn(kb, 0x07, otherIdByte), (std::vector<uint16_t>{0xE1, 0x04, 0x05}));
    EXPECT_TRUE(usagesOn(kb, 0x07, Bytes(9, 0)).empty());
    usagesOn(kb, 0x07, Bytes(8, 0), HidStatus::InvalidReportLength);
    usagesOn(kb, 0x0C, report, HidStatus::UsageNotFound);

    // No value caps: a value query finds nothing.
    uint32_t raw = 0;
    EXPECT_EQ(getUsageValue(kb, kIn, 0x07, 0x04, report.data(), report.size(), raw),
              HidStatus::UsageNotFound);
}

TEST(ReportDescriptor, CompositeUsagesFollowTheReportId) {
    ReportDescriptor d = parse(kCompositeKeyboard);
    const HidTopCollection& kb = d.collections[0];
    // Left Control, then bitmap bits for usages 0 (never reported), 0x04 and 0x1D. The bitmap starts
    // at bit 8 of the payload, so usage u is bit u % 8 of payload byte 1 + u / 8.
    Bytes report(17, 0);
    report[0] = 1;
    report[1] = 0x01;
    report[2] = 0x01 | 0x10;
    report[2 + 0x1D / 8] |= 1 << (0x1D % 8);
    EXPECT_EQ(usagesOn(kb, 0x07, report), (std::vector<uint16_t>{0xE0, 0x04, 0x1D}));
    Bytes foreign = report;
    foreign[0] = 9; // no item has this id
    usagesOn(kb, 0x07, foreign, HidStatus::IncompatibleReportId);
    usagesOn(kb, 0x0C, report, HidStatus::UsageNotFound);

    const HidTopCollection& system = d.collections[1];
    EXPECT_EQ(usagesOn(system, 0x01, {2, 0x06}), (std::vector<uint16_t>{0x82, 0x83}));

    const HidTopCollection& consumer = d.collections[2];
    // Volume Up, and an index beyond the logical maximum that names nothing.
    EXPECT_EQ(usagesOn(consumer, 0x0C, {3, 0xE9, 0x00, 0x00, 0x03}), (std::vector<uint16_t>{0xE9}));
    EXPECT_EQ(usagesOn(consumer, 0x0C, {3, 0xCD, 0x00, 0xE2, 0x00}), (std::vector<uint16_t>{0xCD, 0xE2}));
    usagesOn(consumer, 0x0C, {3, 0xCD, 0x00}, HidStatus::InvalidReportLength);

    const HidTopCollection& vendor = d.collections[3];
    Bytes vendorReport(64, 0);
    vendorReport[0] = 4;
    vendorReport[1] = 0xAA;
    vendorReport[2] = 0xBB;
    uint32_t raw = 0;
    EXPECT_EQ(getUsageValue(vendor, kIn, 0xFF1C, 0x01, vendorReport.data(), vendorReport.size(), raw),
              HidStatus::Success);
    EXPECT_EQ(raw, 0xAAu);
    // The output usage lives in output reports only.
    EXPECT_EQ(getUsageValue(vendor, kIn, 0xFF1C, 0x02, vendorReport.data(), vendorReport.size(), raw),
              HidStatus::UsageNotFound);
    EXPECT_EQ(getUsageValue(vendor, kOut, 0xFF1C, 0x02, vendorReport.data(), vendorReport.size(), raw),
              HidStatus::Success);
    EXPECT_EQ(getUsageValue(vendor, kIn, 0xFF1C, 0x01, vendorReport.data(), 63, raw),
              HidStatus::InvalidReportLength);
}

TEST(ReportDescriptor, MouseValuesAreSignedWithoutPhysicalRange) {
    const HidTopCollection mouse = parse(kGamingMouse).collections.at(0);
    // Buttons 1 and 3; X = -2, Y = 16, wheel = -1.
    const Bytes report = {1, 0x05, 0xFE, 0xFF, 0x10, 0x00, 0xFF};
    EXPECT_EQ(usagesOn(mouse, 0x09, report), (std::vector<uint16_t>{1, 3}));
    struct Case {
        uint16_t usage;
        uint32_t raw;
        int32_t scaled;
    };
    for (const Case& c : {Case{0x30, 0xFFFE, -2}, Case{0x31, 0x10, 16}, Case{0x38, 0xFF, -1}}) {
        SCOPED_TRACE(c.usage);
        uint32_t raw = 0;
        int32_t scaled = 0;
        EXPECT_EQ(getUsageValue(mouse, kIn, 0x01, c.usage, report.data(), report.size(), raw),
                  HidStatus::Success);
        EXPECT_EQ(raw, c.raw);
        EXPECT_EQ(getScaledUsageValue(mouse, kIn, 0x01, c.usage, report.data(), report.size(), scaled),
                  HidStatus::Success);
        EXPECT_EQ(scaled, c.scaled);
    }
    uint32_t raw = 0;
    const Bytes vendorReport = {4, 0x01, 0x02};
    EXPECT_EQ(getUsageValue(mouse, kIn, 0x01, 0x30, vendorReport.data(), vendorReport.size(), raw),
              HidStatus::IncompatibleReportId);
    EXPECT_EQ(getUsageValue(mouse, kIn, 0x01, 0x32, report.data(), report.size(), raw),
              HidStatus::UsageNotFound);
}

TEST(ReportDescriptor, JoystickValuesScaleToPhysicalRange) {
    const HidTopCollection joystick = parse(kJoystick).collections.at(0);
    EXPECT_EQ(joystick.caps.inputReportByteLength, 5);
    EXPECT_EQ(joystick.caps.numberInputValueCaps, 4);
    EXPECT_TRUE(joystick.valueCaps[0][2].hasNull);
    struct Case {
        Bytes report; // id placeholder, X, Y low 8 bits, Y high 2 bits | hat << 2, Rz
        uint16_t usage;
        uint32_t raw;
        HidStatus status;
        int32_t scaled;
    };
    const Case cases[] = {
        // X: -1000 + (v + 127) * 2000 / 254, truncated toward zero.
        {{0, 0x81, 0, 0, 0}, 0x30, 0x81, HidStatus::Success, -1000},
        {{0, 0x7F, 0, 0, 0}, 0x30, 0x7F, HidStatus::Success, 1000},
        {{0, 0x40, 0, 0, 0}, 0x30, 0x40, HidStatus::Success, 503},
        {{0, 0x80, 0, 0, 0}, 0x30, 0x80, HidStatus::ValueOutOfRange, 0},
        // Y = 512 spans two bytes: 512 * 100 / 1023 = 50.
        {{0, 0, 0x00, 0x02, 0}, 0x31, 512, HidStatus::Success, 50},
        // Hat 2 sits next to Y's top bits: 2 * 315 / 7 = 90; 8 is its null value.
        {{0, 0, 0xFF, 0x03 | 2 << 2, 0}, 0x39, 2, HidStatus::Success, 90},
        {{0, 0, 0, 8 << 2, 0}, 0x39, 8, HidStatus::ValueOutOfRange, 0},
        {{0, 0, 0, 0, 5}, 0x35, 5, HidStatus::BadLogicalPhysical, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "usage " << c.usage << " raw " << c.raw);
        uint32_t raw = 0;
        int32_t scaled = 0;
        EXPECT_EQ(getUsageValue(joystick, kIn, 0x01, c.usage, c.report.data(), c.report.size(), raw),
                  HidStatus::Success);
        EXPECT_EQ(raw, c.raw);
        EXPECT_EQ(getScaledUsageValue(joystick, kIn, 0x01, c.usage, c.report.data(), c.report.size(), scaled),
                  c.status);
        EXPECT_EQ(scaled, c.scaled);
    }
}

TEST(ReportDescriptor, ReportsSharedAcrossItemsAndCollections) {
    // Items before the first Report ID belong to report 0; report 5 is continued by a second
    // collection, so both see its whole length (8 + 16 bits -> 4 bytes). A long item is skipped,
    // Push/Pop restores the report size, a 4-byte usage carries its own page and a one-byte
    // logical maximum of 0xFF reads as 255.
    const Bytes bytes = {
        0x06, 0x00, 0xFF,             // Usage Page (Vendor 0xFF00)
        0x09, 0x01,                   // Usage (1)
        0xA1, 0x01,                   // Collection (Application)
        0x15, 0x00, 0x25, 0xFF,       //   Logical 0..0xFF
        0x75, 0x08, 0x95, 0x02,       //   8 bits x 2
        0x09, 0x10,                   //   Usage (0x10)
        0xB1, 0x02,                   //   Feature: report 0
        0x85, 0x05,                   //   Report ID (5)
        0xFE, 0x02, 0x10, 0xAA, 0xBB, //   long item
        0xA4,                         //   Push
        0x75, 0x10, 0x95, 0x01,       //   16 bits x 1
        0x0B, 0x30, 0x00, 0x01, 0x00, //   Usage (Generic Desktop X)
        0x81, 0x02,                   //   Input: report 5 bits 0-15
        0xB4,                         //   Pop
        0xC0,                         // End Collection
        0x09, 0x02,                   // Usage (2)
        0xA1, 0x01,                   // Collection (Application)
        0x95, 0x01,                   //   8 bits x 1
        0x09, 0x20,                   //   Usage (0x20)
        0x81, 0x02,                   //   Input: report 5 bits 16-23
        0xC0,                         // End Collection
    };
    ReportDescriptor d = parse(bytes);
    ASSERT_EQ(d.collections.size(), 2u);
    const HidTopCollection& first = d.collections[0];
    const HidTopCollection& second = d.collections[1];
    EXPECT_EQ(first.reportIds, (std::vector<uint8_t>{0, 5}));
    EXPECT_EQ(second.reportIds, std::vector<uint8_t>{5});
    EXPECT_EQ(first.caps.featureReportByteLength, 3);
    EXPECT_EQ(first.caps.inputReportByteLength, 4);
    EXPECT_EQ(second.caps.inputReportByteLength, 4);
    ASSERT_EQ(first.valueCaps[0].size(), 1u);
    EXPECT_EQ(first.valueCaps[0][0].usagePage, 0x01);
    EXPECT_EQ(first.valueCaps[0][0].bitSize, 16);
    ASSERT_EQ(second.valueCaps[0].size(), 1u);
    EXPECT_EQ(second.valueCaps[0][0].bitSize, 8);
    EXPECT_EQ(second.valueCaps[0][0].logicalMax, 255);
    ASSERT_EQ(second.fields.size(), 1u);
    EXPECT_EQ(second.fields[0].bitOffset, 16u);

    const Bytes report = {5, 0x34, 0x12, 0x56};
    uint32_t raw = 0;
    EXPECT_EQ(getUsageValue(first, kIn, 0x01, 0x30, report.data(), report.size(), raw), HidStatus::Success);
    EXPECT_EQ(raw, 0x1234u);
    EXPECT_EQ(getUsageValue(second, kIn, 0xFF00, 0x20, report.data(), report.size(), raw),
              HidStatus::Success);
    EXPECT_EQ(raw, 0x56u);
}

// Wraps items in one application collection.
Bytes inCollection(const Bytes& items) {
    Bytes bytes = {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01};
    bytes.insert(bytes.end(), items.begin(), items.end());
    bytes.push_back(0xC0);
    return bytes;
}

TEST(ReportDescriptor, RefusesMalformedDescriptors) {
    const Bytes field = {0x75, 0x08, 0x95, 0x01, 0x81, 0x02};
    Bytes manyCollections;
    for (int i = 0; i <= static_cast<int>(kMaxCollections); ++i)
        manyCollections.insert(manyCollections.end(), {0x09, 0x01, 0xA1, 0x01, 0xC0});
    Bytes manyUsages;
    for (size_t i = 0; i <= kMaxUsagesPerField; ++i)
        manyUsages.insert(manyUsages.end(), {0x09, 0x01});
    manyUsages.insert(manyUsages.end(), field.begin(), field.end());
    Bytes deepPush(17, 0xA4);
    struct Case {
        const char* name;
        Bytes bytes;
    };
    const Case cases[] = {
        {"empty", {}},
        {"truncated short item", {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x26, 0xFF}},
        {"truncated long item", inCollection({0xFE, 0x05, 0x00, 0x01, 0x02})},
        {"report id 0", inCollection({0x85, 0x00, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02})},
        {"report id above 255", inCollection({0x86, 0x00, 0x01})},
        {"collection left open", {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02}},
        {"end without collection", {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0xC0, 0xC0}},
        {"main item outside collections", field},
        {"no collection", {0x05, 0x01, 0x75, 0x08}},
        {"huge report count", inCollection({0x75, 0x08, 0x96, 0xFF, 0xFF, 0x81, 0x02})},
        {"huge report size", inCollection({0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0x95, 0x01, 0x81, 0x02})},
        {"report past its bound", inCollection({0x75, 0x08, 0x96, 0x01, 0x10, 0x81, 0x02})},
        {"report past its bound in pieces", inCollection({0x75, 0x08, 0x96, 0x00, 0x08, 0x81, 0x02, 0x96,
                                                          0x00, 0x08, 0x81, 0x02, 0x95, 0x01, 0x81, 0x02})},
        {"push stack overflow", inCollection(deepPush)},
        {"pop without push", inCollection({0xB4})},
        {"too many collections", manyCollections},
        {"too many usages", inCollection(manyUsages)},
        {"descriptor too long", inCollection(Bytes(kMaxDescriptorBytes, 0x00))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ReportDescriptor d;
        d.usesReportIds = true;
        d.collections.resize(1);
        EXPECT_FALSE(parseReportDescriptor(c.bytes.data(), c.bytes.size(), d));
        EXPECT_FALSE(d.usesReportIds);
        EXPECT_TRUE(d.collections.empty());
    }
    ReportDescriptor d;
    EXPECT_FALSE(parseReportDescriptor(nullptr, 4, d));
    // A report of exactly the largest size is accepted.
    const Bytes largest = inCollection({0x75, 0x08, 0x96, 0x00, 0x10, 0x81, 0x02});
    ASSERT_TRUE(parseReportDescriptor(largest.data(), largest.size(), d));
    EXPECT_EQ(d.collections[0].caps.inputReportByteLength, kMaxReportBits / 8 + 1);
}

} // namespace
} // namespace v38
