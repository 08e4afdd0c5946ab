// TimerQueue: TimerService on an injectable clock. The owning thread fires the due timers; with a
// manual clock, tests move time on from one due timer to the next.
#pragma once

#include "core/platform/clock.h"
#include "core/platform/timer_service.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace v38 {

class TimerQueue : public TimerService {
public:
    using Callback = std::function<void(const void* owner, int id)>;

    TimerQueue(Clock& clock, Callback callback);

    void startTimer(const void* owner, int id, std::chrono::milliseconds delay) override;
    void stopTimer(const void* owner, int id) override;
    bool timerRunning(const void* owner, int id) const override;
    // Stops every timer of the owner.
    void stopTimers(const void* owner);

    // Fires the timers due now, earliest first (equal times in the order they were started), each
    // removed before its callback runs. Timers a callback starts fire in the same call when due.
    size_t fireDue();
    std::optional<Clock::TimePoint> nextDue() const;
    // Manual clock: moves time on to each due timer in turn, firing it, then to now + duration.
    size_t runFor(ManualClock& clock, std::chrono::milliseconds duration);

private:
    struct Timer {
        const void* owner;
        int id;
        Clock::TimePoint due;
        uint64_t sequence;
    };

    std::vector<Timer>::iterator earliest();

    Clock& clock_;
    Callback callback_;
    std::vector<Timer> timers_;
    uint64_t sequence_ = 0;
};

} // namespace v38
