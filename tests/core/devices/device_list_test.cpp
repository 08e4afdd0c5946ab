#include "core/devices/device_list.h"
#include "core/devices/device_messages.h"
#include "core/platform/timer_queue.h"
#include "fakes/scripted_hid_backend.h"

#include <gtest/gtest.h>

namespace v38 {
namespace {

struct Observer : DeviceListObserver {
    void selectedEntryHiding(int entry) override { hiding.push_back(entry); }
    void entryChanged(int entry) override { changed.push_back(entry); }
    std::vector<int> hiding;
    std::vector<int> changed;
};

struct SeveralView : DevicePanelView {
    void setSeveralDevicesVisible(bool several) override { this->several = several; }
    bool several = false;
};

// Entries of the mouse, the keyboard and the mouse pad, shown by cable arrivals whose opens fail
// (nothing is plugged): the list logic without devices.
class DeviceListModel : public ::testing::Test {
protected:
    DeviceListModel() {
        DeviceListContext context;
        context.backend = std::make_shared<test::ScriptedHidBackend>();
        context.timers = &timers;
        context.clock = &clock;
        context.factory = [this, backend = context.backend](int kindIndex) {
            auto device = std::make_unique<CZelvixUSBDevice>(backend, clock);
            device->setPanelView(&views[static_cast<size_t>(kindIndex)]);
            return device;
        };
        list = std::make_unique<DeviceList>(std::move(context));
        list->setObserver(&observer);
        list->createInitialDevices();
        for (int row : {4, 0, 8})
            list->deviceArrived(row);
    }

    std::vector<bool> visible() const {
        std::vector<bool> flags;
        for (size_t i = 0; i < list->entryCount(); ++i)
            flags.push_back(list->entry(i).visible);
        return flags;
    }

