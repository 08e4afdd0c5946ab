#include "gui/devices/qt_timer_service.h"

#include <QTimer>

namespace v38 {

QtTimerService::QtTimerService(Fired fired, QObject* parent) : QObject(parent), m_fired(std::move(fired)) {}

QtTimerService::~QtTimerService() {
    stopAll();
}

void QtTimerService::startTimer(const void* owner, int id, std::chrono::milliseconds delay) {
    QTimer*& timer = m_timers[{owner, id}];
    if (!timer) {
        timer = new QTimer(this);
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, this, [this, owner, id] {
            if (m_fired)
                m_fired(owner, id);
        });
    }
    timer->start(delay);
}

void QtTimerService::stopTimer(const void* owner, int id) {
    auto it = m_timers.find({owner, id});
    if (it != m_timers.end())
        it->second->stop();
}

bool QtTimerService::timerRunning(const void* owner, int id) const {
    auto it = m_timers.find({owner, id});
    return it != m_timers.end() && it->second->isActive();
}

void QtTimerService::stopAll() {
    for (auto& [key, timer] : m_timers)
        timer->stop();
}

} // namespace v38
