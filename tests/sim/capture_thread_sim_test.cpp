#include "core/devices/capture_thread.h"
#include "core/devices/device_messages.h"
#include "core/platform/message_queue.h"
#include "sim/device_layout.h"
#include "sim/virtual_hid_backend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace v38::sim {
namespace {

using std::chrono::milliseconds;

int count(const std::vector<Message>& messages, uint32_t message) {
    return static_cast<int>(std::count_if(messages.begin(), messages.end(),
                                          [message](const Message& m) { return m.message == message; }));
}

// Pumps until the predicate holds; false after about five seconds.
template <class Predicate>
bool pumpUntil(MessageQueue& queue, Predicate done) {
    for (int i = 0; i < 500 && !done(); ++i)
        queue.pump(milliseconds(10));
    return done();
}

TEST(CaptureThreadSim, RunningThreadReportsArrivalsAndRemovalsAndStops) {
    auto backend = std::make_shared<VirtualHidBackend>();
    InterfaceTable table;
    std::vector<Message> messages;
    MessageQueue window([&messages](const Message& message) {
        messages.push_back(message);
        return intptr_t{0};
    });
    CaptureThread capture(table, window, backend);
    capture.start();
    EXPECT_TRUE(pumpUntil(window, [&] { return count(messages, kMsgAppInstanceDefault) == 1; }));

    backend->plug(Identity::Headset);
    EXPECT_TRUE(pumpUntil(window, [&] { return count(messages, kMsgDeviceArrived) == 1; }));
    EXPECT_TRUE(table.isAttached(10));
    backend->unplug(Identity::Headset);
    EXPECT_TRUE(pumpUntil(window, [&] { return count(messages, kMsgDeviceRemoved) == 1; }));
    EXPECT_FALSE(table.isAttached(10));
    EXPECT_EQ(count(messages, kMsgAppInstanceDefault), 1);

    EXPECT_NE(capture.stop(), WorkerThread::StopResult::NotRunning);
    EXPECT_FALSE(capture.running());
}

// The window's thread is busy in a handler when shutdown begins: the capture thread, waiting for
// that handler in send(), is released and joined without waiting for the handler to end.
TEST(CaptureThreadSim, StopsAtShutdownWhileItsHandlerIsStillRunning) {
    auto backend = std::make_shared<VirtualHidBackend>();
    backend->plug(Identity::Headset);
    InterfaceTable table;
    std::mutex mutex;
    std::condition_variable changed;
    bool inHandler = false;
    bool release = false;
    MessageQueue window([&](const Message& message) {
        if (message.message == kMsgDeviceArrived) {
            std::unique_lock lock(mutex);
            inHandler = true;
            changed.notify_all();
            changed.wait(lock, [&] { return release; });
        }
        return intptr_t{0};
    });
    std::jthread windowThread([&](std::stop_token token) {
        window.takeOwnership();
        while (!token.stop_requested())
            window.pump(milliseconds(5));
    });
    CaptureThread capture(table, window, backend);
    capture.start();
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return inHandler; });
    }
    window.shutdown();
    capture.stop();
    EXPECT_FALSE(capture.running());
    {
        std::lock_guard lock(mutex);
        EXPECT_FALSE(release); // the handler is still running
        release = true;
        changed.notify_all();
    }
}

} // namespace
} // namespace v38::sim
