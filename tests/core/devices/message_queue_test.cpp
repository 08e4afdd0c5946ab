#include "core/platform/message_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <vector>

namespace v38 {
namespace {

TEST(MessageQueue, SendFromAWorkerWaitsForTheOwnerToHandleIt) {
    std::vector<Message> seen;
    MessageQueue queue([&seen](const Message& message) {
        seen.push_back(message);
        return static_cast<intptr_t>(message.wParam * 10);
    });
    queue.post(1, 0, 0);
    auto sender = std::async(std::launch::async, [&queue] { return queue.send(2, 7, 0); });
    while (queue.pending() < 2)
        std::this_thread::yield();
    EXPECT_EQ(sender.wait_for(std::chrono::milliseconds(0)), std::future_status::timeout);
    EXPECT_EQ(queue.pump(), 2u);
    EXPECT_EQ(sender.get(), 70);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].message, 1u);
    EXPECT_FALSE(seen[0].sent);
    EXPECT_TRUE(seen[1].sent);

    // The owner's own send runs the handler at once.
    EXPECT_EQ(queue.send(3, 4, 0), 40);
    EXPECT_EQ(seen.size(), 3u);
}

// A worker blocked in send must not hold up the joins of shutdown.
TEST(MessageQueue, ShutdownReleasesWaitingSendersAndRefusesLaterMessages) {
    std::atomic<int> handled{0};
    MessageQueue queue([&handled](const Message&) { return static_cast<intptr_t>(++handled); });
    auto sender = std::async(std::launch::async, [&queue] { return queue.send(5, 0, 0); });
    while (queue.pending() < 1)
        std::this_thread::yield();
    queue.shutdown();
    EXPECT_EQ(sender.get(), 0);
    EXPECT_EQ(std::async(std::launch::async, [&queue] { return queue.send(6, 0, 0); }).get(), 0);
    EXPECT_EQ(queue.send(7, 0, 0), 0); // the owner too
    queue.post(8, 0, 0);
    EXPECT_EQ(queue.pending(), 0u);
    EXPECT_EQ(queue.pump(), 0u);
    EXPECT_EQ(handled, 0);
}

TEST(MessageQueue, WakeEndsAWaitingPump) {
    MessageQueue queue([](const Message&) { return intptr_t{0}; });
    auto waker = std::async(std::launch::async, [&queue] { queue.wake(); });
    waker.get();
    // The wake is remembered, so the long wait returns at once.
    EXPECT_EQ(queue.pump(std::chrono::hours(1)), 0u);
}

} // namespace
} // namespace v38
