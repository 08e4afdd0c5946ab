// MessageQueue: a MessageSink whose messages the owning thread handles when it pumps the queue. It
// serves programs without a window event loop (v38ctl) and tests, which record what arrives.
#pragma once

#include "core/platform/message_sink.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace v38 {

struct Message {
    uint32_t message = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
    bool sent = false; // true for send(), false for post()
};

class MessageQueue : public MessageSink {
public:
    using Handler = std::function<intptr_t(const Message&)>;

    // The constructing thread owns the queue: it pumps, and its own send() calls run directly.
    explicit MessageQueue(Handler handler);
    ~MessageQueue() override;
    MessageQueue(const MessageQueue&) = delete;
    MessageQueue& operator=(const MessageQueue&) = delete;

    void post(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    intptr_t send(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

    // Owner thread: waits up to `wait` for a message, then handles every queued one in arrival order.
    // Returns how many were handled.
    size_t pump(std::chrono::milliseconds wait = std::chrono::milliseconds(0));
    // Makes a waiting pump() return.
    void wake();

    // Releases every sender still waiting (their send() returns 0) and drops what is queued; later
    // posts are dropped and later sends return 0 at once. Any thread may call it. Threads that send
    // are joined after this and before the queue is destroyed.
    void shutdown();
    bool shuttingDown() const;
    size_t pending() const;
    // Hands ownership to the calling thread (for a pump that runs on a thread of its own).
    void takeOwnership();

private:
    struct Reply {
        bool done = false;
        intptr_t result = 0;
    };
    struct Entry {
        Message message;
        std::shared_ptr<Reply> reply; // set for sent messages
    };

    bool onOwnerThread() const;

    Handler handler_;
    mutable std::mutex mutex_;
    std::condition_variable arrived_;
    std::condition_variable answered_;
    std::deque<Entry> queue_;
    std::thread::id owner_;
    bool shutdown_ = false;
    bool woken_ = false;
};

} // namespace v38
