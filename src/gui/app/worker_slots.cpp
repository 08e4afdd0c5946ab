#include "gui/app/worker_slots.h"

#include "core/platform/debug_log.h"

#include <string>

namespace v38 {

bool WorkerSlots::start(int slot, Body body, Cancel cancel) {
    std::lock_guard lock(m_mutex);
    if (m_stopped || slot < 0 || slot >= kSlotCount || !body || m_slots[slot].worker)
        return false;
    m_slots[slot].cancel = std::move(cancel);
    m_slots[slot].worker = std::make_unique<WorkerThread>();
    m_slots[slot].worker->start(std::move(body));
    return true;
}

bool WorkerSlots::isStarted(int slot) const {
    std::lock_guard lock(m_mutex);
    return slot >= 0 && slot < kSlotCount && m_slots[slot].worker != nullptr;
}

bool WorkerSlots::stopped() const {
    std::lock_guard lock(m_mutex);
    return m_stopped;
}

void WorkerSlots::stopAll() {
    std::array<Slot, kSlotCount> slots;
    {
        std::lock_guard lock(m_mutex);
        m_stopped = true;
        slots.swap(m_slots);
    }
    // Every slot is signalled before any is waited for, so workers wind down together.
    for (Slot& slot : slots)
        if (slot.worker)
            slot.worker->requestStop();
    for (Slot& slot : slots)
        if (slot.worker && slot.cancel)
            slot.cancel();
    for (int i = 0; i < kSlotCount; ++i) {
        if (!slots[i].worker)
            continue;
        switch (slots[i].worker->stop(std::chrono::milliseconds(kJoinWaitMs))) {
        case WorkerThread::StopResult::NotRunning:
            break;
        case WorkerThread::StopResult::Ended:
            debugOutput("所有对象处于激发状态");
            break;
        case WorkerThread::StopResult::Late:
            debugOutput("所有对象处于非激发状态，超时 " + std::to_string(i));
            break;
        }
    }
}

} // namespace v38
