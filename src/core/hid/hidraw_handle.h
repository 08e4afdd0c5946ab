// One open hidraw node seen through one top-level collection: reads keep only that collection's
// reports, and waits use poll() on the node plus an eventfd that cancel() signals for good.
#pragma once

#include "core/hid/hid_backend.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace v38 {

class HidrawHandle : public HidDeviceHandle {
public:
    struct Setup {
        int fd = -1; // the node, opened non-blocking
        bool canRead = false;
        bool canWrite = false;
        HidAttributes attributes;
        std::vector<uint8_t> descriptor;
        size_t collectionIndex = 0;
        bool numberedReports = false;
        std::vector<uint8_t> reportIds; // of this collection
    };

    // Takes the fd (closed on failure too); nullptr when no eventfd is to be had.
    static std::shared_ptr<HidrawHandle> create(Setup setup);
    ~HidrawHandle() override;
    HidrawHandle(const HidrawHandle&) = delete;
    HidrawHandle& operator=(const HidrawHandle&) = delete;

    HidAttributes attributes() const override { return setup_.attributes; }
    const std::vector<uint8_t>& reportDescriptor() const override { return setup_.descriptor; }
    size_t collectionIndex() const override { return setup_.collectionIndex; }

    HidIoResult read(uint8_t* buffer, size_t length, size_t& transferred, uint32_t timeoutMs) override;
    HidIoResult write(const uint8_t* buffer, size_t length, size_t& transferred, uint32_t timeoutMs) override;
    void cancel() override;

private:
    using Clock = std::chrono::steady_clock;
    HidrawHandle(Setup setup, int cancelFd);

    bool ownsReportId(uint8_t id) const;
    // Waits for events on the node. Ok with the node's revents, or TimedOut, Cancelled, Failed.
    HidIoResult wait(short events, const std::optional<Clock::time_point>& deadline, short& revents);

    Setup setup_;
    int cancelFd_ = -1;
    std::atomic<bool> cancelled_{false};
};

} // namespace v38
