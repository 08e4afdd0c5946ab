#include "sim/virtual_bus.h"

#include "core/hid/hid_path.h"
#include "core/platform/text_utils.h"
#include "sim/headset_firmware.h"
#include "sim/keyboard_firmware.h"
#include "sim/mouse_firmware.h"
#include "sim/mouse_pad_firmware.h"
#include "sim/virtual_hid_handle.h"

#include <algorithm>
#include <cctype>

namespace v38::sim {

namespace {

constexpr uint8_t kCommandReportId = 4;
constexpr uint8_t kReceiverQueryCode = 0xAA;

// The output report of that id anywhere on the interface (the device node takes any of them).
uint16_t outputLength(const InterfaceSpec& interface, uint8_t id) {
    for (const CollectionSpec& collection : interface.collections)
        if (uint16_t length = collection.reportLength(id, HidReportType::Output))
            return length;
    return 0;
}

// What the receiver says when it cannot reach the wireless device.
std::array<uint8_t, 64> unreachableAnswer(const uint8_t* request) {
    std::array<uint8_t, 64> answer = FirmwareModel::statusAnswer(request, 0);
    answer[3] = kReceiverQueryCode;
    answer[4] = answer[5] = answer[6] = 0;
    answer[8] = 0x00;
    FirmwareModel::seal(answer);
    return answer;
}

} // namespace

std::shared_ptr<VirtualBus> VirtualBus::create() {
    return std::shared_ptr<VirtualBus>(new VirtualBus());
}

VirtualBus::VirtualBus() {
    wirelessOn_.fill(true);
    auto keyboard = std::make_shared<KeyboardFirmware>();
    auto mouse = std::make_shared<MouseFirmware>();
    firmware_[identityIndex(Identity::Keyboard)] = keyboard;
    firmware_[identityIndex(Identity::KeyboardReceiver)] = keyboard;
    firmware_[identityIndex(Identity::Mouse)] = mouse;
    firmware_[identityIndex(Identity::MouseReceiver)] = mouse;
    firmware_[identityIndex(Identity::MousePad)] = std::make_shared<MousePadFirmware>();
    firmware_[identityIndex(Identity::Headset)] = std::make_shared<HeadsetFirmware>();
}

bool VirtualBus::listPaths(std::vector<std::string>& paths) const {
    std::lock_guard lock(mutex_);
    paths.clear();
    for (Identity identity : kAllIdentities) {
        if (!plugged_[identityIndex(identity)])
            continue;
        for (std::string& path : identityPaths(identity))
            paths.push_back(std::move(path));
    }
    return true;
}

std::shared_ptr<HidDeviceHandle> VirtualBus::open(const std::string& path, const HidOpenMode& mode,
                                                  HidOpenError& error) {
    if (path.empty() || path.size() > kMaxHidPathLength) {
        error = HidOpenError::InvalidPath;
        return nullptr;
    }
    std::lock_guard lock(mutex_);
    for (Identity identity : kAllIdentities) {
        if (!plugged_[identityIndex(identity)])
            continue;
        const IdentitySpec& layout = identitySpec(identity);
        for (size_t i = 0; i < layout.interfaces.size(); ++i) {
            for (size_t c = 0; c < layout.interfaces[i].collections.size(); ++c) {
                CollectionAddress address{i, c};
                if (!equalsIgnoringCase(collectionPath(identity, address), path))
                    continue;
                for (const auto& other : liveHandles(identity)) {
                    bool same = other->address().interfaceIndex == i && other->address().collectionIndex == c;
                    if (same && (mode.exclusive || other->mode().exclusive)) {
                        error = HidOpenError::AccessDenied;
                        return nullptr;
                    }
                }
                auto handle = std::make_shared<VirtualHidHandle>(shared_from_this(), identity, address, mode);
                handles_[identityIndex(identity)].push_back(handle);
                error = HidOpenError::None;
                return handle;
            }
        }
    }
    error = HidOpenError::NotFound;
    return nullptr;
}

bool VirtualBus::plug(Identity identity) {
    std::lock_guard lock(mutex_);
    bool& plugged = plugged_[identityIndex(identity)];
    if (plugged)
        return false;
    plugged = true;
    if (!isReceiver(identity))
        firmware_[identityIndex(identity)]->setCablePowered(true);
    return true;
}

bool VirtualBus::unplug(Identity identity) {
    std::lock_guard lock(mutex_);
    if (!plugged_[identityIndex(identity)])
        return false;
    unplugLocked(identity);
    return true;
}

void VirtualBus::unplugLocked(Identity identity) {
    size_t index = identityIndex(identity);
    plugged_[index] = false;
    if (!isReceiver(identity) && (identity == Identity::Keyboard || identity == Identity::Mouse))
        firmware_[index]->setCablePowered(false);
    for (auto& weak : handles_[index])
        if (auto handle = weak.lock())
            handle->detach();
    handles_[index].clear();
}

bool VirtualBus::isPlugged(Identity identity) const {
    std::lock_guard lock(mutex_);
    return plugged_[identityIndex(identity)];
}

std::vector<Identity> VirtualBus::pluggedIdentities() const {
    std::lock_guard lock(mutex_);
    std::vector<Identity> identities;
    for (Identity identity : kAllIdentities)
        if (plugged_[identityIndex(identity)])
            identities.push_back(identity);
    return identities;
}

bool VirtualBus::setWirelessOn(Identity receiver, bool on) {
    if (!isReceiver(receiver))
        return false;
    std::lock_guard lock(mutex_);
    wirelessOn_[identityIndex(receiver)] = on;
    return true;
}

bool VirtualBus::wirelessOn(Identity receiver) const {
    std::lock_guard lock(mutex_);
    return isReceiver(receiver) && wirelessOn_[identityIndex(receiver)];
}

bool VirtualBus::inputReport(Identity identity, const uint8_t* report, size_t length) {
    std::optional<CollectionAddress> address = findCollection(identity, CollectionRole::Consumer);
    if (!address || !report || length == 0)
        return false;
    const CollectionSpec& consumer =
        identitySpec(identity).interfaces[address->interfaceIndex].collections[address->collectionIndex];
    uint16_t declared = consumer.reportLength(report[0], HidReportType::Input);
    if (declared == 0 || length > declared)
        return false;
    std::vector<uint8_t> bytes(report, report + length);
    bytes.resize(declared, 0);
    std::lock_guard lock(mutex_);
    if (!plugged_[identityIndex(identity)])
        return false;
    sendToHost(identity, address->interfaceIndex, bytes);
    return true;
}

void VirtualBus::addFault(const FaultRule& rule) {
    std::lock_guard lock(mutex_);
    faults_.push_back({rule, 0});
}

void VirtualBus::clearFaults() {
    std::lock_guard lock(mutex_);
    faults_.clear();
}

std::vector<FaultRule> VirtualBus::faults() const {
    std::lock_guard lock(mutex_);
    std::vector<FaultRule> rules;
    for (const ActiveFault& fault : faults_)
        rules.push_back(fault.rule);
    return rules;
}

std::shared_ptr<FirmwareModel> VirtualBus::firmware(Identity identity) const {
    return firmware_[identityIndex(identity)];
}

std::optional<FaultKind> VirtualBus::takeFault(uint8_t command) {
    std::optional<FaultKind> chosen;
    for (auto it = faults_.begin(); it != faults_.end();) {
        if (it->rule.command != command) {
            ++it;
            continue;
        }
        // Every rule counts the packets of its command, whether or not an earlier rule fired.
        ++it->seen;
        bool due = it->rule.packet == 0 || it->seen >= it->rule.packet;
        if (!due || chosen) {
            ++it;
            continue;
        }
        chosen = it->rule.kind;
        if (it->rule.remaining == 1) {
            it = faults_.erase(it);
            continue;
        }
        if (it->rule.remaining > 1)
            --it->rule.remaining;
        ++it;
    }
    return chosen;
}

std::vector<std::shared_ptr<VirtualHidHandle>> VirtualBus::liveHandles(Identity identity) {
    std::vector<std::shared_ptr<VirtualHidHandle>> live;
    auto& list = handles_[identityIndex(identity)];
    std::erase_if(list, [&live](const std::weak_ptr<VirtualHidHandle>& weak) {
        auto handle = weak.lock();
        if (!handle || !handle->live())
            return true;
        live.push_back(std::move(handle));
        return false;
    });
    return live;
}

void VirtualBus::sendToHost(Identity identity, size_t interfaceIndex, const std::vector<uint8_t>& report) {
    const InterfaceSpec& interface = identitySpec(identity).interfaces[interfaceIndex];
    wireLog_.record(identity, WireDirection::DeviceToHost, interface.number, report.data(), report.size());
    auto readyAt = std::chrono::steady_clock::now() + latency();
    for (const auto& handle : liveHandles(identity))
        if (handle->address().interfaceIndex == interfaceIndex)
            handle->deliver(report, readyAt);
}

HidIoResult VirtualBus::submitOutput(VirtualHidHandle& from, const uint8_t* report, size_t length) {
    Identity identity = from.identity();
    size_t interfaceIndex = from.address().interfaceIndex;
    const InterfaceSpec& interface = identitySpec(identity).interfaces[interfaceIndex];
    // A report the interface does not declare, or longer than declared, is stalled by the device.
    uint16_t declared = outputLength(interface, report[0]);
    if (declared == 0 || length > declared)
        return HidIoResult::Failed;
    std::vector<uint8_t> bytes(report, report + length);
    bytes.resize(declared, 0);

    std::lock_guard lock(mutex_);
    size_t index = identityIndex(identity);
    if (!plugged_[index] || !from.live())
        return HidIoResult::Failed;
    FirmwareModel& firmware = *firmware_[index];

    bool isCommand = bytes[0] == kCommandReportId && bytes.size() == 64;
    if (!isCommand) {
        wireLog_.record(identity, WireDirection::HostToDevice, interface.number, bytes.data(), bytes.size());
        firmware.handleOutputReport(bytes.data(), bytes.size());
        return HidIoResult::Ok;
    }

    uint8_t code = bytes[3];
    std::optional<FaultKind> fault = takeFault(code);
    if (fault == FaultKind::WriteFailure)
        return HidIoResult::Failed;
    wireLog_.record(identity, WireDirection::HostToDevice, interface.number, bytes.data(), bytes.size());
    if (fault == FaultKind::UnplugDuringTransfer) {
        unplugLocked(identity);
        return HidIoResult::Ok;
    }
    if (fault == FaultKind::NoAnswer)
        return HidIoResult::Ok;

    auto answerWith = [&](const std::array<uint8_t, 64>& answer) {
        sendToHost(identity, interfaceIndex, std::vector<uint8_t>(answer.begin(), answer.end()));
    };
    if (fault == FaultKind::StaleAnswerFirst) {
        // Something left over from an earlier exchange: the last other code answered, else 2.
        uint8_t stale = lastAnswered_[index];
        if (stale == code || stale == 0 || stale == kReceiverQueryCode)
            stale = code == 0x02 ? 0x01 : 0x02;
        std::array<uint8_t, 64> old = FirmwareModel::statusAnswer(bytes.data(), 0);
        old[3] = stale;
        FirmwareModel::seal(old);
        answerWith(old);
    }

    bool unreachable = fault == FaultKind::Unreachable || (isReceiver(identity) && !wirelessOn_[index]);
    if (unreachable)
        answerWith(unreachableAnswer(bytes.data()));
    else if (fault == FaultKind::StatusFF)
        answerWith(FirmwareModel::statusAnswer(bytes.data(), kAnswerRefused));
    else if (fault == FaultKind::StatusFE)
        answerWith(FirmwareModel::statusAnswer(bytes.data(), kAnswerError));
    else
        answerWith(
            firmware.handleCommand(bytes.data(), isReceiver(identity) ? Route::Receiver : Route::Cable));
    if (!unreachable)
        lastAnswered_[index] = code;
    return HidIoResult::Ok;
}

} // namespace v38::sim
