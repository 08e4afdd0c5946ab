// DeviceEntry: one entry of the device list (one per device kind), with the images of its select
// button by icon kind.
#pragma once

#include <optional>
#include <string>

namespace v38 {

class CZelvixUSBDevice;

struct EntryIcons {
    std::string normal; // also the disabled image
    std::string selected;
    std::string synchroNormal;
    std::string synchroSelected;
    std::string toolTip; // text key
};

// Images of an icon kind and variant; nullopt for icon kind 3 with a variant other than 0 or 1,
// which leaves the images as they are.
std::optional<EntryIcons> entryIconsFor(int iconKind, int iconVariant);

struct DeviceEntry {
    int kindIndex = -1; // row of DeviceKindTable
    CZelvixUSBDevice* device = nullptr;
    int devicePanelIndex = -1; // tab of the device's panel in "device_switch"
    std::string tabGroup;
    bool synchroCheck = false;
    int iconKind = 0;
    int iconVariant = 0;
    EntryIcons icons = *entryIconsFor(0, 0);
    std::string powerContainer;
    int powerIndex = -1; // tab of the power panel in its container; -1 none
    bool visible = true;
    bool selected = false;
    std::string name;
};

} // namespace v38
