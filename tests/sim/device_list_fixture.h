// Test fixture: the device list on virtual devices, with the window's messages handled on the test
// thread through a recording queue, entry timers on a manual clock, and the capture logic run one
// cycle at a time.
#pragma once

#include "core/devices/capture_thread.h"
#include "core/devices/device_list.h"
#include "core/devices/device_messages.h"
#include "core/platform/message_queue.h"
#include "core/platform/timer_queue.h"
#include "sim/device_layout.h"
#include "sim/virtual_hid_backend.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <vector>

namespace v38::sim {

// The families decide what a reachable receiver is; this one asks the receiver.
class TestDevice : public CZelvixUSBDevice {
public:
    using CZelvixUSBDevice::CZelvixUSBDevice;
    ~TestDevice() override { stopAllThreads(); }

    void onDeviceAttached() override { ++attached; }
    void onDeviceReselected() override { ++reselected; }
    void refreshPowerState() override { ++powerRefreshes; }
    bool isReceiverLinked() override {
        return commandLink().isOpen() && (!onReceiverRoute() || commandLink().ReceiverQuery());
    }
    void onSyncRequest(int kind, uint32_t usage) override {
        lastUsage = usage;
        ++syncRequests;
        CZelvixUSBDevice::onSyncRequest(kind, usage);
    }

    int attached = 0;
    int reselected = 0;
    int powerRefreshes = 0;
    std::atomic<int> syncRequests{0};
    std::atomic<uint32_t> lastUsage{0};
};

class RecordingObserver : public DeviceListObserver {
public:
    void routeSwitched(int entry, bool toReceiver, bool opened) override {
        switches.push_back({entry, toReceiver, opened});
    }
    void selectedEntryHiding(int entry) override { hiding.push_back(entry); }

    struct Switch {
        int entry;
        bool toReceiver;
        bool opened;
        bool operator==(const Switch&) const = default;
    };
    std::vector<Switch> switches;
    std::vector<int> hiding;
};

class DeviceListTest : public ::testing::Test {
protected:
    DeviceListTest() : DeviceListTest(std::make_shared<VirtualHidBackend>(), nullptr) {}
    // The list and the capture logic use hid, which sits in front of the virtual devices.
    DeviceListTest(std::shared_ptr<VirtualHidBackend> devices, std::shared_ptr<HidBackend> hid)
        : backend(std::move(devices)), hid_(hid ? std::move(hid) : backend) {
        DeviceListContext context;
        context.backend = hid_;
        context.window = &window;
        context.timers = &timers;
        context.clock = &clock;
        context.factory = [this](int) { return std::make_unique<TestDevice>(hid_, clock); };
        list = std::make_unique<DeviceList>(std::move(context));
        list->setObserver(&observer);
        list->createInitialDevices();
        capture = std::make_unique<CaptureThread>(list->interfaces(), window, hid_);
    }

    ~DeviceListTest() override {
        window.shutdown();
        capture.reset();
        list.reset();
    }

    // One capture cycle; its sends run the handlers at once (this thread owns the queue).
    void scan() {
        capture->scanStep();
        window.pump();
    }
    void run(std::chrono::milliseconds duration) {
        timers.runFor(clock, duration);
        window.pump();
    }

    std::vector<int> rows(uint32_t message) const {
        std::vector<int> found;
        for (const Message& m : messages)
            if (m.message == message)
                found.push_back(static_cast<int>(m.wParam));
        return found;
    }
    TestDevice& device(int kindIndex) { return static_cast<TestDevice&>(*list->family(kindIndex).at(0)); }
    const DeviceEntry& entry(int kindIndex) {
        return list->entry(static_cast<size_t>(list->entryOfKind(kindIndex)));
    }
    size_t commandsTo(Identity identity, uint8_t code) const {
        size_t count = 0;
        for (const WireRecord& record : backend->wireLog().snapshot())
            count += record.identity == identity && record.direction == WireDirection::HostToDevice &&
                     record.bytes.size() == 64 && record.bytes[3] == code;
        return count;
    }

    std::shared_ptr<VirtualHidBackend> backend;
    ManualClock clock;
    std::vector<Message> messages;
    MessageQueue window{[this](const Message& message) {
        messages.push_back(message);
        list->handleMessage(message.message, message.wParam, message.lParam);
        return intptr_t{0};
    }};
    TimerQueue timers{clock, [this](const void* owner, int id) { list->timerFired(owner, id); }};
    RecordingObserver observer;
    std::unique_ptr<DeviceList> list;
    std::unique_ptr<CaptureThread> capture;

protected:
    std::shared_ptr<HidBackend> hid_;
};

} // namespace v38::sim
