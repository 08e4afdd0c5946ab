#include "sim/wire_log.h"

namespace v38::sim {

WireLog::WireLog(size_t capacity) : capacity_(capacity == 0 ? 1 : capacity) {}

void WireLog::record(Identity identity, WireDirection direction, int interfaceNumber, const uint8_t* bytes,
                     size_t length) {
    WireRecord entry;
    entry.time = std::chrono::steady_clock::now();
    entry.identity = identity;
    entry.direction = direction;
    entry.interfaceNumber = interfaceNumber;
    if (bytes && length)
        entry.bytes.assign(bytes, bytes + length);
    std::lock_guard lock(mutex_);
    if (records_.size() >= capacity_) {
        records_.pop_front();
        ++dropped_;
    }
    records_.push_back(std::move(entry));
}

void WireLog::clear() {
    std::lock_guard lock(mutex_);
    records_.clear();
    dropped_ = 0;
}

std::vector<WireRecord> WireLog::snapshot() const {
    std::lock_guard lock(mutex_);
    return {records_.begin(), records_.end()};
}

size_t WireLog::size() const {
    std::lock_guard lock(mutex_);
    return records_.size();
}

size_t WireLog::dropped() const {
    std::lock_guard lock(mutex_);
    return dropped_;
}

} // namespace v38::sim
