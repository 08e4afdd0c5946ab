#include "core/devices/power_panel.h"

#include "core/devices/supported_interface.h"

#include <algorithm>
#include <cstdio>

namespace v38 {

PowerBlockView interpretPowerBlock(uint16_t kindCode, const uint8_t* block) {
    PowerBlockView view;
    // The percent comes from the device; a bar cannot go past its ends.
    view.progressValue = std::clamp(100 - static_cast<int>(block[0]), 0, 100);
    char text[16];
    std::snprintf(text, sizeof text, "%d%s", block[0], "%");
    view.text = text;
    if (kindCode == kKindKeyboardCable || kindCode == kKindMouseCable)
        view.wirelessLogo = block[3] != 0 ? PowerBlockView::Logo::Shown : PowerBlockView::Logo::Hidden;
    switch (block[1]) {
    case 0:
        view.statusImage = "file='power/powered.png'";
        break;
    case 1:
        view.statusImage = "file='power/powering.png'";
        break;
    case 2:
        view.statusImage = "file='power/power.png'";
        break;
    default:
        break;
    }
    view.progressShown = !view.statusImage.empty();
    if (kindCode == kKindMousePad) {
        switch (block[5]) {
        case 1:
            view.phoneToolTip = "Phone_type_iphone";
            break;
        case 2:
            view.phoneToolTip = "Phone_type_samsung";
            break;
        case 3:
            view.phoneToolTip = "Phone_type_other";
            break;
        default:
            view.phoneToolTip = "Phone_type_no_device";
            break;
        }
        view.phoneImage = "file='power/" + view.phoneToolTip + ".png'";
    }
    return view;
}

void PowerPanel::showBatteryGroup(bool shown) {
    batteryGroupShown_ = shown;
    changed();
}

void PowerPanel::showPowerBlock(const uint8_t* block, size_t length) {
    if (!block || length < kPowerBlockSize)
        return;
    view_ = interpretPowerBlock(kindCode_, block);
    changed();
}

void PowerPanel::changed() {
    if (listener_)
        listener_->powerPanelChanged(*this);
}

} // namespace v38
