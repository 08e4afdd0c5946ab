#include "core/platform/message_queue.h"

namespace v38 {

MessageQueue::MessageQueue(Handler handler)
    : handler_(std::move(handler)), owner_(std::this_thread::get_id()) {}

MessageQueue::~MessageQueue() {
    shutdown();
}

bool MessageQueue::onOwnerThread() const {
    std::lock_guard lock(mutex_);
    return owner_ == std::this_thread::get_id();
}

void MessageQueue::takeOwnership() {
    std::lock_guard lock(mutex_);
    owner_ = std::this_thread::get_id();
}

void MessageQueue::post(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    std::lock_guard lock(mutex_);
    if (shutdown_)
        return;
    queue_.push_back({{message, wParam, lParam, false}, nullptr});
    arrived_.notify_all();
}

intptr_t MessageQueue::send(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (onOwnerThread()) {
        if (shuttingDown())
            return 0;
        return handler_ ? handler_({message, wParam, lParam, true}) : 0;
    }
    auto reply = std::make_shared<Reply>();
    std::unique_lock lock(mutex_);
    if (shutdown_)
        return 0;
    queue_.push_back({{message, wParam, lParam, true}, reply});
    arrived_.notify_all();
    answered_.wait(lock, [&] { return reply->done || shutdown_; });
    return reply->done ? reply->result : 0;
}

size_t MessageQueue::pump(std::chrono::milliseconds wait) {
    size_t handled = 0;
    std::unique_lock lock(mutex_);
    if (wait.count() > 0)
        arrived_.wait_for(lock, wait, [this] { return !queue_.empty() || shutdown_ || woken_; });
    woken_ = false;
    while (!queue_.empty() && !shutdown_) {
        Entry entry = std::move(queue_.front());
        queue_.pop_front();
        lock.unlock();
        intptr_t result = handler_ ? handler_(entry.message) : 0;
        lock.lock();
        ++handled;
        if (entry.reply) {
            // The reply is shared: a sender released by shutdown may already have gone.
            entry.reply->result = result;
            entry.reply->done = true;
            answered_.notify_all();
        }
    }
    return handled;
}

void MessageQueue::wake() {
    std::lock_guard lock(mutex_);
    woken_ = true;
    arrived_.notify_all();
}

void MessageQueue::shutdown() {
    std::lock_guard lock(mutex_);
    shutdown_ = true;
    queue_.clear();
    arrived_.notify_all();
    answered_.notify_all();
}

bool MessageQueue::shuttingDown() const {
    std::lock_guard lock(mutex_);
    return shutdown_;
}

size_t MessageQueue::pending() const {
    std::lock_guard lock(mutex_);
    return queue_.size();
}

} // namespace v38
