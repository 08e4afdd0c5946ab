// VirtualHidHandle: one open collection of a virtual device, with a bounded input queue and reads and
// writes that cancel() and the device's removal release at once.
#pragma once

#include "core/hid/hid_backend.h"
#include "sim/device_layout.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

namespace v38::sim {

class VirtualBus;

class VirtualHidHandle : public HidDeviceHandle {
public:
    // Reports a handle keeps before the oldest is dropped (what hidraw buffers per reader).
    static constexpr size_t kQueueCapacity = 64;

    VirtualHidHandle(std::shared_ptr<VirtualBus> bus, Identity identity, CollectionAddress address,
                     const HidOpenMode& mode);

    HidAttributes attributes() const override;
    const std::vector<uint8_t>& reportDescriptor() const override;
    size_t collectionIndex() const override { return address_.collectionIndex; }

    HidIoResult read(uint8_t* buffer, size_t length, size_t& transferred, uint32_t timeoutMs) override;
    HidIoResult write(const uint8_t* buffer, size_t length, size_t& transferred, uint32_t timeoutMs) override;
    void cancel() override;

    // Bus side.
    Identity identity() const { return identity_; }
    const CollectionAddress& address() const { return address_; }
    const CollectionSpec& collection() const;
    const HidOpenMode& mode() const { return mode_; }
    // Still usable: neither cancelled nor cut off by an unplug.
    bool live() const;
    // Queues an input report (when the collection has its id and the handle reads), readable from readyAt.
    void deliver(const std::vector<uint8_t>& report, std::chrono::steady_clock::time_point readyAt);
    // The device went away: transfers fail from now on.
    void detach();

private:
    struct Pending {
        std::vector<uint8_t> bytes;
        std::chrono::steady_clock::time_point readyAt;
    };

    std::shared_ptr<VirtualBus> bus_;
    Identity identity_;
    CollectionAddress address_;
    HidOpenMode mode_;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Pending> queue_;
    bool cancelled_ = false;
    bool detached_ = false;
};

} // namespace v38::sim
