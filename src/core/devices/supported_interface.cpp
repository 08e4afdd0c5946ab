#include "core/devices/supported_interface.h"

namespace v38 {

namespace {

SupportedInterface row(uint16_t vid, uint16_t pid, uint16_t interfaceNumber, uint16_t collection,
                       uint16_t kind, uint16_t role, uint16_t usagePage, uint16_t usage, uint16_t hasPeer,
                       uint16_t peerRow) {
    SupportedInterface entry;
    entry.vendorId = vid;
    entry.productId = pid;
    entry.interfaceNumber = interfaceNumber;
    entry.collectionNumber = collection;
    entry.kind = kind;
    entry.role = role;
    entry.usagePage = usagePage;
    entry.usage = usage;
    entry.hasPeer = hasPeer;
    entry.peerRow = peerRow;
    return entry;
}

} // namespace

bool SupportedInterface::sameIdentity(const SupportedInterface& other) const {
    return vendorId == other.vendorId && productId == other.productId &&
           interfaceNumber == other.interfaceNumber && collectionNumber == other.collectionNumber &&
           kind == other.kind && role == other.role && usagePage == other.usagePage && usage == other.usage;
}

const std::array<SupportedInterface, kSupportedInterfaceCount>& SupportedInterfaceTable() {
    static const std::array<SupportedInterface, kSupportedInterfaceCount> table = {
        row(0x320F, 0x5055, 1, 4, kKindKeyboardCable, kRoleCommand, 0xFF1C, 0x0092, 1, 2),
        row(0x320F, 0x5055, 1, 3, kKindKeyboardCable, kRoleSecondary, 0x000C, 0x0001, 1, 3),
        row(0x320F, 0x5088, 1, 4, kKindKeyboardReceiver, kRoleCommand, 0xFF1C, 0x0092, 1, 0),
        row(0x320F, 0x5088, 1, 3, kKindKeyboardReceiver, kRoleSecondary, 0x000C, 0x0001, 1, 1),
        row(0x320F, 0x1000, 1, 4, kKindMouseCable, kRoleCommand, 0xFF1C, 0x0092, 1, 6),
        row(0x320F, 0x1000, 1, 3, kKindMouseCable, kRoleSecondary, 0x000C, 0x0001, 1, 7),
        row(0x320F, 0x2000, 1, 4, kKindMouseReceiver, kRoleCommand, 0xFF1C, 0x0092, 1, 4),
        row(0x320F, 0x2000, 1, 3, kKindMouseReceiver, kRoleSecondary, 0x000C, 0x0001, 1, 5),
        row(0x320F, 0x1004, 1, 4, kKindMousePad, kRoleCommand, 0xFF1C, 0x0092, 0, 0),
        row(0x320F, 0x1004, 1, 3, kKindMousePad, kRoleSecondary, 0x000C, 0x0001, 0, 0),
        row(0x0C76, 0x1630, 3, 0, kKindHeadset, kRoleCommand, 0x000C, 0x0001, 0, 0),
    };
    return table;
}

int findSupportedInterfaceRow(uint16_t vendorId, uint16_t productId, uint16_t interfaceNumber,
                              uint16_t collectionNumber, uint16_t usagePage, uint16_t usage) {
    const auto& table = SupportedInterfaceTable();
    for (size_t i = 0; i < table.size(); ++i) {
        const SupportedInterface& entry = table[i];
        if (entry.vendorId == vendorId && entry.productId == productId &&
            entry.interfaceNumber == interfaceNumber && entry.collectionNumber == collectionNumber &&
            entry.usagePage == usagePage && entry.usage == usage)
            return static_cast<int>(i);
    }
    return -1;
}

bool isReceiverKind(uint16_t kind) {
    return kind == kKindMouseReceiver || kind == kKindKeyboardReceiver;
}

uint16_t cableKindOf(uint16_t kind) {
    if (kind == kKindMouseReceiver)
        return kKindMouseCable;
    if (kind == kKindKeyboardReceiver)
        return kKindKeyboardCable;
    return kind;
}

int kindIndexOfKindCode(uint16_t kind) {
    switch (cableKindOf(kind)) {
    case kKindMouseCable:
        return kKindIndexMouse;
    case kKindKeyboardCable:
        return kKindIndexKeyboard;
    case kKindMousePad:
        return kKindIndexMousePad;
    case kKindHeadset:
        return kKindIndexHeadset;
    default:
        return -1;
    }
}

const std::array<DeviceKindInfo, kDeviceKindCount>& DeviceKindTable() {
    static constexpr const char* kEntryLayout = "XML\\CustomControlXML\\DeviceOption.xml";
    static constexpr const char* kTabGroup = "tab_header_device";
    static constexpr const char* kPowerContainer = "device_power_switch";
    static const std::array<DeviceKindInfo, kDeviceKindCount> table = {{
        {"mouse", kEntryLayout, kTabGroup, kPowerContainer, 0x320F, 0x1000, 2, 0, 1},
        {"keyboard", kEntryLayout, kTabGroup, kPowerContainer, 0x320F, 0x5055, 1, 0, 0},
        {"MousePad", kEntryLayout, kTabGroup, kPowerContainer, 0x320F, 0x1004, 3, 0, 2},
        {"HD", kEntryLayout, kTabGroup, kPowerContainer, 0x0C76, 0x1630, 7, 0, 3},
    }};
    return table;
}

int findDeviceKind(uint16_t vendorId, uint16_t productId, int iconKind, int iconVariant) {
    const auto& table = DeviceKindTable();
    for (size_t i = 0; i < table.size(); ++i) {
        const DeviceKindInfo& kind = table[i];
        if (kind.vendorId == vendorId && kind.productId == productId && kind.iconKind == iconKind &&
            kind.iconVariant == iconVariant)
            return static_cast<int>(i);
    }
    return -1;
}

const std::array<DevicePanelInfo, kDeviceKindCount>& DevicePanelTable() {
    static const std::array<DevicePanelInfo, kDeviceKindCount> table = {{
        {15, 11, true, -1, "XML\\DeviceXml\\mousedevice.xml", "pexal_light"},
        {170, 170, true, -1, "XML\\DeviceXml\\keyboarddevice.xml", "pexal_light"},
        {15, 0, false, -1, "XML\\DeviceXml\\mousepaddevice.xml", "pexal_light"},
        {13, 0, false, -1, "XML\\DeviceXml\\hs6533device.xml", "pexal_light"},
    }};
    return table;
}

} // namespace v38
