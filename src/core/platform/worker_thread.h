// WorkerThread: one worker slot. Stopping signals the thread's stop token (whose stop callbacks
// cancel the blocking call it is in) and joins it; a thread is never killed or detached.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>

namespace v38 {

// Waits up to the given time for a stop request; true when the stop was requested.
bool waitForStop(std::stop_token token, std::chrono::milliseconds duration);

class WorkerThread {
public:
    enum class StopResult { NotRunning, Ended, Late };

    WorkerThread() = default;
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Starts the body on a new thread, stopping the running one first.
    void start(std::function<void(std::stop_token)> body);
    // Signals the stop without waiting, so several workers can wind down together before their joins.
    void requestStop() {
        if (thread_.joinable())
            thread_.request_stop();
    }
    // Signals the stop and joins. Late when the thread needed longer than expectedWait to end (it is
    // joined all the same, so callers can log a stop that was not cancelled in time).
    StopResult stop(std::chrono::milliseconds expectedWait = std::chrono::milliseconds(1000));
    // Started and not yet stopped (the body may have returned already).
    bool running() const { return thread_.joinable(); }
    // The body has returned.
    bool finished() const;

private:
    struct State {
        std::mutex mutex;
        std::condition_variable ended;
        bool done = false;
    };

    std::shared_ptr<State> state_;
    std::jthread thread_;
};

} // namespace v38
