// VirtualBus: state shared by the virtual backend and its handles (plugged identities, handles,
// firmware, receiver links, faults, latency, wire log); routes output reports and their answers.
#pragma once

#include "core/hid/hid_backend.h"
#include "sim/device_layout.h"
#include "sim/fault_rule.h"
#include "sim/firmware_model.h"
#include "sim/identity.h"
#include "sim/wire_log.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace v38::sim {

class VirtualHidHandle;

class VirtualBus : public std::enable_shared_from_this<VirtualBus> {
public:
    // Always owned by a shared_ptr: handles keep the bus alive.
    static std::shared_ptr<VirtualBus> create();

    bool listPaths(std::vector<std::string>& paths) const;
    std::shared_ptr<HidDeviceHandle> open(const std::string& path, const HidOpenMode& mode,
                                          HidOpenError& error);

    bool plug(Identity identity);
    bool unplug(Identity identity);
    bool isPlugged(Identity identity) const;
    std::vector<Identity> pluggedIdentities() const;

    bool setWirelessOn(Identity receiver, bool on);
    bool wirelessOn(Identity receiver) const;

    bool inputReport(Identity identity, const uint8_t* report, size_t length);

    void addFault(const FaultRule& rule);
    void clearFaults();
    std::vector<FaultRule> faults() const;

    void setLatency(std::chrono::microseconds latency) { latencyUs_ = latency.count(); }
    std::chrono::microseconds latency() const { return std::chrono::microseconds(latencyUs_.load()); }

    WireLog& wireLog() { return wireLog_; }
    std::shared_ptr<FirmwareModel> firmware(Identity identity) const;

    // From a handle: one output report. Ok once the device took it.
    HidIoResult submitOutput(VirtualHidHandle& from, const uint8_t* report, size_t length);

private:
    VirtualBus();

    struct ActiveFault {
        FaultRule rule;
        uint32_t seen = 0;
    };

    std::optional<FaultKind> takeFault(uint8_t command);
    void unplugLocked(Identity identity);
    void sendToHost(Identity identity, size_t interfaceIndex, const std::vector<uint8_t>& report);
    std::vector<std::shared_ptr<VirtualHidHandle>> liveHandles(Identity identity);

    mutable std::mutex mutex_;
    std::array<bool, kIdentityCount> plugged_{};
    std::array<bool, kIdentityCount> wirelessOn_{};
    std::array<uint8_t, kIdentityCount> lastAnswered_{};
    std::array<std::vector<std::weak_ptr<VirtualHidHandle>>, kIdentityCount> handles_;
    std::array<std::shared_ptr<FirmwareModel>, kIdentityCount> firmware_;
    std::vector<ActiveFault> faults_;
    std::atomic<int64_t> latencyUs_{0};
    WireLog wireLog_;
};

} // namespace v38::sim
