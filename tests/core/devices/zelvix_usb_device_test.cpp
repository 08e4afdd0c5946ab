#include "core/devices/zelvix_usb_device.h"
#include "core/protocol/command_packet.h"
#include "fakes/scripted_hid_backend.h"

#include <gtest/gtest.h>

#include <tuple>

namespace v38 {
namespace {

using test::ScriptedHidBackend;

struct RecordingView : DevicePanelView {
    struct Paint {
        size_t button;
        uint8_t red, green, blue, intensity;
        bool operator==(const Paint&) const = default;
    };
    std::vector<PanelButton> buttons;
    std::vector<Paint> paints;
    std::vector<std::pair<int, int>> tabs;

    std::vector<PanelButton> keyPictureButtons() override { return buttons; }
    void paintLightButton(size_t button, uint8_t red, uint8_t green, uint8_t blue,
                          uint8_t intensity) override {
        paints.push_back({button, red, green, blue, intensity});
    }
    void selectFunctionTabs(int functionTab, int keyFunctionTab) override {
        tabs.emplace_back(functionTab, keyFunctionTab);
    }
};

class DeviceBase : public ::testing::Test {
protected:
    std::shared_ptr<ScriptedHidBackend> backend = std::make_shared<ScriptedHidBackend>();
    ManualClock clock;
    CZelvixUSBDevice device{backend, clock};
    RecordingView view;

    void SetUp() override { device.setPanelView(&view); }

    void openRoute(bool receiver) {
        DeviceLink& link = device.commandLink();
        HidChannel& channel = receiver ? link.receiverChannel() : link.wiredChannel();
        ASSERT_TRUE(channel.open(ScriptedHidBackend::kPath, true, true, true, false));
        link.setOpen(true);
        link.setMode(receiver ? 2 : 1);
    }

    std::vector<test::Report> commands(uint8_t code) const {
        std::vector<test::Report> found;
        for (const test::Report& report : backend->written())
            if (report.size() == 64 && report[3] == code)
                found.push_back(report);
        return found;
    }
};

// Only "key_N" names below the key count and "light_N" user data below the light count bind.
TEST_F(DeviceBase, BindPanelControlsKeepsPositionsWithinTheCounts) {
    view.buttons = {{"key_0", ""},      {"key_169", "light_169"}, {"key_170", "light_170"},
                    {"key_200", ""},    {"key_7x", ""},           {"other", "light_0"},
                    {"key_", "light_"}, {"key_-1", "light_+1"},   {"KEY_1", "x"}};
    struct Case {
        int keyCount, lightCount;
        std::vector<std::pair<int, int>> keys, lights; // position -> button
        std::vector<size_t> paintedWhite;
    };
    const Case cases[] = {
        {170,
         170,
         {{0, 0}, {169, 1}, {170, -1}, {200, -1}, {7, -1}, {1, -1}},
         {{169, 1}, {0, 5}, {170, -1}},
         {1, 5}},
        {0, 15, {{0, -1}, {169, -1}}, {{0, 5}, {169, -1}}, {5}}, // mouse pad: no keys at all
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keyCount);
        view.paints.clear();
        device.setKeyCount(c.keyCount);
        device.setLightCount(c.lightCount);
        device.bindPanelControls();
        for (auto [position, button] : c.keys)
            EXPECT_EQ(device.keyButton(position), button) << "key " << position;
        for (auto [position, button] : c.lights)
            EXPECT_EQ(device.lightButton(position), button) << "light " << position;
        ASSERT_EQ(view.paints.size(), c.paintedWhite.size());
        for (size_t i = 0; i < c.paintedWhite.size(); ++i)
            EXPECT_EQ(view.paints[i], (RecordingView::Paint{c.paintedWhite[i], 255, 255, 255, 255}));
    }
}

TEST(FunctionPage, TabsByTypeAndKind) {
    struct Case {
        int type, kind, functionTab, keyFunctionTab;
    };
    const Case cases[] = {
        {2, 1, 0, 1}, {6, 7, 0, 1}, {3, 2, 1, -1}, {8, 3, 1, -1}, {4, 1, 3, -1}, {4, 2, 3, -1}, {4, 7, 0, 2},
        {4, 3, 0, 2}, {7, 2, 0, 2}, {5, 1, 2, -1}, {1, 1, 0, 0},  {0, 2, 0, 0},  {9, 7, 0, 0},  {-4, 2, 0, 0},
    };
    for (const Case& c : cases) {
        FunctionTabs tabs = functionPageTabs(c.type, c.kind);
        EXPECT_EQ(std::tie(tabs.functionTab, tabs.keyFunctionTab), std::tie(c.functionTab, c.keyFunctionTab))
            << "type " << c.type << " kind " << c.kind;
    }
}

TEST_F(DeviceBase, ShowFunctionPageSelectsTheTabsOfTheDeviceKind) {
    EXPECT_EQ(device.functionPageType(), 1);
    device.setIdentity(SupportedInterfaceTable()[10]); // headset
    device.showFunctionPage(4);
    device.setIdentity(SupportedInterfaceTable()[6]); // mouse through its receiver: still a mouse
    device.showFunctionPage(4);
    EXPECT_EQ(view.tabs, (std::vector<std::pair<int, int>>{{0, 2}, {3, -1}}));
    EXPECT_EQ(device.functionPageType(), 4);
    EXPECT_EQ(device.deviceKindCode(), kKindMouseCable);
}

TEST_F(DeviceBase, SendLightFrameStreamsOnTheCableOnlyAndAlwaysRepaints) {
    view.buttons = {{"", "light_1"}, {"", "light_0"}};
    device.setLightCount(2);
    device.bindPanelControls();
    device.setLedValue(0, packLedValue(255, 128, 0, 128));
    device.setLedValue(1, packLedValue(10, 20, 30, 255));
    const std::vector<RecordingView::Paint> repaint = {{1, 255, 128, 0, 128}, {0, 10, 20, 30, 255}};

    openRoute(false);
    view.paints.clear();
    device.sendLightFrame();
    EXPECT_EQ(view.paints, repaint);
    auto frames = commands(kCmdLightingFrame);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0][4], 6);
    EXPECT_EQ(std::vector<uint8_t>(frames[0].begin() + 8, frames[0].begin() + 14),
              (std::vector<uint8_t>{127, 64, 0, 9, 19, 29}));

    // Through the receiver: the buttons move, the device hears nothing.
    backend->clearWritten();
    device.commandLink().wiredChannel().close();
    openRoute(true);
    view.paints.clear();
    device.sendLightFrame();
    EXPECT_EQ(view.paints, repaint);
    EXPECT_EQ(backend->writeCount(), 0u);

    // Without software lighting control nothing happens at all.
    device.setSoftwareLightingControl(false);
    view.paints.clear();
    device.commandLink().setMode(1);
    device.sendLightFrame();
    EXPECT_TRUE(view.paints.empty());
    EXPECT_EQ(backend->writeCount(), 0u);
}

