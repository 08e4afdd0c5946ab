// PowerPanel: the state of one device's battery panel (battery group shown, last power block) and
// the pure interpretation of the 6-byte power block that the panel's view draws.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace v38 {

constexpr size_t kPowerBlockSize = 6;

// What the battery panel shows for one power block. Empty texts mean "leave unchanged".
struct PowerBlockView {
    enum class Logo { Unchanged, Shown, Hidden };

    int progressValue = 0; // 100 - battery percent, within 0..100
    std::string text;      // battery percent and "%", e.g. "80%"
    Logo wirelessLogo = Logo::Unchanged;
    std::string statusImage; // by the power state byte
    bool progressShown = false;
    std::string phoneToolTip; // mouse pad only: text key of the phone on its charging spot
    std::string phoneImage;
};

// b[0] battery percent, b[1] power state, b[3] wireless link, b[5] phone kind (mouse pad).
PowerBlockView interpretPowerBlock(uint16_t kindCode, const uint8_t* block);

class PowerPanel;

class PowerPanelListener {
public:
    virtual ~PowerPanelListener() = default;
    virtual void powerPanelChanged(const PowerPanel& panel) = 0;
};

class PowerPanel {
public:
    PowerPanel(uint16_t kindCode, int variant) : kindCode_(kindCode), variant_(variant) {}

    uint16_t kindCode() const { return kindCode_; }
    int variant() const { return variant_; }

    // Only keyboards and mice have a battery, so only they show the battery group.
    void showBatteryGroup(bool shown);
    bool batteryGroupShown() const { return batteryGroupShown_; }

    // Ignores a block shorter than kPowerBlockSize.
    void showPowerBlock(const uint8_t* block, size_t length);
    const std::optional<PowerBlockView>& powerBlock() const { return view_; }

    void setListener(PowerPanelListener* listener) { listener_ = listener; }

private:
    void changed();

    uint16_t kindCode_;
    int variant_;
    bool batteryGroupShown_ = false;
    std::optional<PowerBlockView> view_;
    PowerPanelListener* listener_ = nullptr;
};

} // namespace v38
