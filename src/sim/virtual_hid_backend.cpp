#include "sim/virtual_hid_backend.h"

#include "sim/virtual_bus.h"

namespace v38::sim {

VirtualHidBackend::VirtualHidBackend() : bus_(VirtualBus::create()) {}

VirtualHidBackend::~VirtualHidBackend() {
    // Handles may outlive the backend; unplugging releases anything still blocked on them.
    for (Identity identity : kAllIdentities)
        bus_->unplug(identity);
}

bool VirtualHidBackend::listPaths(std::vector<std::string>& paths) {
    return bus_->listPaths(paths);
}

std::shared_ptr<HidDeviceHandle> VirtualHidBackend::open(const std::string& path, const HidOpenMode& mode,
                                                         HidOpenError& error) {
    return bus_->open(path, mode, error);
}

bool VirtualHidBackend::plug(Identity identity) {
    return bus_->plug(identity);
}
bool VirtualHidBackend::unplug(Identity identity) {
    return bus_->unplug(identity);
}
bool VirtualHidBackend::isPlugged(Identity identity) const {
    return bus_->isPlugged(identity);
}
std::vector<Identity> VirtualHidBackend::pluggedIdentities() const {
    return bus_->pluggedIdentities();
}

bool VirtualHidBackend::setWirelessOn(Identity receiver, bool on) {
    return bus_->setWirelessOn(receiver, on);
}
bool VirtualHidBackend::wirelessOn(Identity receiver) const {
    return bus_->wirelessOn(receiver);
}

bool VirtualHidBackend::inputReport(Identity identity, const std::vector<uint8_t>& report) {
    return bus_->inputReport(identity, report.data(), report.size());
}

void VirtualHidBackend::addFault(const FaultRule& rule) {
    bus_->addFault(rule);
}
void VirtualHidBackend::clearFaults() {
    bus_->clearFaults();
}
std::vector<FaultRule> VirtualHidBackend::faults() const {
    return bus_->faults();
}

void VirtualHidBackend::setLatency(std::chrono::microseconds latency) {
    bus_->setLatency(latency);
}
std::chrono::microseconds VirtualHidBackend::latency() const {
    return bus_->latency();
}

WireLog& VirtualHidBackend::wireLog() {
    return bus_->wireLog();
}

std::shared_ptr<FirmwareModel> VirtualHidBackend::firmware(Identity identity) const {
    return bus_->firmware(identity);
}

} // namespace v38::sim