TEST_F(DeviceBase, AFailedFrameSendPausesTheCaller) {
    device.setLightCount(1);
    const Clock::TimePoint before = clock.now();
    device.sendLightFrame(); // link closed: the send returns 0
    EXPECT_EQ(clock.now() - before, std::chrono::milliseconds(200));
}

TEST_F(DeviceBase, LedValuesAreBoundedAndClearedByEverySetLightCount) {
    device.setLightCount(3);
    device.setLedValue(2, 0x11223344);
    device.setLedValue(3, 7);
    device.setLedValue(-1, 7);
    EXPECT_EQ(device.getLedValue(2), 0x11223344u);
    EXPECT_EQ(device.getLedValue(3), 0u);
    EXPECT_EQ(device.getLedValue(-1), 0u);
    device.setLightCount(3); // same count: lists kept, values cleared
    EXPECT_EQ(device.getLedValue(2), 0u);
    EXPECT_EQ(device.lightFrame().size(), 9u);
    device.setLightCount(-5);
    EXPECT_EQ(device.lightCount(), 0);
}

TEST_F(DeviceBase, SoftwareLightingControlHandsLightingToTheHostOnlyForACabledKeyboard) {
    openRoute(false);
    device.setIdentity(SupportedInterfaceTable()[4]); // mouse
    device.setSoftwareLightingControl(true);
    EXPECT_TRUE(commands(kCmdHostLighting).empty());
    device.setIdentity(SupportedInterfaceTable()[0]); // keyboard on the cable
    device.setSoftwareLightingControl(false);
    EXPECT_TRUE(commands(kCmdHostLighting).empty());
    device.setSoftwareLightingControl(true);
    EXPECT_EQ(commands(kCmdHostLighting).size(), 1u);
}

TEST_F(DeviceBase, ReceiverVariantDrivesTheBatteryGroupAndPowerPolling) {
    PowerPanel panel(kKindMouseCable, 0);
    device.setHasReceiverVariant(true);
    device.setPowerPanel(&panel);
    EXPECT_TRUE(panel.batteryGroupShown());
    device.pausePowerPolling(true);
    EXPECT_TRUE(device.powerPollingPaused());
    device.setHasReceiverVariant(false);
    EXPECT_FALSE(panel.batteryGroupShown());
    device.pausePowerPolling(false); // ignored without a receiver variant
    EXPECT_TRUE(device.powerPollingPaused());
}

TEST(DeviceStep, ByteArithmeticOfTheEffects) {
    struct Case {
        bool forward;
        int limit, value, step, expected;
    };
    const Case cases[] = {
        {true, 100, 10, 5, 15},  {true, 100, 95, 5, 0},  {true, 100, 97, 5, 0},   {true, 255, 250, 4, 254},
        {false, 100, 50, 5, 45}, {false, 40, 50, 5, 35}, {false, 100, 3, 5, 254}, {false, 45, 50, 5, 40},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CZelvixUSBDevice::step(c.forward, static_cast<uint8_t>(c.limit),
                                         static_cast<uint8_t>(c.value), static_cast<uint8_t>(c.step)),
                  c.expected)
            << c.forward << ' ' << c.limit << ' ' << c.value << ' ' << c.step;
}

} // namespace
} // namespace v38
