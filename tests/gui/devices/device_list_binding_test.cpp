// The device list in the main window against the virtual devices: the capture thread finds what is
// plugged at run time and the window follows.
#include "gui/app/main_wnd_fixture.h"

#include "gui/devices/device_key_button_ui.h"
#include "gui/devices/device_list_binding.h"
#include "gui/devices/device_option_ui.h"
#include "gui/devices/device_page.h"
#include "gui/devices/mp_device_power_ui.h"
#include "gui/devices/select_panel_ui.h"
#include "sim/virtual_hid_backend.h"

#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>

namespace v38 {
namespace {

constexpr int kKindMouse = 0;
constexpr int kKindKeyboard = 1;
// Generous: the capture thread runs every 100 ms on a shared machine.
constexpr int kWaitMs = 10000;

class DeviceListBindingTest : public MainWndTest {
protected:
    void SetUp() override {
        MainWndTest::SetUp();
        backend = std::make_shared<sim::VirtualHidBackend>();
        binding = std::make_unique<DeviceListBinding>(*window, backend);
        createAndInit();
    }
    void TearDown() override {
        binding.reset();
        MainWndTest::TearDown();
    }

    int entryOf(int kind) const { return binding->list().entryOfKind(kind); }
    bool entryShown(int kind) const {
        const int entry = entryOf(kind);
        CDeviceOptionUI* option = binding->entryWidget(entry);
        return entry >= 0 && binding->list().entry(static_cast<size_t>(entry)).visible && option &&
               !option->isHidden();
    }
    bool entrySelected(int kind) const {
        const int entry = entryOf(kind);
        CDeviceOptionUI* option = binding->entryWidget(entry);
        return entryShown(kind) && binding->list().selectedEntry() == entry &&
               option->selectOption()->isChecked();
    }
    QStackedWidget* deviceSwitch() { return window->findControlAs<QStackedWidget>("device_switch"); }
    bool noticeShown() { return !window->findControl("No_device_Link")->isHidden(); }
    // The page "device_switch" shows is the page of the kind's device.
    bool pageShownFor(int kind) {
        const DeviceEntry& entry = binding->list().entry(static_cast<size_t>(entryOf(kind)));
        return deviceSwitch()->currentWidget() == binding->devicePage(entry.devicePanelIndex) &&
               !deviceSwitch()->isHidden();
    }