    ManualClock clock;
    TimerQueue timers{clock, [this](const void* owner, int id) { list->timerFired(owner, id); }};
    Observer observer;
    std::array<SeveralView, kDeviceKindCount> views;
    std::unique_ptr<DeviceList> list;
};

TEST_F(DeviceListModel, EntriesAreMadeInOrderAndTheFirstShownIsSelected) {
    ASSERT_EQ(list->entryCount(), 3u);
    EXPECT_EQ(list->entry(0).kindIndex, kKindIndexMouse);
    EXPECT_EQ(list->entry(1).kindIndex, kKindIndexKeyboard);
    EXPECT_EQ(list->entry(2).kindIndex, kKindIndexMousePad);
    EXPECT_EQ(list->entry(2).icons.normal, "common/device_ico/hard_mp_device_normal.png");
    EXPECT_EQ(list->entry(1).name, "keyboard");
    EXPECT_EQ(list->entry(2).powerIndex, 2);
    EXPECT_EQ(visible(), (std::vector<bool>{true, true, true}));
    EXPECT_EQ(list->selectedEntry(), 0);
    EXPECT_TRUE(views[kKindIndexMousePad].several);
    EXPECT_TRUE(list->powerPanel(0).batteryGroupShown());
    EXPECT_FALSE(list->powerPanel(2).batteryGroupShown());
    // The attach timer of each arrival.
    for (size_t i = 0; i < 3; ++i)
        EXPECT_TRUE(timers.timerRunning(&list->entry(i), DeviceList::kTimerAttach));
}

TEST_F(DeviceListModel, PreviousAndNextMoveToTheNearestVisibleEntry) {
    list->hideEntry(1);
    list->selectNext();
    EXPECT_EQ(list->selectedEntry(), 2);
    list->selectNext();
    EXPECT_EQ(list->selectedEntry(), 2);
    observer.changed.clear();
    list->selectPrevious();
    EXPECT_EQ(list->selectedEntry(), 0);
    EXPECT_EQ(observer.changed, (std::vector<int>{0, 2})); // both selections changed
    list->selectPrevious();
    EXPECT_EQ(list->selectedEntry(), 0);
    EXPECT_EQ(list->deviceTab(), list->entry(0).devicePanelIndex);
}

TEST_F(DeviceListModel, HidingTheSelectedEntrySelectsAnotherAndTheLastBringsTheNotice) {
    list->selectNext();
    ASSERT_EQ(list->selectedEntry(), 1);
    list->hideEntry(1);
    EXPECT_EQ(observer.hiding, std::vector<int>{1});
    EXPECT_EQ(list->selectedEntry(), 0);
    EXPECT_EQ(list->currentDevice(), list->entry(0).device);

    // Hiding an entry that is not selected asks nothing of the window.
    list->hideEntry(2);
    EXPECT_EQ(observer.hiding, std::vector<int>{1});
    EXPECT_FALSE(views[kKindIndexMouse].several);

    list->hideEntry(0);
    EXPECT_EQ(list->selectedEntry(), -1);
    EXPECT_EQ(list->currentDevice(), nullptr);
    EXPECT_TRUE(list->noDeviceNoticeShown());
    EXPECT_EQ(list->deviceTab(), 0);
    EXPECT_EQ(list->powerTab(), 0);
}

TEST_F(DeviceListModel, FewerThanTwoVisibleDevicesEndSynchronisedLighting) {
    for (size_t i = 0; i < 3; ++i)
        list->entry(i).device->commandLink().setLightingHold(true);
    list->setSynchroCheck(0, true);
    list->setSynchroCheck(2, true);
    list->hideEntry(1);
    EXPECT_TRUE(list->entry(0).synchroCheck); // two visible entries still checked
    EXPECT_TRUE(list->entry(0).device->commandLink().lightingHold());

    list->hideEntry(2);
    EXPECT_FALSE(list->entry(0).synchroCheck);
    EXPECT_FALSE(list->entry(2).synchroCheck);
    for (size_t i = 0; i < 3; ++i)
        EXPECT_FALSE(list->entry(i).device->commandLink().lightingHold());
}

TEST_F(DeviceListModel, VisibilityMessagesAndTimerRequests) {
    list->hideEntry(0);
    list->hideEntry(1);
    list->hideEntry(2);
    // Show: selected because no entry is visible; a second show selects nothing new.
    EXPECT_TRUE(list->handleMessage(kMsgEntryVisibility, kKindIndexKeyboard, 1));
    EXPECT_TRUE(list->handleMessage(kMsgEntryVisibility, kKindIndexMousePad, 1));
    EXPECT_EQ(visible(), (std::vector<bool>{false, true, true}));
    EXPECT_EQ(list->selectedEntry(), 1);
    EXPECT_TRUE(list->handleMessage(kMsgEntryVisibility, kKindIndexKeyboard, 0));
    EXPECT_EQ(list->selectedEntry(), 2);
    // The headset has no entry yet: ignored.
    EXPECT_TRUE(list->handleMessage(kMsgEntryVisibility, kKindIndexHeadset, 1));
    EXPECT_EQ(list->entryCount(), 3u);

    EXPECT_TRUE(list->handleMessage(kMsgStartEntryTimer, kKindIndexMousePad, 1002 << 16 | 500));
    EXPECT_TRUE(timers.timerRunning(&list->entry(2), DeviceList::kTimerResync));
    EXPECT_FALSE(list->handleMessage(3089, 0, 0));
}

TEST_F(DeviceListModel, ClickingAnEntrySelectsItsPanels) {
    list->entryClicked(2);
    EXPECT_EQ(list->selectedEntry(), 2);
    EXPECT_EQ(list->clickedEntry(), 2);
    EXPECT_EQ(list->powerTab(), 2);
    EXPECT_EQ(list->deviceTab(), list->entry(2).devicePanelIndex);
    list->hideEntry(1);
    list->entryClicked(1); // hidden: no click reaches it
    EXPECT_EQ(list->selectedEntry(), 2);
}

} // namespace
} // namespace v38
