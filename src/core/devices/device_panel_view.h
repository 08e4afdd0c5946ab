// DevicePanelView: what a device object asks of its panel in the window (the key picture's buttons,
// light buttons, function page tabs, the lighting panel). The panel implements it; tests record.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace v38 {

// One "DeviceKeyButton" child of the key picture: its name ("key_" + position) and user data
// ("light_" + position).
struct PanelButton {
    std::string name;
    std::string userData;
};

class DevicePanelView {
public:
    virtual ~DevicePanelView() = default;

    // The key picture's buttons in child order; an index into this list names a button below.
    virtual std::vector<PanelButton> keyPictureButtons() { return {}; }
    // Repaints a light button (the view skips hidden ones).
    virtual void paintLightButton(size_t /*button*/, uint8_t /*red*/, uint8_t /*green*/, uint8_t /*blue*/,
                                  uint8_t /*intensity*/) {}
    virtual void repaintKeyPicture() {}
    // Tabs of "device_function_switch" and "device_key_function_switch"; -1 leaves one unchanged.
    virtual void selectFunctionTabs(int /*functionTab*/, int /*keyFunctionTab*/) {}
    // The lighting panel adapts its effect list when several devices are shown.
    virtual void setSeveralDevicesVisible(bool /*several*/) {}
    virtual void setAudioLightInfo(const std::array<int, 3>& /*values*/) {}
    virtual std::optional<std::array<int, 3>> audioLightInfo() { return std::nullopt; }
};

} // namespace v38
