// Test fixture: a virtual backend and a DeviceLink opened on one identity's command collection, plus
// helpers that read the wire log.
#pragma once

#include "core/protocol/device_link.h"
#include "sim/device_layout.h"
#include "sim/simulation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace v38::sim {

class SimLinkTest : public ::testing::Test {
protected:
    std::shared_ptr<VirtualHidBackend> backend =
        makeSimulation({Identity::Keyboard, Identity::Mouse, Identity::MouseReceiver, Identity::MousePad,
                        Identity::Headset});

    // Opens the link the way the device list does: mode 2 for receivers, 1 for cables, none (chunk 24)
    // for the mouse pad and the headset.
    static bool openLink(DeviceLink& link, Identity identity) {
        bool receiver = isReceiver(identity);
        HidChannel& channel = receiver ? link.receiverChannel() : link.wiredChannel();
        if (!channel.open(commandPath(identity), true, true, true, false))
            return false;
        link.setOpen(true);
        if (identity != Identity::MousePad && identity != Identity::Headset)
            link.setMode(receiver ? 2 : 1);
        return true;
    }

    // Request packets of a command the host sent to an identity, in order.
    std::vector<std::vector<uint8_t>> requests(Identity identity, uint8_t code) {
        std::vector<std::vector<uint8_t>> found;
        for (const WireRecord& record : backend->wireLog().snapshot())
            if (record.identity == identity && record.direction == WireDirection::HostToDevice &&
                record.bytes.size() == 64 && record.bytes[0] == 4 && record.bytes[3] == code)
                found.push_back(record.bytes);
        return found;
    }

    size_t answers(Identity identity) {
        auto log = backend->wireLog().snapshot();
        return static_cast<size_t>(
            std::count_if(log.begin(), log.end(), [identity](const WireRecord& record) {
                return record.identity == identity && record.direction == WireDirection::DeviceToHost;
            }));
    }

    std::vector<uint8_t> memory(Identity identity, MemoryRegion region, size_t offset, size_t length) {
        return backend->firmware(identity)->memory(region, offset, length);
    }

    static std::vector<uint8_t> pattern(size_t length, uint8_t seed) {
        std::vector<uint8_t> bytes(length);
        for (size_t i = 0; i < length; ++i)
            bytes[i] = static_cast<uint8_t>(seed + i * 7);
        return bytes;
    }
};

} // namespace v38::sim
