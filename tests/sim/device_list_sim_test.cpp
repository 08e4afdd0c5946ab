#include "device_list_fixture.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <set>

namespace v38::sim {
namespace {

using std::chrono::milliseconds;

std::vector<int> sorted(std::vector<int> rows) {
    std::sort(rows.begin(), rows.end());
    return rows;
}

using DeviceListSim = DeviceListTest;

TEST_F(DeviceListSim, WiredMouseClaimsBothRowsAndIsShownSelectedAndAttachedAfter500ms) {
    backend->plug(Identity::Mouse);
    scan();
    EXPECT_EQ(sorted(rows(kMsgDeviceArrived)), (std::vector<int>{4, 5}));
    EXPECT_EQ(rows(kMsgAppInstanceDefault).size(), 1u);
    const DeviceEntry& mouse = entry(kKindIndexMouse);
    EXPECT_TRUE(mouse.visible);
    EXPECT_TRUE(mouse.selected);
    EXPECT_FALSE(list->noDeviceNoticeShown());
    EXPECT_EQ(list->deviceTab(), mouse.devicePanelIndex);
    EXPECT_EQ(list->currentDevice(), &device(kKindIndexMouse));

    TestDevice& ms = device(kKindIndexMouse);
    EXPECT_TRUE(ms.commandLink().isOpen());
    EXPECT_FALSE(ms.onReceiverRoute());
    EXPECT_EQ(ms.commandLink().chunkSize(), kWiredChunkSize);
    EXPECT_TRUE(ms.inputChannelOpen(kKindMouseCable));
    EXPECT_TRUE(ms.syncThreadRunning(kKindMouseCable));

    run(milliseconds(499));
    EXPECT_EQ(ms.attached, 0);
    run(milliseconds(1));
    EXPECT_EQ(ms.attached, 1);
    run(milliseconds(60));
    EXPECT_GT(commandsTo(Identity::Mouse, kCmdLightingFrame), 5u);
    EXPECT_EQ(ms.powerRefreshes, 1);

    // Everything claimed and present: later cycles change nothing.
    scan();
    EXPECT_EQ(rows(kMsgDeviceArrived).size(), 2u);
    EXPECT_TRUE(rows(kMsgDeviceRemoved).empty());
    EXPECT_EQ(rows(kMsgAppInstanceDefault).size(), 1u);
}

TEST_F(DeviceListSim, ReceiverAloneShowsTheEntryOnlyWhileTheWirelessMouseAnswers) {
    backend->setWirelessOn(Identity::MouseReceiver, false);
    backend->plug(Identity::MouseReceiver);
    scan();
    EXPECT_EQ(sorted(rows(kMsgDeviceArrived)), (std::vector<int>{6, 7}));
    TestDevice& ms = device(kKindIndexMouse);
    EXPECT_TRUE(ms.commandLink().isOpen());
    EXPECT_TRUE(ms.onReceiverRoute());
    EXPECT_EQ(ms.commandLink().chunkSize(), kReceiverChunkSize);
    EXPECT_TRUE(ms.inputChannelOpen(kKindMouseReceiver));
    EXPECT_FALSE(entry(kKindIndexMouse).visible);

    run(milliseconds(3500));
    EXPECT_FALSE(entry(kKindIndexMouse).visible);
    EXPECT_TRUE(list->noDeviceNoticeShown());
    EXPECT_EQ(ms.attached, 0);

    backend->setWirelessOn(Identity::MouseReceiver, true);
    run(milliseconds(3000));
    EXPECT_TRUE(entry(kKindIndexMouse).visible);
    EXPECT_TRUE(entry(kKindIndexMouse).selected);
    EXPECT_EQ(ms.attached, 1);
    // No frames through the receiver.
    EXPECT_EQ(commandsTo(Identity::MouseReceiver, kCmdLightingFrame), 0u);

    backend->setWirelessOn(Identity::MouseReceiver, false);
    run(milliseconds(3000));
    EXPECT_FALSE(entry(kKindIndexMouse).visible);
    EXPECT_TRUE(list->noDeviceNoticeShown());
    EXPECT_EQ(rows(kMsgEntryVisibility).size(), 2u);
}

TEST_F(DeviceListSim, CableIntoAWirelessMouseTakesOverAndPullingItSwitchesBack) {
    backend->plug(Identity::MouseReceiver);
    scan();
    run(milliseconds(500));
    TestDevice& ms = device(kKindIndexMouse);
    ASSERT_TRUE(entry(kKindIndexMouse).visible);
    const int mouseEntry = list->entryOfKind(kKindIndexMouse);

    backend->plug(Identity::Mouse);
    scan();
    EXPECT_EQ(observer.switches, (std::vector<RecordingObserver::Switch>{{mouseEntry, false, true}}));
    EXPECT_FALSE(ms.onReceiverRoute());
    EXPECT_EQ(ms.commandLink().chunkSize(), kWiredChunkSize);
    EXPECT_EQ(ms.commandLink().wiredChannel().path(), commandPath(Identity::Mouse));
    EXPECT_FALSE(ms.commandLink().receiverChannel().isOpen());
    EXPECT_TRUE(entry(kKindIndexMouse).visible);
    EXPECT_TRUE(ms.inputChannelOpen(kKindMouseCable));
    EXPECT_TRUE(ms.inputChannelOpen(kKindMouseReceiver));
    uint8_t info[kDeviceInfoSize];
    EXPECT_EQ(ms.commandLink().readDeviceInfo(info), kLinkOk);
    EXPECT_EQ(commandsTo(Identity::Mouse, kCmdReadDeviceInfo), 1u);
    EXPECT_EQ(commandsTo(Identity::MouseReceiver, kCmdReadDeviceInfo), 0u);

    const size_t queriesBefore = commandsTo(Identity::MouseReceiver, kCmdReceiverQuery);
    backend->unplug(Identity::Mouse);
    scan();
    ASSERT_EQ(observer.switches.size(), 2u);
    EXPECT_EQ(observer.switches[1], (RecordingObserver::Switch{mouseEntry, true, true}));
    EXPECT_TRUE(ms.onReceiverRoute());
    EXPECT_EQ(ms.commandLink().chunkSize(), kReceiverChunkSize);
    EXPECT_EQ(ms.commandLink().receiverChannel().path(), commandPath(Identity::MouseReceiver));
    EXPECT_EQ(commandsTo(Identity::MouseReceiver, kCmdReceiverQuery), queriesBefore + 1);
    EXPECT_FALSE(ms.inputChannelOpen(kKindMouseCable));
    EXPECT_TRUE(ms.inputChannelOpen(kKindMouseReceiver));
    EXPECT_TRUE(entry(kKindIndexMouse).visible);
    EXPECT_EQ(ms.commandLink().readDeviceInfo(info), kLinkOk);
    EXPECT_EQ(commandsTo(Identity::MouseReceiver, kCmdReadDeviceInfo), 2u); // 34 bytes in 24-byte chunks
}

TEST_F(DeviceListSim, SwitchToAnUnreachableReceiverAsks26TimesThenRefreshesPower) {
    backend->plug(Identity::Mouse);
    scan();
    backend->setWirelessOn(Identity::MouseReceiver, false);
    backend->plug(Identity::MouseReceiver);
    scan();
    TestDevice& ms = device(kKindIndexMouse);
    EXPECT_FALSE(ms.onReceiverRoute()); // the cable stays in charge
    const int refreshes = ms.powerRefreshes;
    const Clock::TimePoint before = clock.now();

    backend->unplug(Identity::Mouse);
    scan();
    EXPECT_TRUE(ms.onReceiverRoute());
    EXPECT_EQ(commandsTo(Identity::MouseReceiver, kCmdReceiverQuery), 26u);
    EXPECT_EQ(clock.now() - before, 26 * DeviceList::kReceiverRetryPause);
    EXPECT_EQ(ms.powerRefreshes, refreshes + 1);
    // The receiver check hides the entry while the mouse does not answer.
    run(milliseconds(2000));
    EXPECT_FALSE(entry(kKindIndexMouse).visible);
}

TEST_F(DeviceListSim, UnpluggingTheOnlyDeviceBringsBackTheNoDeviceState) {
    backend->plug(Identity::Keyboard);
    scan();
    run(milliseconds(600));
    TestDevice& kb = device(kKindIndexKeyboard);
    const int keyboardEntry = list->entryOfKind(kKindIndexKeyboard);
    ASSERT_TRUE(entry(kKindIndexKeyboard).visible);
    ASSERT_NE(list->deviceTab(), 0);

    backend->unplug(Identity::Keyboard);
    scan();
    EXPECT_EQ(sorted(rows(kMsgDeviceRemoved)), (std::vector<int>{0, 1}));
    EXPECT_FALSE(list->interfaces().isAttached(0));
    EXPECT_EQ(list->interfaces().path(0), "");
    EXPECT_FALSE(entry(kKindIndexKeyboard).visible);
    EXPECT_FALSE(entry(kKindIndexKeyboard).selected);
    EXPECT_TRUE(list->noDeviceNoticeShown());
    EXPECT_EQ(list->deviceTab(), 0);
    EXPECT_EQ(list->powerTab(), 0);
    EXPECT_EQ(list->currentDevice(), nullptr);
    EXPECT_EQ(observer.hiding, std::vector<int>{keyboardEntry});
    EXPECT_FALSE(kb.commandLink().isOpen());
    EXPECT_EQ(kb.commandLink().beginSequence(), kLinkFailed);
    EXPECT_FALSE(kb.inputChannelOpen(kKindKeyboardCable));
    EXPECT_FALSE(kb.syncThreadRunning(kKindKeyboardCable));

    // Plugged again: the same object comes back.
    backend->plug(Identity::Keyboard);
    scan();
    EXPECT_EQ(&device(kKindIndexKeyboard), &kb);
    EXPECT_TRUE(entry(kKindIndexKeyboard).visible);
    EXPECT_TRUE(kb.commandLink().isOpen());
}

TEST_F(DeviceListSim, MousePadAndHeadsetAreMadeOnFirstArrivalAndShownAtOnce) {
    ASSERT_EQ(list->entryCount(), 2u);
    backend->plug(Identity::Headset);
    scan();
    EXPECT_EQ(rows(kMsgDeviceArrived), std::vector<int>{10}); // no secondary interface
    ASSERT_EQ(list->entryCount(), 3u);
    TestDevice& hd = device(kKindIndexHeadset);
    EXPECT_EQ(hd.kindIndex(), -1);
    EXPECT_EQ(hd.kindName(), "HD");
    EXPECT_EQ(hd.lightCount(), 13);
    EXPECT_TRUE(entry(kKindIndexHeadset).visible);
    EXPECT_TRUE(entry(kKindIndexHeadset).selected);
    EXPECT_FALSE(list->powerPanel(2).batteryGroupShown());
    uint8_t info[kDeviceInfoSize];
    EXPECT_EQ(hd.commandLink().readDeviceInfo(info), kLinkOk);

    backend->plug(Identity::MousePad);
    scan();
    ASSERT_EQ(list->entryCount(), 4u);
    TestDevice& pad = device(kKindIndexMousePad);
    EXPECT_TRUE(entry(kKindIndexMousePad).visible);
    EXPECT_FALSE(entry(kKindIndexMousePad).selected);
    EXPECT_TRUE(pad.inputChannelOpen(kKindMousePad));
    EXPECT_EQ(pad.kindIndex(), kKindIndexMousePad);

    backend->unplug(Identity::Headset);
    scan();
    backend->plug(Identity::Headset);
    scan();
    EXPECT_EQ(list->entryCount(), 4u);
    EXPECT_EQ(&device(kKindIndexHeadset), &hd);
}

// A handle whose device takes every request and never answers: each read uses up its whole time-out,
// on the manual clock.
class SilentHandle : public HidDeviceHandle {
public:
    SilentHandle(std::shared_ptr<HidDeviceHandle> inner, ManualClock& clock)
        : inner_(std::move(inner)), clock_(clock) {}
    HidAttributes attributes() const override { return inner_->attributes(); }
    const std::vector<uint8_t>& reportDescriptor() const override { return inner_->reportDescriptor(); }
    size_t collectionIndex() const override { return inner_->collectionIndex(); }
    HidIoResult read(uint8_t*, size_t, size_t& transferred, uint32_t timeoutMs) override {
        transferred = 0;
        clock_.advance(std::chrono::milliseconds(timeoutMs));
        return HidIoResult::TimedOut;
    }
    HidIoResult write(const uint8_t* buffer, size_t length, size_t& transferred,
                      uint32_t timeoutMs) override {
        return inner_->write(buffer, length, transferred, timeoutMs);
    }
    void cancel() override { inner_->cancel(); }

private:
    std::shared_ptr<HidDeviceHandle> inner_;
    ManualClock& clock_;
};

// A backend in front of the virtual one: it can show a second keyboard of the same model (its
// interfaces answer as the first one's), refuse opens for writing, and silence an interface.
class FilteringBackend : public HidBackend {
public:
    explicit FilteringBackend(std::shared_ptr<VirtualHidBackend> inner) : inner_(std::move(inner)) {}

