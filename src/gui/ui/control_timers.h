// One-shot timers bound to a control by id. Setting a running timer again restarts it; a timer dies
// with its control.
#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>

#include <functional>

class QTimer;
class QWidget;

namespace v38 {

class ControlTimers : public QObject {
    Q_OBJECT
public:
    using Fired = std::function<void(QWidget* control, int id)>;

    explicit ControlTimers(Fired fired, QObject* parent = nullptr);

    void set(QWidget* control, int id, int milliseconds);
    void kill(QWidget* control, int id);
    bool isActive(QWidget* control, int id) const;
    void killAll();

private:
    struct Key {
        QWidget* control;
        int id;
        bool operator==(const Key& other) const { return control == other.control && id == other.id; }
    };
    friend size_t qHash(const Key& key, size_t seed) { return qHashMulti(seed, key.control, key.id); }

    Fired m_fired;
    QHash<Key, QPointer<QTimer>> m_timers;
};

} // namespace v38
