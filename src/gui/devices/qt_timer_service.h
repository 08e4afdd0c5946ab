// QtTimerService: the core's one-shot (owner, id) timers as QTimers on the window's thread.
#pragma once

#include "core/platform/timer_service.h"

#include <QObject>

#include <functional>
#include <map>
#include <utility>

class QTimer;

namespace v38 {

class QtTimerService : public QObject, public TimerService {
public:
    using Fired = std::function<void(const void* owner, int id)>;

    explicit QtTimerService(Fired fired, QObject* parent = nullptr);
    ~QtTimerService() override;

    void startTimer(const void* owner, int id, std::chrono::milliseconds delay) override;
    void stopTimer(const void* owner, int id) override;
    bool timerRunning(const void* owner, int id) const override;
    void stopAll();

private:
    using Key = std::pair<const void*, int>;
    Fired m_fired;
    std::map<Key, QTimer*> m_timers;
};

} // namespace v38