    const char* name() const override { return "filtering"; }
    bool listPaths(std::vector<std::string>& paths) override {
        if (!inner_->listPaths(paths))
            return false;
        if (secondKeyboard)
            for (const std::string& path : identityPaths(Identity::Keyboard))
                paths.push_back(twin(path));
        return true;
    }
    std::shared_ptr<HidDeviceHandle> open(const std::string& path, const HidOpenMode& mode,
                                          HidOpenError& error) override {
        std::lock_guard lock(mutex_);
        ++opens[path];
        if (mode.write && refusedForWriting.count(path)) {
            error = HidOpenError::AccessDenied;
            return nullptr;
        }
        for (const std::string& original : identityPaths(Identity::Keyboard))
            if (path == twin(original))
                return inner_->open(original, mode, error);
        std::shared_ptr<HidDeviceHandle> handle = inner_->open(path, mode, error);
        if (handle && silenced.count(path) && clock)
            return std::make_shared<SilentHandle>(handle, *clock);
        return handle;
    }
    static std::string twin(const std::string& path) { return "twin:" + path; }

    bool secondKeyboard = false;
    std::set<std::string> refusedForWriting;
    std::set<std::string> silenced;
    ManualClock* clock = nullptr;
    std::map<std::string, int> opens;

private:
    std::shared_ptr<VirtualHidBackend> inner_;
    std::mutex mutex_;
};

class DeviceListFiltered : public DeviceListTest {
protected:
    DeviceListFiltered() : DeviceListFiltered(std::make_shared<VirtualHidBackend>()) {}
    explicit DeviceListFiltered(std::shared_ptr<VirtualHidBackend> devices)
        : DeviceListTest(devices, std::make_shared<FilteringBackend>(devices)),
          filter(std::static_pointer_cast<FilteringBackend>(hid_)) {}

