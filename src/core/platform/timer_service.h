// One-shot timers keyed by (owner, id), as the window's controls have them. A handler that wants a
// period starts its timer again; starting a running timer starts it afresh.
#pragma once

#include <chrono>

namespace v38 {

class TimerService {
public:
    virtual ~TimerService() = default;

    virtual void startTimer(const void* owner, int id, std::chrono::milliseconds delay) = 0;
    virtual void stopTimer(const void* owner, int id) = 0;
    virtual bool timerRunning(const void* owner, int id) const = 0;
};

} // namespace v38