    std::shared_ptr<sim::VirtualHidBackend> backend;
    std::unique_ptr<DeviceListBinding> binding;
};

TEST_F(DeviceListBindingTest, StartsWithTheNoticeAndHiddenMouseAndKeyboardEntries) {
    ASSERT_GE(entryOf(kKindMouse), 0);
    ASSERT_GE(entryOf(kKindKeyboard), 0);
    EXPECT_FALSE(entryShown(kKindMouse));
    EXPECT_FALSE(entryShown(kKindKeyboard));
    EXPECT_TRUE(noticeShown());
    EXPECT_EQ(window->deviceList.connectedDeviceCount(), 0);
}

TEST_F(DeviceListBindingTest, WiredMouseAppearsAndIsSelectedThenUnpluggingShowsTheNotice) {
    ASSERT_TRUE(backend->plug(sim::Identity::Mouse));
    ASSERT_TRUE(QTest::qWaitFor([&] { return entrySelected(kKindMouse); }, kWaitMs));
    EXPECT_FALSE(noticeShown());
    EXPECT_TRUE(pageShownFor(kKindMouse));
    auto* power = window->findControlAs<QStackedWidget>("device_power_switch");
    const DeviceEntry& entry = binding->list().entry(static_cast<size_t>(entryOf(kKindMouse)));
    EXPECT_EQ(power->currentWidget(), binding->powerWidget(entry.powerIndex));
    // The mouse has a battery: the panel shows the charge the device reports.
    CMpDevicePowerUI* panel = binding->powerWidget(entry.powerIndex);
    EXPECT_FALSE(panel->batteryGroup()->isHidden());
    EXPECT_TRUE(QTest::qWaitFor([&] { return panel->valueLabel()->text().endsWith('%'); }, kWaitMs));
    EXPECT_EQ(window->deviceList.connectedDeviceCount(), 1);

    ASSERT_TRUE(backend->unplug(sim::Identity::Mouse));
    ASSERT_TRUE(QTest::qWaitFor([&] { return noticeShown(); }, kWaitMs));
    EXPECT_FALSE(entryShown(kKindMouse));
    EXPECT_EQ(binding->list().deviceTab(), 0);
    EXPECT_EQ(deviceSwitch()->currentIndex(), 0);
    EXPECT_TRUE(deviceSwitch()->isHidden());
    EXPECT_EQ(window->deviceList.connectedDeviceCount(), 0);
}

TEST_F(DeviceListBindingTest, ReceiverOnlyMouseStaysHiddenUntilReachable) {
    ASSERT_TRUE(backend->setWirelessOn(sim::Identity::MouseReceiver, false));
    ASSERT_TRUE(backend->plug(sim::Identity::MouseReceiver));
    // The receiver is claimed, but its mouse does not answer: no entry.
    ASSERT_TRUE(QTest::qWaitFor([&] { return binding->list().family(kKindMouse).size() == 1; }, kWaitMs));
    QTest::qWait(600);
    EXPECT_FALSE(entryShown(kKindMouse));
    EXPECT_TRUE(noticeShown());

    ASSERT_TRUE(backend->setWirelessOn(sim::Identity::MouseReceiver, true));
    ASSERT_TRUE(QTest::qWaitFor([&] { return entrySelected(kKindMouse); }, kWaitMs));
    EXPECT_FALSE(noticeShown());
    EXPECT_TRUE(pageShownFor(kKindMouse));
}

TEST_F(DeviceListBindingTest, ClickingAnEntryAndThePreviousNextButtonsSelect) {
    ASSERT_TRUE(backend->plug(sim::Identity::Mouse));
    ASSERT_TRUE(QTest::qWaitFor([&] { return entrySelected(kKindMouse); }, kWaitMs));
    ASSERT_TRUE(backend->plug(sim::Identity::Keyboard));
    ASSERT_TRUE(QTest::qWaitFor([&] { return entryShown(kKindKeyboard); }, kWaitMs));
    auto* prev = window->findControlAs<QPushButton>("device_select_prev");
    auto* next = window->findControlAs<QPushButton>("device_select_next");
    EXPECT_FALSE(prev->isHidden());
    EXPECT_FALSE(next->isHidden());

    QTest::mouseClick(binding->entryWidget(entryOf(kKindKeyboard))->selectOption(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return entrySelected(kKindKeyboard); }, kWaitMs));
    EXPECT_FALSE(binding->entryWidget(entryOf(kKindMouse))->selectOption()->isChecked());
    EXPECT_TRUE(pageShownFor(kKindKeyboard));

    const int before = binding->list().selectedEntry();
    QTest::mouseClick(prev, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return binding->list().selectedEntry() != before; }, kWaitMs));
    EXPECT_TRUE(entrySelected(kKindMouse));
    EXPECT_TRUE(pageShownFor(kKindMouse));
}

} // namespace
} // namespace v38

namespace v38 {
namespace {

TEST_F(DeviceListBindingTest, FeatureTabsSelectTheFunctionPagesThroughTheDevice) {
    ASSERT_TRUE(backend->plug(sim::Identity::Keyboard));
    ASSERT_TRUE(QTest::qWaitFor([&] { return entrySelected(kKindKeyboard); }, kWaitMs));
    const DeviceEntry& entry = binding->list().entry(static_cast<size_t>(entryOf(kKindKeyboard)));
    auto* page = qobject_cast<DevicePage*>(binding->devicePage(entry.devicePanelIndex));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->objectName(), "ZelvixKeyboardDevice");
    EXPECT_EQ(entry.device->panelView(), page);
    struct Case {
        const char* tab;
        int functionTab, keyFunctionTab;
    };
    for (const Case& c : {Case{"key_Op_tab", 0, 1}, Case{"macro_Op_tab", 1, 1}, Case{"system_Op_tab", 3, 1},
                          Case{"deng_Op_tab", 0, 0}}) {
        auto* tab = page->findChild<QPushButton*>(c.tab);
        ASSERT_NE(tab, nullptr) << c.tab;
        EXPECT_FALSE(tab->isHidden()) << c.tab;
        QTest::mouseClick(tab, Qt::LeftButton);
        EXPECT_TRUE(tab->isChecked()) << c.tab;
        EXPECT_EQ(page->functionSwitch()->currentIndex(), c.functionTab) << c.tab;
        EXPECT_EQ(page->keyFunctionSwitch()->currentIndex(), c.keyFunctionTab) << c.tab;
    }
    // The keyboard has no cursor page and none of the headset's.
    for (const char* hidden : {"cursor_Op_tab", "6533_voice_Op_tab", "magic_Op_tab", "Virtual7.1_Op_tab"})
        EXPECT_TRUE(page->findChild<QPushButton*>(hidden)->isHidden()) << hidden;
    for (const char* item :
         {"DeviceProfileItem", "LightControlItem", "KeySetControlItem", "MacroControlItem"})
        EXPECT_NE(page->findChild<QWidget*>(item), nullptr) << item;
}

} // namespace
} // namespace v38

