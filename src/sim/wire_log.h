// WireLog: every report that crosses the virtual bus, in order, with its direction, identity and time,
// so tests and the command line can see exactly what the host sent and the devices answered.
#pragma once

#include "sim/identity.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

namespace v38::sim {

enum class WireDirection { HostToDevice, DeviceToHost };

struct WireRecord {
    std::chrono::steady_clock::time_point time;
    Identity identity = Identity::Keyboard;
    WireDirection direction = WireDirection::HostToDevice;
    int interfaceNumber = 0;
    std::vector<uint8_t> bytes; // byte 0 is the report id
};

class WireLog {
public:
    // The oldest records are dropped beyond this many, so a long --simulate run keeps bounded memory.
    static constexpr size_t kDefaultCapacity = 100000;

    explicit WireLog(size_t capacity = kDefaultCapacity);

    void record(Identity identity, WireDirection direction, int interfaceNumber, const uint8_t* bytes,
                size_t length);
    void clear();
    std::vector<WireRecord> snapshot() const;
    size_t size() const;
    // Records dropped for lack of room since the last clear.
    size_t dropped() const;

private:
    mutable std::mutex mutex_;
    size_t capacity_;
    size_t dropped_ = 0;
    std::deque<WireRecord> records_;
};

} // namespace v38::sim
