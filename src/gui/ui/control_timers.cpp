#include "gui/ui/control_timers.h"

#include <QTimer>
#include <QWidget>

namespace v38 {

ControlTimers::ControlTimers(Fired fired, QObject* parent) : QObject(parent), m_fired(std::move(fired)) {}

void ControlTimers::set(QWidget* control, int id, int milliseconds) {
    if (!control)
        return;
    QPointer<QTimer>& timer = m_timers[Key{control, id}];
    if (!timer) {
        // Parented to the control: the timer stops and goes away with it.
        timer = new QTimer(control);
        timer->setSingleShot(true);
        QPointer<QWidget> guard(control);
        connect(timer, &QTimer::timeout, this, [this, guard, id] {
            if (guard && m_fired)
                m_fired(guard, id);
        });
    }
    timer->start(std::max(0, milliseconds));
}

void ControlTimers::kill(QWidget* control, int id) {
    auto it = m_timers.find(Key{control, id});
    if (it == m_timers.end())
        return;
    if (*it)
        (*it)->stop();
}

bool ControlTimers::isActive(QWidget* control, int id) const {
    auto it = m_timers.constFind(Key{control, id});
    return it != m_timers.constEnd() && *it && (*it)->isActive();
}

void ControlTimers::killAll() {
    for (const QPointer<QTimer>& timer : std::as_const(m_timers))
        if (timer)
            timer->stop();
}

} // namespace v38
