#include "core/platform/worker_thread.h"

#include <condition_variable>

namespace v38 {

bool waitForStop(std::stop_token token, std::chrono::milliseconds duration) {
    std::mutex mutex;
    std::condition_variable_any wake;
    std::unique_lock lock(mutex);
    wake.wait_for(lock, token, duration, [] { return false; });
    return token.stop_requested();
}

WorkerThread::~WorkerThread() {
    stop();
}

void WorkerThread::start(std::function<void(std::stop_token)> body) {
    stop();
    auto state = std::make_shared<State>();
    state_ = state;
    thread_ = std::jthread([state, body = std::move(body)](std::stop_token token) {
        body(token);
        std::lock_guard lock(state->mutex);
        state->done = true;
        state->ended.notify_all();
    });
}

WorkerThread::StopResult WorkerThread::stop(std::chrono::milliseconds expectedWait) {
    if (!thread_.joinable())
        return StopResult::NotRunning;
    thread_.request_stop();
    // A thread cannot join itself; its owner joins it later.
    if (thread_.get_id() == std::this_thread::get_id())
        return StopResult::NotRunning;
    bool inTime;
    {
        std::unique_lock lock(state_->mutex);
        inTime = state_->ended.wait_for(lock, expectedWait, [this] { return state_->done; });
    }
    thread_.join();
    thread_ = std::jthread();
    state_.reset();
    return inTime ? StopResult::Ended : StopResult::Late;
}

bool WorkerThread::finished() const {
    if (!state_)
        return false;
    std::lock_guard lock(state_->mutex);
    return state_->done;
}

} // namespace v38
