#include "core/platform/timer_queue.h"
#include "core/platform/worker_thread.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace v38 {
namespace {

using std::chrono::milliseconds;

struct Fired {
    int id;
    long long at;
    bool operator==(const Fired&) const = default;
};

TEST(TimerQueue, FiresInDueOrderAndHandlersRestartTheirTimers) {
    ManualClock clock;
    const Clock::TimePoint start = clock.now();
    std::vector<Fired> fired;
    int owner = 0;
    TimerQueue* self = nullptr;
    TimerQueue timers(clock, [&](const void*, int id) {
        fired.push_back({id, std::chrono::duration_cast<milliseconds>(clock.now() - start).count()});
        if (id == 1 && fired.size() < 5)
            self->startTimer(&owner, 1, milliseconds(30)); // a period
    });
    self = &timers;
    timers.startTimer(&owner, 1, milliseconds(30));
    timers.startTimer(&owner, 2, milliseconds(45));
    timers.startTimer(&owner, 3, milliseconds(60));
    timers.startTimer(&owner, 4, milliseconds(60)); // same time: start order
    timers.startTimer(&owner, 5, milliseconds(10));
    timers.startTimer(&owner, 5, milliseconds(100)); // restarting moves it
    timers.stopTimer(&owner, 2);
    EXPECT_TRUE(timers.timerRunning(&owner, 3));
    EXPECT_FALSE(timers.timerRunning(&owner, 2));

    timers.runFor(clock, milliseconds(99));
    EXPECT_EQ(fired, (std::vector<Fired>{{1, 30}, {3, 60}, {4, 60}, {1, 60}, {1, 90}}));
    EXPECT_EQ(clock.now() - start, milliseconds(99));
    timers.runFor(clock, milliseconds(1));
    EXPECT_EQ(fired.back(), (Fired{5, 100}));
    EXPECT_FALSE(timers.nextDue());
}

TEST(WorkerThread, StopCancelsTheBlockingWaitAndJoins) {
    WorkerThread worker;
    std::atomic<bool> ended{false};
    worker.start([&ended](std::stop_token token) {
        while (!waitForStop(token, std::chrono::hours(1))) {
        }
        ended = true;
    });
    EXPECT_TRUE(worker.running());
    EXPECT_EQ(worker.stop(std::chrono::seconds(10)), WorkerThread::StopResult::Ended);
    EXPECT_TRUE(ended);
    EXPECT_FALSE(worker.running());
    EXPECT_EQ(worker.stop(), WorkerThread::StopResult::NotRunning);

    // A body that ignores the stop for a while is still joined, and the stop says it was late.
    worker.start([](std::stop_token token) {
        while (!token.stop_requested())
            std::this_thread::yield();
        std::this_thread::sleep_for(milliseconds(30));
    });
    EXPECT_EQ(worker.stop(milliseconds(1)), WorkerThread::StopResult::Late);
    EXPECT_FALSE(worker.running());
}

} // namespace
} // namespace v38
