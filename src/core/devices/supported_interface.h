// The HID interfaces the program talks to, by USB identity, interface, collection and usage, and the
// device kinds the device list shows with what each kind's device object is built with.
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

// Receiver kinds (6, 9) and the cable kind of the same device (2, 1); other kinds map to themselves.
bool isReceiverKind(uint16_t kind);
uint16_t cableKindOf(uint16_t kind);

// Kind index: the row of DeviceKindTable and DevicePanelTable.
enum DeviceKindIndex : int {
    kKindIndexMouse = 0,
    kKindIndexKeyboard = 1,
    kKindIndexMousePad = 2,
    kKindIndexHeadset = 3,
};
constexpr size_t kDeviceKindCount = 4;

// Kind index of a kind code of either route, -1 for an unknown code.
int kindIndexOfKindCode(uint16_t kind);

struct DeviceKindInfo {
    const char* name;           // names the default profile and the data subfolder
    const char* entryLayout;    // layout of the device list entry
    const char* entryTabGroup;  // option group of the entry's select button
    const char* powerContainer; // tab layout holding the power panels
    uint16_t vendorId;
    uint16_t productId;
    int iconKind; // doubles as the kind code of the cable route
    int iconVariant;
    int modelIndex;
};

const std::array<DeviceKindInfo, kDeviceKindCount>& DeviceKindTable();
// Row found by (vendor id, product id, icon kind, variant); -1 when none.
int findDeviceKind(uint16_t vendorId, uint16_t productId, int iconKind, int iconVariant);

struct DevicePanelInfo {
    int lightCount;
    int keyCount;
    bool hasReceiverVariant;
    int logoLight; // mouse only; -1 is the reserved "none chosen"
    const char* panelLayout;
    const char* lightConfigName;
};

const std::array<DevicePanelInfo, kDeviceKindCount>& DevicePanelTable();

} // namespace v38
