// ListedDevice: the device object the window's list makes for every kind until the family classes
// (keyboard, mouse, mouse pad, headset) take its place: the base object, plus the receiver's answer
// to whether its wireless device is reachable, which decides whether a receiver-only device is shown,
// and the power block read for the battery panel.
#pragma once

#include "core/devices/power_panel.h"
#include "core/devices/zelvix_usb_device.h"

namespace v38 {

class ListedDevice : public CZelvixUSBDevice {
public:
    using CZelvixUSBDevice::CZelvixUSBDevice;

    bool isReceiverLinked() override { return commandLink().ReceiverQuery(); }

    void refreshPowerState() override {
        PowerPanel* panel = powerPanel();
        if (!panel || !commandLink().isOpen())
            return;
        uint8_t block[kPowerBlockSize] = {};
        if (commandLink().readShortBlock(block, sizeof block, 0) == kLinkOk)
            panel->showPowerBlock(block, sizeof block);
    }
};

} // namespace v38
