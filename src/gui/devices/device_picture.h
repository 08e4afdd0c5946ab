// The picture of each device kind: a SelectPanel of DeviceKeyButtons with the device's outline. The
// keyboard's keys come from the generated key cap table; the other kinds' buttons are placed here.
#pragma once

#include <vector>

class QWidget;

namespace v38 {

class CDeviceKeyButtonUI;
class CSelectPanelUI;

struct DevicePicture {
    CSelectPanelUI* panel = nullptr;
    // Every DeviceKeyButton in child order.
    std::vector<CDeviceKeyButtonUI*> buttons;
};

// kindIndex 0 mouse, 1 keyboard, 2 mouse pad, 3 headset; parent is the picture's container.
DevicePicture buildDevicePicture(int kindIndex, QWidget* parent);

} // namespace v38