namespace v38 {
namespace {

TEST_F(DeviceListBindingTest, PicturesHoldTheirButtonsAndShowTheDeviceColoursLive) {
    ASSERT_TRUE(backend->plug(sim::Identity::Keyboard));
    ASSERT_TRUE(QTest::qWaitFor([&] { return entrySelected(kKindKeyboard); }, kWaitMs));
    const DeviceEntry& entry = binding->list().entry(static_cast<size_t>(entryOf(kKindKeyboard)));
    auto* page = qobject_cast<DevicePage*>(binding->devicePage(entry.devicePanelIndex));
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->selectPanel()->objectName(), "device_key_light");
    ASSERT_EQ(page->pictureButtons().size(), 170u);
    // Escape, A and the space bar are drawn; a spare position is not.
    CDeviceKeyButtonUI* escape = page->findChild<CDeviceKeyButtonUI*>("key_0");
    CDeviceKeyButtonUI* keyA = page->findChild<CDeviceKeyButtonUI*>("key_64");
    ASSERT_TRUE(escape && keyA);
    EXPECT_FALSE(keyA->isHidden());
    EXPECT_EQ(keyA->property("userData").toString(), "light_64");
    EXPECT_TRUE(page->findChild<CDeviceKeyButtonUI*>("key_150")->isHidden());
    EXPECT_LT(escape->geometry().right(), keyA->geometry().left() + keyA->width());
    EXPECT_LT(escape->geometry().bottom(), keyA->geometry().top());

    // Values are 0xIIBBGGRR.
    entry.device->setLedValue(0, 0xFF0000FFu);
    entry.device->setLedValue(64, 0x8000FF00u);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return escape->shownColour() == QColor(255, 0, 0) && keyA->shownColour() == QColor(0, 128, 0);
        },
        kWaitMs));
    EXPECT_TRUE(escape->lightShown());

    // The other kinds' pictures: mouse 11 keys and 15 lights, pad 15 lights, headset 13 lights.
    struct Count {
        int kind;
        const char* panel;
        size_t keys, lights;
    };
    for (const Count& c :
         {Count{0, "mouse_device_key_light", 11, 15}, Count{2, "mousepad_device_key_light", 0, 15},
          Count{3, "hs6533_device_key_light", 0, 13}}) {
        DevicePage other(c.kind, nullptr);
        EXPECT_EQ(other.selectPanel()->objectName(), c.panel);
        size_t keys = 0, lights = 0;
        for (const PanelButton& button : other.keyPictureButtons()) {
            keys += button.name.rfind("key_", 0) == 0;
            lights += button.userData.rfind("light_", 0) == 0;
        }
        EXPECT_EQ(keys, c.keys) << c.panel;
        EXPECT_EQ(lights, c.lights) << c.panel;
    }
}

} // namespace
} // namespace v38

namespace v38 {
namespace {

TEST_F(DeviceListBindingTest, ACableIntoAReceiverMouseSwitchesRouteAndKeepsTheEntry) {
    ASSERT_TRUE(backend->plug(sim::Identity::MouseReceiver));
    ASSERT_TRUE(QTest::qWaitFor([&] { return entrySelected(kKindMouse); }, kWaitMs));
    CZelvixUSBDevice* mouse = binding->list().entry(static_cast<size_t>(entryOf(kKindMouse))).device;
    ASSERT_NE(mouse, nullptr);
    EXPECT_TRUE(mouse->onReceiverRoute());

    ASSERT_TRUE(backend->plug(sim::Identity::Mouse));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !mouse->onReceiverRoute(); }, kWaitMs));
    EXPECT_TRUE(entrySelected(kKindMouse));
    EXPECT_TRUE(pageShownFor(kKindMouse));
    EXPECT_EQ(binding->list().family(kKindMouse).size(), 1u);
}

} // namespace
} // namespace v38
