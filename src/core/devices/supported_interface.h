// The HID interfaces the program talks to, by USB identity, interface, collection and usage.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace v38 {

// Device kind codes of the supported interfaces.
enum DeviceKindCode : uint16_t {
    kKindKeyboardCable = 1,
    kKindMouseCable = 2,
    kKindMousePad = 3,
    kKindMouseReceiver = 6,
    kKindHeadset = 7,
    kKindKeyboardReceiver = 9,
};

// Role of an interface: the command interface (vendor page) or the secondary one (consumer page).
constexpr uint16_t kRoleCommand = 0;
constexpr uint16_t kRoleSecondary = 0xFF;

struct SupportedInterface {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t interfaceNumber = 0;
    uint16_t collectionNumber = 0;
    uint16_t kind = 0;
    uint16_t role = 0;
    uint16_t attached = 0;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    uint16_t hasPeer = 0;
    uint16_t peerRow = 0;
    std::string path;

    // Same interface identity: every field but attached, the peer fields and the path.
    bool sameIdentity(const SupportedInterface& other) const;
};

constexpr size_t kSupportedInterfaceCount = 11;

// The fixed table; the device list keeps a working copy whose attached flags and paths change.
const std::array<SupportedInterface, kSupportedInterfaceCount>& SupportedInterfaceTable();

// Row of the table matching an interface's identity and top-level usage, or -1.
int findSupportedInterfaceRow(uint16_t vendorId, uint16_t productId, uint16_t interfaceNumber,
                              uint16_t collectionNumber, uint16_t usagePage, uint16_t usage);

} // namespace v38
