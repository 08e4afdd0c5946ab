#include "gui/app/worker_slots.h"

#include "core/platform/debug_log.h"

#include <chrono>
#include <string>

namespace v38 {

bool WorkerSlots::start(int slot, Body body, Cancel cancel) {
    std::lock_guard lock(m_mutex);
    if (m_stopped || slot < 0 || slot >= kSlotCount || !body || m_slots[slot].thread.joinable())
        return false;
    m_slots[slot].cancel = std::move(cancel);
    m_slots[slot].thread = std::jthread(std::move(body));
    return true;
}

bool WorkerSlots::isStarted(int slot) const {
    std::lock_guard lock(m_mutex);
    return slot >= 0 && slot < kSlotCount && m_slots[slot].thread.joinable();
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
        if (slot.thread.joinable())
            slot.thread.request_stop();
    for (Slot& slot : slots)
        if (slot.thread.joinable() && slot.cancel)
            slot.cancel();
    for (int i = 0; i < kSlotCount; ++i) {
        Slot& slot = slots[i];
        if (!slot.thread.joinable())
            continue;
        const auto begin = std::chrono::steady_clock::now();
        slot.thread.join();
        const auto waited =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - begin)
                .count();
        if (waited <= kJoinWaitMs)
            debugOutput("所有对象处于激发状态");
        else
            debugOutput("所有对象处于非激发状态，超时 " + std::to_string(i) + " (" + std::to_string(waited) +
                        " ms)");
    }
}

} // namespace v38
