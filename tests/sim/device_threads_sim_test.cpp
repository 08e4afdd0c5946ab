#include "core/devices/zelvix_usb_device.h"
#include "sim/device_layout.h"
#include "sim/virtual_hid_backend.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace v38::sim {
namespace {

using std::chrono::milliseconds;

// Records the usages its readers hand over.
struct RecordingDevice : CZelvixUSBDevice {
    using CZelvixUSBDevice::CZelvixUSBDevice;
    ~RecordingDevice() override { stopAllThreads(); }
    void onSyncRequest(int kind, uint32_t usage) override {
        std::lock_guard lock(mutex);
        seen.emplace_back(kind, usage);
        changed.notify_all();
    }
    bool waitForUsages(size_t n) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(5), [&] { return seen.size() >= n; });
    }
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::pair<int, uint32_t>> seen;
};

void waitUntilReading(HidChannel& channel) {
    for (int i = 0; i < 5000 && !channel.reading(); ++i)
        std::this_thread::sleep_for(milliseconds(1));
    ASSERT_TRUE(channel.reading());
}

TEST(DeviceThreadsSim, SyncThreadsBlockedInReadsStopWithoutTermination) {
    auto backend = std::make_shared<VirtualHidBackend>();
    backend->plug(Identity::Mouse);
    backend->plug(Identity::MouseReceiver);
    auto device = std::make_unique<RecordingDevice>(backend);
    device->setHasReceiverVariant(true);
    device->openInputChannel(consumerPath(Identity::Mouse), kKindMouseCable);
    device->openInputChannel(consumerPath(Identity::MouseReceiver), kKindMouseReceiver);
    ASSERT_TRUE(device->inputChannelOpen(kKindMouseCable));
    ASSERT_TRUE(device->inputChannelOpen(kKindMouseReceiver));
    waitUntilReading(device->inputChannel(kKindMouseCable));
    waitUntilReading(device->inputChannel(kKindMouseReceiver));

    // Close one while its read (no time-out) blocks: the stop returns, so the read was cancelled.
    // Reopen the other the same way.
    device->closeInputChannel(kKindMouseCable);
    EXPECT_FALSE(device->syncThreadRunning(kKindMouseCable));
    EXPECT_FALSE(device->inputChannelOpen(kKindMouseCable));
    device->reopenInputChannel(consumerPath(Identity::MouseReceiver), kKindMouseReceiver);
    ASSERT_TRUE(device->inputChannelOpen(kKindMouseReceiver));
    waitUntilReading(device->inputChannel(kKindMouseReceiver));

    // The new reader hands over the first usage of each report.
    ASSERT_TRUE(backend->inputReport(Identity::MouseReceiver, {3, 0x12, 0x10}));
    ASSERT_TRUE(backend->inputReport(Identity::MouseReceiver, {3, 0x01, 0x04}));
    ASSERT_TRUE(device->waitForUsages(2));
    EXPECT_EQ(device->seen, (std::vector<std::pair<int, uint32_t>>{{kKindMouseReceiver, 0x1012},
                                                                   {kKindMouseReceiver, 1025}}));

    // Starting the light thread twice leaves one running.
    device->startLightThread();
    device->startLightThread();
    EXPECT_TRUE(device->lightThreadRunning());
    EXPECT_NE(device->stopLightThread(), WorkerThread::StopResult::NotRunning);
    EXPECT_FALSE(device->lightThreadRunning());
    EXPECT_EQ(device->stopLightThread(), WorkerThread::StopResult::NotRunning);

    // Destruction stops the reader still blocked.
    waitUntilReading(device->inputChannel(kKindMouseReceiver));
    device.reset();
}

} // namespace
} // namespace v38::sim