    std::shared_ptr<FilteringBackend> filter;
};

TEST_F(DeviceListFiltered, ASecondKeyboardOfTheSameModelIsIgnoredWhileTheFirstIsAttached) {
    filter->secondKeyboard = true;
    backend->plug(Identity::Keyboard);
    scan();
    scan();
    EXPECT_EQ(sorted(rows(kMsgDeviceArrived)), (std::vector<int>{0, 1}));
    EXPECT_EQ(list->interfaces().path(0), commandPath(Identity::Keyboard));
    EXPECT_EQ(list->interfaces().path(1), consumerPath(Identity::Keyboard));
    // No free row matches its path fields, so it is not even opened.
    for (const std::string& path : identityPaths(Identity::Keyboard))
        EXPECT_EQ(filter->opens[FilteringBackend::twin(path)], 0) << path;
}

TEST_F(DeviceListFiltered, AFailedOpenOnArrivalShowsTheEntryWithTheLinkClosed) {
    filter->refusedForWriting.insert(commandPath(Identity::Mouse));
    backend->plug(Identity::Mouse);
    scan();
    EXPECT_EQ(sorted(rows(kMsgDeviceArrived)), (std::vector<int>{4, 5}));
    TestDevice& ms = device(kKindIndexMouse);
    EXPECT_TRUE(entry(kKindIndexMouse).visible);
    EXPECT_TRUE(entry(kKindIndexMouse).selected);
    EXPECT_FALSE(ms.commandLink().isOpen());
    uint8_t info[kDeviceInfoSize];
    EXPECT_EQ(ms.commandLink().readDeviceInfo(info), kLinkFailed);
    EXPECT_EQ(ms.commandLink().beginSequence(), kLinkFailed);
    EXPECT_EQ(ms.commandLink().writeSettings(info, 4, 0), kLinkFailed);
    // The attach timer still runs; the frame timer stops as the link is closed.
    run(milliseconds(600));
    EXPECT_EQ(ms.attached, 1);
    EXPECT_FALSE(timers.timerRunning(&entry(kKindIndexMouse), DeviceList::kTimerLightFrame));
}

// Each try at a receiver that never answers costs a full 5000 ms read; 26 of them would hold the
// window for over two minutes.
TEST_F(DeviceListFiltered, SwitchToASilentReceiverGivesUpAfterTheTimeOfTheQuickTries) {
    filter->clock = &clock;
    filter->silenced.insert(commandPath(Identity::MouseReceiver));
    backend->plug(Identity::Mouse);
    scan();
    backend->plug(Identity::MouseReceiver);
    scan();
    const Clock::TimePoint before = clock.now();

    backend->unplug(Identity::Mouse);
    scan();
    EXPECT_TRUE(device(kKindIndexMouse).onReceiverRoute());
    EXPECT_EQ(commandsTo(Identity::MouseReceiver, kCmdReceiverQuery), 1u);
    EXPECT_EQ(clock.now() - before, milliseconds(kReceiverTimeoutMs));
}

TEST_F(DeviceListSim, SyncRequestOnTheConsumerInterfaceSchedulesTheResynchronisation) {
    backend->plug(Identity::Mouse);
    scan();
    TestDevice& ms = device(kKindIndexMouse);
    ASSERT_TRUE(backend->inputReport(Identity::Mouse, {3, 0x01, 0x04}));
    for (int i = 0; i < 500 && rows(kMsgStartEntryTimer).empty(); ++i)
        window.pump(milliseconds(10));
    ASSERT_EQ(rows(kMsgStartEntryTimer).size(), 1u);
    EXPECT_EQ(ms.lastUsage, 1025u);
    run(milliseconds(49));
    EXPECT_EQ(ms.reselected, 0);
    run(milliseconds(1));
    EXPECT_EQ(ms.reselected, 1);
}

} // namespace
} // namespace v38::sim
