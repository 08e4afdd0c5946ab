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

} // namespace v38
