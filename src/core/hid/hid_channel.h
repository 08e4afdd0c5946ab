// HidChannel: the program's only path to the devices. It lists the HID interface paths of the
// machine, opens one interface and learns its identity and report layout, and moves whole reports
// with a time-out that close() from another thread cuts short.
#pragma once

#include "core/hid/hid_backend.h"
#include "core/hid/hid_types.h"
#include "core/hid/report_descriptor.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace v38 {

// One decoded data element of an input report.
struct HidDataItem {
    bool isButtonData = false;
    uint16_t usagePage = 0;
    HidStatus status = HidStatus::Success;
    uint32_t reportId = 0;
    bool isDataSet = false;
    // Button part: usages on within [usageMin, usageMax], 0-terminated when fewer than maxUsageCount.
    uint32_t usageMin = 0;
    uint32_t usageMax = 0;
    uint32_t maxUsageCount = 0;
    std::vector<uint16_t> usages;
    // Value part.
    uint16_t usage = 0;
    uint32_t value = 0;
    int32_t scaledValue = 0;
};

// Buffers, capabilities and data items of one report type; they exist while the channel is open.
struct HidReportLayout {
    std::vector<uint8_t> reportBuffer;
    std::vector<HidDataItem> dataItems;
    std::vector<HidButtonCaps> buttonCaps;
    std::vector<HidValueCaps> valueCaps;
};

class HidChannel {
public:
    HidChannel();
    explicit HidChannel(std::shared_ptr<HidBackend> backend);
    ~HidChannel();
    HidChannel(const HidChannel&) = delete;
    HidChannel& operator=(const HidChannel&) = delete;

    // Rebuilds the path list from the interfaces present and resets the cursor.
    bool enumerate();
    // The path at the cursor, advancing it; nullptr when the list is exhausted or absent.
    const std::string* nextPath();
    void freePathList();
    uint32_t pathCount() const { return pathCount_; }

    bool open(const std::string& path, bool readAccess, bool writeAccess, bool overlapped, bool exclusive);
    bool isOpen() const;
    // Safe when already closed, and from another thread while a transfer is blocked.
    void close();

    // 1 on success, 0 on failure, time-out or cancellation. timeoutMs may be kHidInfinite.
    int read(uint8_t* buffer, size_t length, size_t& bytesRead, uint32_t timeoutMs);
    int write(const uint8_t* buffer, size_t length, size_t& bytesWritten, uint32_t timeoutMs);

    // Fills the input data items from one input report whose first byte is the report id.
    bool decodeInput(const uint8_t* report, size_t reportLength);

    const HidAttributes& attributes() const { return attributes_; }
    uint16_t vendorId() const { return attributes_.vendorId; }
    uint16_t productId() const { return attributes_.productId; }
    uint16_t versionNumber() const { return attributes_.versionNumber; }
    const HidCapabilities& capabilities() const { return capabilities_; }
    uint16_t usagePage() const { return capabilities_.usagePage; }
    uint16_t usage() const { return capabilities_.usage; }
    uint16_t inputReportLength() const { return capabilities_.inputReportByteLength; }
    uint16_t outputReportLength() const { return capabilities_.outputReportByteLength; }
    uint16_t featureReportLength() const { return capabilities_.featureReportByteLength; }
    uint32_t interfaceNumber() const { return interfaceNumber_; }
    uint32_t collectionNumber() const { return collectionNumber_; }
    const std::string& path() const { return path_; }
    std::vector<uint8_t>& inputReportBuffer() { return layouts_[0].reportBuffer; }
    const std::vector<HidDataItem>& inputDataItems() const { return layouts_[0].dataItems; }
    const HidReportLayout& layout(HidReportType type) const { return layouts_[static_cast<int>(type)]; }
    // Report ids of the open collection (for callers that filter reports themselves).
    const std::vector<uint8_t>& reportIds() const { return collection_.reportIds; }

    bool readAccess() const { return readAccess_; }
    bool writeAccess() const { return writeAccess_; }
    bool overlapped() const { return overlapped_; }
    bool exclusive() const { return exclusive_; }
    bool reading() const { return reading_.load(); }
    bool writing() const { return writing_.load(); }
    // Why the last open failed (None after a successful open).
    HidOpenError lastOpenError() const { return lastOpenError_; }

private:
    bool readCapabilities(HidDeviceHandle& handle);
    void buildLayout(HidReportType type);
    void releaseLayouts();
    std::shared_ptr<HidDeviceHandle> currentHandle() const;

    std::shared_ptr<HidBackend> backend_;

    std::vector<std::string> pathList_;
    uint32_t pathCount_ = 0;
    uint32_t cursor_ = 0;

    bool readAccess_ = false;
    bool writeAccess_ = false;
    bool overlapped_ = false;
    bool exclusive_ = false;

    // Guards the handle and everything built from it, so close() from another thread never frees
    // what a decode is reading; transfers copy the handle and run without it.
    mutable std::mutex stateMutex_;
    std::shared_ptr<HidDeviceHandle> handle_;
    std::string path_;
    HidTopCollection collection_;
    HidCapabilities capabilities_;
    HidAttributes attributes_;
    HidReportLayout layouts_[kHidReportTypeCount];
    uint32_t interfaceNumber_ = 0;
    uint32_t collectionNumber_ = 0;
    HidOpenError lastOpenError_ = HidOpenError::None;

    std::atomic<bool> reading_{false};
    std::atomic<bool> writing_{false};
};

} // namespace v38
