#include "core/hid/hid_channel.h"

#include "core/hid/hid_path.h"

#include <algorithm>

namespace v38 {

HidChannel::HidChannel() : HidChannel(processHidBackend()) {}

HidChannel::HidChannel(std::shared_ptr<HidBackend> backend) : backend_(std::move(backend)) {}

HidChannel::~HidChannel() {
    close();
    freePathList();
}

bool HidChannel::enumerate() {
    pathList_.clear();
    pathCount_ = 0;
    cursor_ = 0;
    std::vector<std::string> found;
    if (!backend_ || !backend_->listPaths(found))
        return false;
    // Room grows by doubling from 8, as the list did when paths arrived one index at a time.
    size_t room = 8;
    while (room < found.size())
        room *= 2;
    pathList_.reserve(room);
    for (auto& path : found)
        pathList_.push_back(std::move(path));
    pathCount_ = static_cast<uint32_t>(pathList_.size());
    return true;
}

const std::string* HidChannel::nextPath() {
    if (cursor_ >= pathCount_ || cursor_ >= pathList_.size())
        return nullptr;
    return &pathList_[cursor_++];
}

void HidChannel::freePathList() {
    pathList_.clear();
    pathList_.shrink_to_fit();
    pathCount_ = 0;
    cursor_ = 0;
}

bool HidChannel::open(const std::string& path, bool readAccess, bool writeAccess, bool overlapped,
                      bool exclusive) {
    readAccess_ = readAccess;
    writeAccess_ = writeAccess;
    overlapped_ = overlapped;
    exclusive_ = exclusive;
    close();
    if (path.size() > kMaxHidPathLength || !backend_) {
        lastOpenError_ = HidOpenError::InvalidPath;
        return false;
    }
    HidOpenMode mode;
    mode.read = readAccess;
    mode.write = writeAccess;
    mode.exclusive = exclusive;
    HidOpenError error = HidOpenError::None;
    std::shared_ptr<HidDeviceHandle> handle = backend_->open(path, mode, error);
    if (!handle) {
        lastOpenError_ = error == HidOpenError::None ? HidOpenError::Failed : error;
        return false;
    }
    std::lock_guard lock(stateMutex_);
    path_ = path;
    if (!readCapabilities(*handle)) {
        handle->cancel();
        releaseLayouts();
        lastOpenError_ = HidOpenError::DescriptorUnreadable;
        return false;
    }
    handle_ = std::move(handle);
    lastOpenError_ = HidOpenError::None;
    return true;
}

bool HidChannel::readCapabilities(HidDeviceHandle& handle) {
    ReportDescriptor descriptor;
    const std::vector<uint8_t>& bytes = handle.reportDescriptor();
    if (!parseReportDescriptor(bytes.data(), bytes.size(), descriptor))
        return false;
    size_t index = handle.collectionIndex();
    if (index >= descriptor.collections.size())
        return false;
    collection_ = std::move(descriptor.collections[index]);
    attributes_ = handle.attributes();
    capabilities_ = collection_.caps;
    for (int type = 0; type < kHidReportTypeCount; ++type)
        buildLayout(static_cast<HidReportType>(type));
    HidPathFields fields = parseHidPathFields(path_);
    interfaceNumber_ = fields.interfaceNumber;
    collectionNumber_ = fields.collectionNumber;
    return true;
}

void HidChannel::buildLayout(HidReportType type) {
    int t = static_cast<int>(type);
    HidReportLayout& layout = layouts_[t];
    uint16_t length = type == HidReportType::Input    ? capabilities_.inputReportByteLength
                      : type == HidReportType::Output ? capabilities_.outputReportByteLength
                                                      : capabilities_.featureReportByteLength;
    layout.reportBuffer.assign(length, 0);
    layout.buttonCaps = collection_.buttonCaps[t];
    layout.valueCaps = collection_.valueCaps[t];

    size_t count = layout.buttonCaps.size();
    for (const HidValueCaps& caps : layout.valueCaps)
        count += caps.isRange ? static_cast<size_t>(caps.usageMax - caps.usageMin) + 1 : 1;
    layout.dataItems.clear();
    layout.dataItems.reserve(count);

    for (const HidButtonCaps& caps : layout.buttonCaps) {
        HidDataItem item;
        item.isButtonData = true;
        item.usagePage = caps.usagePage;
        item.reportId = caps.reportId;
        item.usageMin = caps.usageMin;
        item.usageMax = caps.isRange ? caps.usageMax : caps.usageMin;
        item.maxUsageCount = maxUsageListLength(collection_, type, caps.usagePage);
        item.usages.assign(item.maxUsageCount, 0);
        layout.dataItems.push_back(std::move(item));
    }
    for (const HidValueCaps& caps : layout.valueCaps) {
        uint32_t last = caps.isRange ? caps.usageMax : caps.usageMin;
        for (uint32_t usage = caps.usageMin; usage <= last && layout.dataItems.size() < count; ++usage) {
            HidDataItem item;
            item.usagePage = caps.usagePage;
            item.reportId = caps.reportId;
            item.usage = static_cast<uint16_t>(usage);
            layout.dataItems.push_back(std::move(item));
        }
    }
}

void HidChannel::releaseLayouts() {
    for (HidReportLayout& layout : layouts_)
        layout = HidReportLayout{};
    collection_ = HidTopCollection{};
}

bool HidChannel::isOpen() const {
    std::lock_guard lock(stateMutex_);
    return handle_ != nullptr;
}

void HidChannel::close() {
    std::shared_ptr<HidDeviceHandle> handle;
    {
        std::lock_guard lock(stateMutex_);
        handle = std::move(handle_);
        handle_.reset();
        releaseLayouts();
    }
    // Cancelling releases a transfer blocked on the handle; the handle itself goes when the last
    // transfer holding it returns.
    if (handle)
        handle->cancel();
}

std::shared_ptr<HidDeviceHandle> HidChannel::currentHandle() const {
    std::lock_guard lock(stateMutex_);
    return handle_;
}

int HidChannel::read(uint8_t* buffer, size_t length, size_t& bytesRead, uint32_t timeoutMs) {
    reading_ = true;
    bytesRead = 0;
    int result = 0;
    if (std::shared_ptr<HidDeviceHandle> handle = currentHandle(); handle && buffer)
        result = handle->read(buffer, length, bytesRead, timeoutMs) == HidIoResult::Ok ? 1 : 0;
    reading_ = false;
    return result;
}

int HidChannel::write(const uint8_t* buffer, size_t length, size_t& bytesWritten, uint32_t timeoutMs) {
    writing_ = true;
    bytesWritten = 0;
    int result = 0;
    if (std::shared_ptr<HidDeviceHandle> handle = currentHandle(); handle && buffer)
        result = handle->write(buffer, length, bytesWritten, timeoutMs) == HidIoResult::Ok ? 1 : 0;
    writing_ = false;
    return result;
}

bool HidChannel::decodeInput(const uint8_t* report, size_t reportLength) {
    if (!report || reportLength == 0)
        return false;
    std::lock_guard lock(stateMutex_);
    std::vector<uint16_t> on;
    for (HidDataItem& item : layouts_[0].dataItems) {
        if (item.reportId != report[0])
            continue;
        if (item.isButtonData) {
            item.status =
                getUsages(collection_, HidReportType::Input, item.usagePage, report, reportLength, on);
            size_t kept = 0;
            // The parser returns every usage of the page; each item keeps only its own range.
            for (uint16_t usage : on) {
                if (kept >= item.usages.size())
                    break;
                if (usage >= item.usageMin && usage <= item.usageMax)
                    item.usages[kept++] = usage;
            }
            if (kept < item.usages.size())
                item.usages[kept] = 0;
        } else {
            uint32_t value = 0;
            item.status = getUsageValue(collection_, HidReportType::Input, item.usagePage, item.usage, report,
                                        reportLength, value);
            if (item.status != HidStatus::Success)
                return false;
            item.value = value;
            int32_t scaled = 0;
            item.status = getScaledUsageValue(collection_, HidReportType::Input, item.usagePage, item.usage,
                                              report, reportLength, scaled);
            if (item.status == HidStatus::Success)
                item.scaledValue = scaled;
        }
        item.isDataSet = true;
    }
    return true;
}

} // namespace v38
