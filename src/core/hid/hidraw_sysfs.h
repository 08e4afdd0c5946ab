// What sysfs tells about a hidraw node: identity from the HID device's uevent, its report
// descriptor, and the USB interface and device above it. Every file is read bounded.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace v38 {

struct HidrawNodeInfo {
    uint16_t bus = 0;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    std::string name;           // HID_NAME; may be empty
    int interfaceNumber = -1;   // -1 when the HID device does not sit on a USB interface
    uint16_t versionNumber = 0; // bcdDevice of the USB device; 0 when unknown
    bool descriptorRead = false;
    std::vector<uint8_t> descriptor; // empty unless descriptorRead

    bool sameIdentity(const HidrawNodeInfo& other) const;
};

// "hidraw" followed by a decimal number without leading zeros; number receives it.
bool isHidrawNodeName(std::string_view name, unsigned* number = nullptr);

// The hidraw node names under the class folder, ordered by number. A missing folder (no hidraw
// driver loaded) is an empty list; false only when the folder exists but cannot be listed.
bool listHidrawNodeNames(const std::string& sysClassHidraw, std::vector<std::string>& names);

// Takes HID_ID and HID_NAME from a uevent text, ignoring malformed lines. False without a
// well-formed HID_ID.
bool parseHidrawUevent(std::string_view text, HidrawNodeInfo& info);

// Reads one node. False when the node is absent or its identity cannot be read; an unreadable or
// oversized descriptor only leaves descriptorRead clear.
bool readHidrawNode(const std::string& sysClassHidraw, const std::string& nodeName, HidrawNodeInfo& info);

} // namespace v38
