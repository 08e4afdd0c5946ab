#include "sim/device_layout.h"

#include "core/hid/hid_path.h"

#include <algorithm>

namespace v38::sim {

namespace {

// Interface 0 of the keyboards: a boot keyboard without report ids (8-byte input, LED output byte).
const std::vector<uint8_t> kBootKeyboardDescriptor = {
    0x05, 0x01,       // Usage Page (Generic Desktop)
    0x09, 0x06,       // Usage (Keyboard)
    0xA1, 0x01,       // Collection (Application)
    0x05, 0x07,       //   Usage Page (Keyboard/Keypad)
    0x19, 0xE0,       //   Usage Minimum (Left Control)
    0x29, 0xE7,       //   Usage Maximum (Right GUI)
    0x15, 0x00,       //   Logical Minimum (0)
    0x25, 0x01,       //   Logical Maximum (1)
    0x75, 0x01,       //   Report Size (1)
    0x95, 0x08,       //   Report Count (8)
    0x81, 0x02,       //   Input (Data, Variable, Absolute): modifiers
    0x95, 0x01,       //   Report Count (1)
    0x75, 0x08,       //   Report Size (8)
    0x81, 0x01,       //   Input (Constant): reserved byte
    0x95, 0x05,       //   Report Count (5)
    0x75, 0x01,       //   Report Size (1)
    0x05, 0x08,       //   Usage Page (LEDs)
    0x19, 0x01,       //   Usage Minimum (Num Lock)
    0x29, 0x05,       //   Usage Maximum (Kana)
    0x91, 0x02,       //   Output (Data, Variable, Absolute)
    0x95, 0x01,       //   Report Count (1)
    0x75, 0x03,       //   Report Size (3)
    0x91, 0x01,       //   Output (Constant): padding
    0x95, 0x06,       //   Report Count (6)
    0x75, 0x08,       //   Report Size (8)
    0x15, 0x00,       //   Logical Minimum (0)
    0x26, 0xFF, 0x00, //   Logical Maximum (255)
    0x05, 0x07,       //   Usage Page (Keyboard/Keypad)
    0x19, 0x00,       //   Usage Minimum (0)
    0x2A, 0xFF, 0x00, //   Usage Maximum (255)
    0x81, 0x00,       //   Input (Data, Array, Absolute): six key codes
    0xC0,             // End Collection
};

// Interface 0 of the mice: a boot-compatible mouse, five buttons, 16-bit X and Y, wheel.
const std::vector<uint8_t> kBootMouseDescriptor = {
    0x05, 0x01,       // Usage Page (Generic Desktop)
    0x09, 0x02,       // Usage (Mouse)
    0xA1, 0x01,       // Collection (Application)
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
    0x81, 0x01,       //     Input (Constant): padding
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
};

// Interface 1 of every 320F product: four top-level collections whose order fixes the &col numbers
// the supported-interface table expects (consumer = 3, command = 4).
const std::vector<uint8_t> kCompositeDescriptor = {
    // col01: n-key-rollover keyboard, report 1 (modifier byte and a 120-key bitmap; LED output).
    0x05, 0x01, // Usage Page (Generic Desktop)
    0x09, 0x06, // Usage (Keyboard)
    0xA1, 0x01, // Collection (Application)
    0x85, 0x01, //   Report ID (1)
    0x05, 0x07, //   Usage Page (Keyboard/Keypad)
    0x19, 0xE0, //   Usage Minimum (Left Control)
    0x29, 0xE7, //   Usage Maximum (Right GUI)
    0x15, 0x00, //   Logical Minimum (0)
    0x25, 0x01, //   Logical Maximum (1)
    0x75, 0x01, //   Report Size (1)
    0x95, 0x08, //   Report Count (8)
    0x81, 0x02, //   Input (Data, Variable, Absolute)
    0x19, 0x00, //   Usage Minimum (0)
    0x29, 0x77, //   Usage Maximum (119)
    0x95, 0x78, //   Report Count (120)
    0x81, 0x02, //   Input (Data, Variable, Absolute): key bitmap
    0x05, 0x08, //   Usage Page (LEDs)
    0x19, 0x01, //   Usage Minimum (Num Lock)
    0x29, 0x05, //   Usage Maximum (Kana)
    0x95, 0x05, //   Report Count (5)
    0x91, 0x02, //   Output (Data, Variable, Absolute)
    0x95, 0x03, //   Report Count (3)
    0x91, 0x01, //   Output (Constant): padding
    0xC0,       // End Collection
    // col02: system control, report 2 (power down, sleep, wake up).
    0x05, 0x01, // Usage Page (Generic Desktop)
    0x09, 0x80, // Usage (System Control)
    0xA1, 0x01, // Collection (Application)
    0x85, 0x02, //   Report ID (2)
    0x19, 0x81, //   Usage Minimum (System Power Down)
    0x29, 0x83, //   Usage Maximum (System Wake Up)
    0x15, 0x00, //   Logical Minimum (0)
    0x25, 0x01, //   Logical Maximum (1)
    0x75, 0x01, //   Report Size (1)
    0x95, 0x03, //   Report Count (3)
    0x81, 0x02, //   Input (Data, Variable, Absolute)
    0x95, 0x05, //   Report Count (5)
    0x81, 0x01, //   Input (Constant): padding
    0xC0,       // End Collection
    // col03: consumer control, report 3: one 16-bit usage, which also carries the device's
    // synchronisation requests (0x0401 ...) and onboard profile switches (0x10xx, 0x11xx).
    0x05, 0x0C,       // Usage Page (Consumer)
    0x09, 0x01,       // Usage (Consumer Control)
    0xA1, 0x01,       // Collection (Application)
    0x85, 0x03,       //   Report ID (3)
    0x15, 0x00,       //   Logical Minimum (0)
    0x26, 0xFF, 0x1F, //   Logical Maximum (0x1FFF)
    0x19, 0x00,       //   Usage Minimum (0)
    0x2A, 0xFF, 0x1F, //   Usage Maximum (0x1FFF)
    0x75, 0x10,       //   Report Size (16)
    0x95, 0x01,       //   Report Count (1)
    0x81, 0x00,       //   Input (Data, Array, Absolute)
    0xC0,             // End Collection
    // col04: vendor command channel, report 4: 63 bytes each way.
    0x06, 0x1C, 0xFF, // Usage Page (Vendor 0xFF1C)
    0x09, 0x92,       // Usage (0x92)
    0xA1, 0x01,       // Collection (Application)
    0x85, 0x04,       //   Report ID (4)
    0x15, 0x00,       //   Logical Minimum (0)
    0x26, 0xFF, 0x00, //   Logical Maximum (255)
    0x75, 0x08,       //   Report Size (8)
    0x95, 0x3F,       //   Report Count (63)
    0x09, 0x01,       //   Usage (1)
    0x81, 0x02,       //   Input (Data, Variable, Absolute): answers
    0x09, 0x02,       //   Usage (2)
    0x91, 0x02,       //   Output (Data, Variable, Absolute): requests
    0xC0,             // End Collection
};

// Interface 3 of the headset (0-2 are audio): one consumer collection holding the consumer input,
// the command reports and the 17-byte LED output report, so its path carries no &col marker.
const std::vector<uint8_t> kHeadsetDescriptor = {
    0x05, 0x0C,       // Usage Page (Consumer)
    0x09, 0x01,       // Usage (Consumer Control)
    0xA1, 0x01,       // Collection (Application)
    0x85, 0x01,       //   Report ID (1)
    0x15, 0x00,       //   Logical Minimum (0)
    0x26, 0xFF, 0x1F, //   Logical Maximum (0x1FFF)
    0x19, 0x00,       //   Usage Minimum (0)
    0x2A, 0xFF, 0x1F, //   Usage Maximum (0x1FFF)
    0x75, 0x10,       //   Report Size (16)
    0x95, 0x01,       //   Report Count (1)
    0x81, 0x00,       //   Input (Data, Array, Absolute): consumer usage
    0x85, 0x04,       //   Report ID (4)
    0x06, 0x1C, 0xFF, //   Usage Page (Vendor 0xFF1C)
    0x15, 0x00,       //   Logical Minimum (0)
    0x26, 0xFF, 0x00, //   Logical Maximum (255)
    0x75, 0x08,       //   Report Size (8)
    0x95, 0x3F,       //   Report Count (63)
    0x09, 0x01,       //   Usage (1)
    0x81, 0x02,       //   Input (Data, Variable, Absolute): answers
    0x09, 0x02,       //   Usage (2)
    0x91, 0x02,       //   Output (Data, Variable, Absolute): requests
    0x85, 0xFF,       //   Report ID (255)
    0x95, 0x10,       //   Report Count (16)
    0x09, 0x03,       //   Usage (3)
    0x91, 0x02,       //   Output (Data, Variable, Absolute): LED values
    0xC0,             // End Collection
};

using T = HidReportType;

InterfaceSpec bootKeyboardInterface() {
    return {
        0, kBootKeyboardDescriptor, {{0x0001, 0x0006, false, false, {{0, T::Input, 9}, {0, T::Output, 2}}}}};
}

InterfaceSpec bootMouseInterface() {
    return {0, kBootMouseDescriptor, {{0x0001, 0x0002, false, false, {{0, T::Input, 7}}}}};
}

InterfaceSpec compositeInterface() {
    return {1,
            kCompositeDescriptor,
            {
                {0x0001, 0x0006, false, false, {{1, T::Input, 17}, {1, T::Output, 2}}},
                {0x0001, 0x0080, false, false, {{2, T::Input, 2}}},
                {0x000C, 0x0001, false, true, {{3, T::Input, 3}}},
                {0xFF1C, 0x0092, true, false, {{4, T::Input, 64}, {4, T::Output, 64}}},
            }};
}

InterfaceSpec headsetInterface() {
    return {3,
            kHeadsetDescriptor,
            {{0x000C,
              0x0001,
              true,
              true,
              {{1, T::Input, 3}, {4, T::Input, 64}, {4, T::Output, 64}, {0xFF, T::Output, 17}}}}};
}

IdentitySpec makeSpec(Identity identity) {
    IdentitySpec layout;
    layout.identity = identity;
    switch (identity) {
    case Identity::Keyboard:
        layout.attributes = {0x320F, 0x5055, 0x0105};
        layout.interfaces = {bootKeyboardInterface(), compositeInterface()};
        break;
    case Identity::KeyboardReceiver:
        layout.attributes = {0x320F, 0x5088, 0x0102};
        layout.interfaces = {bootKeyboardInterface(), compositeInterface()};
        break;
    case Identity::Mouse:
        layout.attributes = {0x320F, 0x1000, 0x0210};
        layout.interfaces = {bootMouseInterface(), compositeInterface()};
        break;
    case Identity::MouseReceiver:
        layout.attributes = {0x320F, 0x2000, 0x0102};
        layout.interfaces = {bootMouseInterface(), compositeInterface()};
        break;
    case Identity::MousePad:
        // A pad has no keys or pointer: only the composite interface.
        layout.attributes = {0x320F, 0x1004, 0x0100};
        layout.interfaces = {compositeInterface()};
        break;
    case Identity::Headset:
        layout.attributes = {0x0C76, 0x1630, 0x0100};
        layout.interfaces = {headsetInterface()};
        break;
    }
    return layout;
}

} // namespace

bool CollectionSpec::hasReport(uint8_t id, HidReportType type) const {
    return reportLength(id, type) != 0;
}

uint16_t CollectionSpec::reportLength(uint8_t id, HidReportType type) const {
    for (const ReportSpec& report : reports)
        if (report.id == id && report.type == type)
            return report.length;
    return 0;
}

uint16_t CollectionSpec::maxReportLength(HidReportType type) const {
    uint16_t length = 0;
    for (const ReportSpec& report : reports)
        if (report.type == type)
            length = std::max(length, report.length);
    return length;
}

const IdentitySpec& identitySpec(Identity identity) {
    static const std::array<IdentitySpec, kIdentityCount> layouts = {
        makeSpec(Identity::Keyboard),      makeSpec(Identity::KeyboardReceiver), makeSpec(Identity::Mouse),
        makeSpec(Identity::MouseReceiver), makeSpec(Identity::MousePad),         makeSpec(Identity::Headset)};
    return layouts[identityIndex(identity)];
}

std::optional<CollectionAddress> findCollection(Identity identity, CollectionRole role) {
    const IdentitySpec& layout = identitySpec(identity);
    for (size_t i = 0; i < layout.interfaces.size(); ++i) {
        const auto& collections = layout.interfaces[i].collections;
        for (size_t c = 0; c < collections.size(); ++c) {
            const CollectionSpec& collection = collections[c];
            if (role == CollectionRole::Command ? collection.command : collection.consumer)
                return CollectionAddress{i, c};
        }
    }
    return std::nullopt;
}

std::string collectionPath(Identity identity, const CollectionAddress& address) {
    const IdentitySpec& layout = identitySpec(identity);
    if (address.interfaceIndex >= layout.interfaces.size())
        return {};
    const InterfaceSpec& interface = layout.interfaces[address.interfaceIndex];
    if (address.collectionIndex >= interface.collections.size())
        return {};
    std::string node = std::string("sim:") + identityName(identity) + "/" + std::to_string(interface.number);
    unsigned collection =
        interface.collections.size() > 1 ? static_cast<unsigned>(address.collectionIndex + 1) : 0;
    return makeHidPath(node, layout.attributes.vendorId, layout.attributes.productId, interface.number,
                       collection);
}

std::string commandPath(Identity identity) {
    std::optional<CollectionAddress> address = findCollection(identity, CollectionRole::Command);
    return address ? collectionPath(identity, *address) : std::string();
}

std::string consumerPath(Identity identity) {
    std::optional<CollectionAddress> address = findCollection(identity, CollectionRole::Consumer);
    return address ? collectionPath(identity, *address) : std::string();
}

std::vector<std::string> identityPaths(Identity identity) {
    std::vector<std::string> paths;
    const IdentitySpec& layout = identitySpec(identity);
    for (size_t i = 0; i < layout.interfaces.size(); ++i)
        for (size_t c = 0; c < layout.interfaces[i].collections.size(); ++c)
            paths.push_back(collectionPath(identity, {i, c}));
    return paths;
}

} // namespace v38::sim
