// The main window's twenty worker slots. A worker is a std::jthread with a stop token and a way to
// cut its blocking call short; stopping means signal, cancel, join. Nothing is ever terminated.
#pragma once

#include "core/platform/worker_thread.h"

#include <array>
#include <functional>
#include <memory>
#include <mutex>
#include <stop_token>

namespace v38 {

class WorkerSlots {
public:
    static constexpr int kSlotCount = 20;
    // Slot 0 is the device capture thread, 1 the audio capture watchdog, 8 synchronised lighting.
    static constexpr int kCaptureSlot = 0;
    static constexpr int kAudioDaemonSlot = 1;
    static constexpr int kSyncLightSlot = 8;
    // A join that takes longer than this is logged (and still waited for).
    static constexpr int kJoinWaitMs = 1000;

    using Body = std::function<void(std::stop_token)>;
    using Cancel = std::function<void()>;

    WorkerSlots() = default;
    WorkerSlots(const WorkerSlots&) = delete;
    WorkerSlots& operator=(const WorkerSlots&) = delete;
    ~WorkerSlots() { stopAll(); }

    // Starts a worker in a free slot; false for a slot out of range, in use, or after stopAll.
    // cancel releases the worker's blocking call; it may be called from any thread.
    bool start(int slot, Body body, Cancel cancel = {});
    bool isStarted(int slot) const;
    // Signals every slot, cancels every blocking call, then joins each started worker.
    void stopAll();
    bool stopped() const;

private:
    struct Slot {
        std::unique_ptr<WorkerThread> worker; // null while the slot is free
        Cancel cancel;
    };
    mutable std::mutex m_mutex;
    std::array<Slot, kSlotCount> m_slots;
    bool m_stopped = false;
};

} // namespace v38
