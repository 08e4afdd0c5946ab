#include "sim/virtual_hid_handle.h"

#include "sim/virtual_bus.h"

#include <algorithm>
#include <cstring>

namespace v38::sim {

using Clock = std::chrono::steady_clock;

VirtualHidHandle::VirtualHidHandle(std::shared_ptr<VirtualBus> bus, Identity identity,
                                   CollectionAddress address, const HidOpenMode& mode)
    : bus_(std::move(bus)), identity_(identity), address_(address), mode_(mode) {}

HidAttributes VirtualHidHandle::attributes() const {
    return identitySpec(identity_).attributes;
}

const std::vector<uint8_t>& VirtualHidHandle::reportDescriptor() const {
    return identitySpec(identity_).interfaces[address_.interfaceIndex].descriptor;
}

const CollectionSpec& VirtualHidHandle::collection() const {
    return identitySpec(identity_).interfaces[address_.interfaceIndex].collections[address_.collectionIndex];
}

HidIoResult VirtualHidHandle::read(uint8_t* buffer, size_t length, size_t& transferred, uint32_t timeoutMs) {
    transferred = 0;
    std::unique_lock lock(mutex_);
    if (cancelled_)
        return HidIoResult::Cancelled;
    if (detached_ || !mode_.read || !buffer || length == 0)
        return HidIoResult::Failed;
    bool infinite = timeoutMs == kHidInfinite;
    Clock::time_point deadline =
        infinite ? Clock::time_point::max() : Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (true) {
        if (cancelled_)
            return HidIoResult::Cancelled;
        if (detached_)
            return HidIoResult::Failed;
        Clock::time_point now = Clock::now();
        if (!queue_.empty() && queue_.front().readyAt <= now) {
            Pending report = std::move(queue_.front());
            queue_.pop_front();
            transferred = std::min(length, report.bytes.size());
            std::memcpy(buffer, report.bytes.data(), transferred);
            return HidIoResult::Ok;
        }
        if (!infinite && now >= deadline)
            return HidIoResult::TimedOut;
        Clock::time_point wake = queue_.empty() ? deadline : std::min(deadline, queue_.front().readyAt);
        if (wake == Clock::time_point::max())
            changed_.wait(lock);
        else
            changed_.wait_until(lock, wake);
    }
}

HidIoResult VirtualHidHandle::write(const uint8_t* buffer, size_t length, size_t& transferred,
                                    uint32_t timeoutMs) {
    transferred = 0;
    {
        std::unique_lock lock(mutex_);
        if (cancelled_)
            return HidIoResult::Cancelled;
        if (detached_ || !mode_.write || !buffer || length == 0)
            return HidIoResult::Failed;
        // The report takes a bus frame to leave; cancel and unplug cut the wait short.
        auto latency = bus_->latency();
        if (latency.count() > 0) {
            auto limit = std::chrono::milliseconds(timeoutMs);
            bool tooSlow = timeoutMs != kHidInfinite && latency > limit;
            Clock::time_point until =
                Clock::now() + (tooSlow ? std::chrono::duration_cast<Clock::duration>(limit)
                                        : std::chrono::duration_cast<Clock::duration>(latency));
            changed_.wait_until(lock, until, [this] { return cancelled_ || detached_; });
            if (cancelled_)
                return HidIoResult::Cancelled;
            if (detached_)
                return HidIoResult::Failed;
            if (tooSlow)
                return HidIoResult::TimedOut;
        }
    }
    HidIoResult result = bus_->submitOutput(*this, buffer, length);
    if (result == HidIoResult::Ok)
        transferred = length;
    return result;
}

void VirtualHidHandle::cancel() {
    std::lock_guard lock(mutex_);
    cancelled_ = true;
    queue_.clear();
    changed_.notify_all();
}

bool VirtualHidHandle::live() const {
    std::lock_guard lock(mutex_);
    return !cancelled_ && !detached_;
}

void VirtualHidHandle::deliver(const std::vector<uint8_t>& report, Clock::time_point readyAt) {
    if (report.empty() || !mode_.read || !collection().hasReport(report[0], HidReportType::Input))
        return;
    std::lock_guard lock(mutex_);
    if (cancelled_ || detached_)
        return;
    if (queue_.size() >= kQueueCapacity)
        queue_.pop_front();
    queue_.push_back({report, readyAt});
    changed_.notify_all();
}

void VirtualHidHandle::detach() {
    std::lock_guard lock(mutex_);
    detached_ = true;
    queue_.clear();
    changed_.notify_all();
}

} // namespace v38::sim
