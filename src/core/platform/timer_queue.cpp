#include "core/platform/timer_queue.h"

#include <algorithm>

namespace v38 {

TimerQueue::TimerQueue(Clock& clock, Callback callback) : clock_(clock), callback_(std::move(callback)) {}

void TimerQueue::startTimer(const void* owner, int id, std::chrono::milliseconds delay) {
    stopTimer(owner, id);
    timers_.push_back({owner, id, clock_.now() + delay, sequence_++});
}

void TimerQueue::stopTimer(const void* owner, int id) {
    std::erase_if(timers_, [&](const Timer& timer) { return timer.owner == owner && timer.id == id; });
}

bool TimerQueue::timerRunning(const void* owner, int id) const {
    return std::any_of(timers_.begin(), timers_.end(),
                       [&](const Timer& timer) { return timer.owner == owner && timer.id == id; });
}

void TimerQueue::stopTimers(const void* owner) {
    std::erase_if(timers_, [&](const Timer& timer) { return timer.owner == owner; });
}

std::vector<TimerQueue::Timer>::iterator TimerQueue::earliest() {
    return std::min_element(timers_.begin(), timers_.end(), [](const Timer& a, const Timer& b) {
        return a.due != b.due ? a.due < b.due : a.sequence < b.sequence;
    });
}

size_t TimerQueue::fireDue() {
    size_t fired = 0;
    Clock::TimePoint now = clock_.now();
    while (!timers_.empty()) {
        auto next = earliest();
        if (next->due > now)
            break;
        Timer timer = *next;
        timers_.erase(next);
        ++fired;
        if (callback_)
            callback_(timer.owner, timer.id);
    }
    return fired;
}

std::optional<Clock::TimePoint> TimerQueue::nextDue() const {
    std::optional<Clock::TimePoint> due;
    for (const Timer& timer : timers_)
        if (!due || timer.due < *due)
            due = timer.due;
    return due;
}

size_t TimerQueue::runFor(ManualClock& clock, std::chrono::milliseconds duration) {
    Clock::TimePoint end = clock.now() + duration;
    size_t fired = 0;
    while (true) {
        std::optional<Clock::TimePoint> due = nextDue();
        if (!due || *due > end)
            break;
        if (*due > clock.now())
            clock.set(*due);
        fired += fireDue();
    }
    // A callback that slept on the manual clock may have moved it past the end already.
    if (clock.now() < end)
        clock.set(end);
    return fired;
}

} // namespace v38
