// The clock core code reads and sleeps on, injectable so that timers, waits and effects are tested
// without real time passing.
#pragma once

#include <atomic>
#include <chrono>

namespace v38 {

class Clock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    using Duration = std::chrono::steady_clock::duration;

    virtual ~Clock() = default;
    virtual TimePoint now() const = 0;
    // Blocks the caller for the given time (a manual clock just moves on).
    virtual void sleepFor(std::chrono::milliseconds duration) = 0;
};

// The steady clock of the machine.
Clock& systemClock();

// A clock that moves only when told to; safe to read from any thread.
class ManualClock : public Clock {
public:
    TimePoint now() const override;
    void sleepFor(std::chrono::milliseconds duration) override;
    void advance(Duration duration);
    void set(TimePoint time);

private:
    std::atomic<Duration::rep> ticks_{0};
};

} // namespace v38
