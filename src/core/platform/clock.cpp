#include "core/platform/clock.h"

#include <thread>

namespace v38 {

namespace {

class SteadyClock : public Clock {
public:
    TimePoint now() const override { return std::chrono::steady_clock::now(); }
    void sleepFor(std::chrono::milliseconds duration) override { std::this_thread::sleep_for(duration); }
};

} // namespace

Clock& systemClock() {
    static SteadyClock clock;
    return clock;
}

Clock::TimePoint ManualClock::now() const {
    return TimePoint(Duration(ticks_.load()));
}

void ManualClock::sleepFor(std::chrono::milliseconds duration) {
    advance(duration);
}

void ManualClock::advance(Duration duration) {
    ticks_ += duration.count();
}

void ManualClock::set(TimePoint time) {
    ticks_ = time.time_since_epoch().count();
}

} // namespace v38
