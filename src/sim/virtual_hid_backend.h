// VirtualHidBackend: the HID backend of --simulate and the tests: plugged virtual identities as HID
// paths, plus plug/unplug, receiver link, input and fault injection, device memory and the wire log.
#pragma once

#include "core/hid/hid_backend.h"
#include "sim/fault_rule.h"
#include "sim/firmware_model.h"
#include "sim/identity.h"
#include "sim/wire_log.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace v38::sim {

class VirtualBus;

class VirtualHidBackend : public HidBackend {
public:
    // Nothing plugged; every receiver's wireless device switched on.
    VirtualHidBackend();
    ~VirtualHidBackend() override;

    const char* name() const override { return "virtual"; }
    bool listPaths(std::vector<std::string>& paths) override;
    std::shared_ptr<HidDeviceHandle> open(const std::string& path, const HidOpenMode& mode,
                                          HidOpenError& error) override;

    // false when already in that state. Unplugging fails the transfers of its open handles at once.
    bool plug(Identity identity);
    bool unplug(Identity identity);
    bool isPlugged(Identity identity) const;
    std::vector<Identity> pluggedIdentities() const;

    // Receivers only (false otherwise): while off, the receiver answers every request with command
    // code 0xAA and ReceiverQuery reports the device unreachable.
    bool setWirelessOn(Identity receiver, bool on);
    bool wirelessOn(Identity receiver) const;

    // Sends an input report (byte 0 = report id) on the identity's consumer collection; false when
    // the identity is not plugged or the collection has no input report of that id and length.
    bool inputReport(Identity identity, const std::vector<uint8_t>& report);

    void addFault(const FaultRule& rule);
    void clearFaults();
    // Rules still active, with their remaining counts.
    std::vector<FaultRule> faults() const;

    // Time each report spends on the bus, each way (0 by default; about 1 ms is a full-speed device).
    void setLatency(std::chrono::microseconds latency);
    std::chrono::microseconds latency() const;

    WireLog& wireLog();
    // The firmware serving the identity; a product's cable and receiver identities share one.
    std::shared_ptr<FirmwareModel> firmware(Identity identity) const;

private:
    std::shared_ptr<VirtualBus> bus_;
};

} // namespace v38::sim
