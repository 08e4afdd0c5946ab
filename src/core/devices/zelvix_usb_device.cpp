#include "core/devices/zelvix_usb_device.h"

#include "core/devices/device_messages.h"
#include "core/platform/data_folders.h"
#include "core/platform/debug_log.h"

#include <algorithm>
#include <charconv>

namespace v38 {

namespace {

// The number after prefix when the rest of text is decimal digits only; -1 otherwise.
int indexAfter(const std::string& text, std::string_view prefix) {
    if (text.size() <= prefix.size() || text.compare(0, prefix.size(), prefix) != 0)
        return -1;
    const char* first = text.data() + prefix.size();
    const char* last = text.data() + text.size();
    if (!std::all_of(first, last, [](char c) { return c >= '0' && c <= '9'; }))
        return -1;
    int value = -1;
    auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc() && end == last ? value : -1;
}

void reportStop(WorkerThread::StopResult result) {
    if (result == WorkerThread::StopResult::Ended)
        debugOutput("线程退出：：对象处于激发状态\n");
    else if (result == WorkerThread::StopResult::Late)
        debugOutput("线程退出：：对象处于非激发状态，超时\n");
}

} // namespace

FunctionTabs functionPageTabs(int type, int deviceKindCode) {
    switch (type) {
    case 2:
    case 6:
        return {0, 1};
    case 3:
    case 8:
        return {1, -1};
    case 4:
        if (deviceKindCode == kKindKeyboardCable || deviceKindCode == kKindMouseCable)
            return {3, -1};
        return {0, 2};
    case 7:
        return {0, 2};
    case 5:
        return {2, -1};
    default:
        return {0, 0};
    }
}

CZelvixUSBDevice::CZelvixUSBDevice(std::shared_ptr<HidBackend> backend, Clock& clock)
    : clock_(clock), commandLink_(backend), secondaryLink_(backend) {}

CZelvixUSBDevice::~CZelvixUSBDevice() {
    stopAllThreads();
    if (entry_ && entry_->device == this)
        entry_->device = nullptr;
}

void CZelvixUSBDevice::setKeyCount(int count) {
    count = std::clamp(count, 0, kMaxKeyCount);
    if (count == keyCount_)
        return;
    keyCount_ = count;
    keyButtons_.assign(static_cast<size_t>(count), -1);
}

void CZelvixUSBDevice::setLightCount(int count) {
    count = std::clamp(count, 0, kMaxLightCount);
    if (count != lightCount_) {
        lightCount_ = count;
        lightButtons_.assign(static_cast<size_t>(count), -1);
        ledValues_ = std::vector<std::atomic<uint32_t>>(static_cast<size_t>(count));
    }
    frame_.assign(static_cast<size_t>(count) * 3, 0);
    for (auto& value : ledValues_)
        value = 0;
}

void CZelvixUSBDevice::setHasReceiverVariant(bool has) {
    hasReceiverVariant_ = has;
    if (powerPanel_)
        powerPanel_->showBatteryGroup(has);
}

void CZelvixUSBDevice::setPowerPanel(PowerPanel* panel) {
    powerPanel_ = panel;
    if (powerPanel_)
        powerPanel_->showBatteryGroup(hasReceiverVariant_);
}

void CZelvixUSBDevice::setIdentity(const SupportedInterface& identity) {
    identity_ = identity;
    deviceKindCode_ = cableKindOf(identity.kind);
    role_ = identity.role;
}

void CZelvixUSBDevice::setEntry(DeviceEntry* entry) {
    entry_ = entry;
    if (entry_)
        entry_->device = this;
}

void CZelvixUSBDevice::setSoftwareLightingControl(bool on) {
    softwareLightingControl_ = on;
    if (on && deviceKindCode_ == kKindKeyboardCable)
        commandLink_.handLightingToHost();
}

void CZelvixUSBDevice::pausePowerPolling(bool paused) {
    if (hasReceiverVariant_)
        powerPollingPaused_ = paused;
}

void CZelvixUSBDevice::setSeveralDevicesVisible(bool several) {
    if (panelView_)
        panelView_->setSeveralDevicesVisible(several);
}

std::string CZelvixUSBDevice::defaultDataFolder() const {
    return v38::defaultDataFolder(folders_.resourceDir);
}

std::string CZelvixUSBDevice::defaultProfilePath() const {
    return v38::defaultProfilePath(folders_.resourceDir, kindName_);
}

std::string CZelvixUSBDevice::dataFolder() const {
    return deviceDataFolder(folders_.dataHome, kindName_);
}

uint8_t CZelvixUSBDevice::step(bool forward, uint8_t limit, uint8_t value, uint8_t step) {
    if (forward) {
        int next = value + step;
        return next >= limit ? 0 : static_cast<uint8_t>(next);
    }
    int next = value - step;
    return static_cast<uint8_t>(next < limit ? next : limit - step);
}

int CZelvixUSBDevice::keyButton(int position) const {
    return position >= 0 && static_cast<size_t>(position) < keyButtons_.size() ? keyButtons_[position] : -1;
}

int CZelvixUSBDevice::lightButton(int position) const {
    return position >= 0 && static_cast<size_t>(position) < lightButtons_.size() ? lightButtons_[position]
                                                                                 : -1;
}

void CZelvixUSBDevice::bindPanelControls() {
    std::fill(keyButtons_.begin(), keyButtons_.end(), -1);
    std::fill(lightButtons_.begin(), lightButtons_.end(), -1);
    if (!panelView_)
        return;
    std::vector<PanelButton> buttons = panelView_->keyPictureButtons();
    for (size_t i = 0; i < buttons.size(); ++i) {
        int key = indexAfter(buttons[i].name, "key_");
        if (key >= 0 && key < keyCount_)
            keyButtons_[static_cast<size_t>(key)] = static_cast<int>(i);
        int light = indexAfter(buttons[i].userData, "light_");
        if (light >= 0 && light < lightCount_) {
            lightButtons_[static_cast<size_t>(light)] = static_cast<int>(i);
            panelView_->paintLightButton(i, 255, 255, 255, 255);
        }
    }
}

void CZelvixUSBDevice::setLedValue(int index, uint32_t value) {
    if (index >= 0 && static_cast<size_t>(index) < ledValues_.size())
        ledValues_[static_cast<size_t>(index)] = value;
}

uint32_t CZelvixUSBDevice::getLedValue(int index) const {
    if (index >= 0 && static_cast<size_t>(index) < ledValues_.size())
        return ledValues_[static_cast<size_t>(index)];
    return 0;
}

void CZelvixUSBDevice::sendLightFrame() {
    if (!softwareLightingControl_)
        return;
    for (int i = 0; i < lightCount_; ++i) {
        uint32_t value = ledValues_[static_cast<size_t>(i)];
        uint8_t red = value & 0xFF, green = value >> 8 & 0xFF, blue = value >> 16 & 0xFF;
        uint8_t intensity = value >> 24 & 0xFF;
        int button = lightButtons_[static_cast<size_t>(i)];
        if (button >= 0 && panelView_)
            panelView_->paintLightButton(static_cast<size_t>(button), red, green, blue, intensity);
        uint8_t* bytes = frame_.data() + 3 * i;
        bytes[0] = static_cast<uint8_t>(red * intensity >> 8);
        bytes[1] = static_cast<uint8_t>(green * intensity >> 8);
        bytes[2] = static_cast<uint8_t>(blue * intensity >> 8);
    }
    // The receiver's bandwidth does not carry frames; the device runs its own effect there.
    if (onReceiverRoute())
        return;
    if (commandLink_.sendLightingFrame(frame_.data(), frame_.size()) != kLinkOk)
        clock_.sleepFor(std::chrono::milliseconds(200));
}

void CZelvixUSBDevice::showFunctionPage(int type) {
    functionPageType_ = type;
    FunctionTabs tabs = functionPageTabs(type, deviceKindCode_);
    if (panelView_)
        panelView_->selectFunctionTabs(tabs.functionTab, tabs.keyFunctionTab);
}

void CZelvixUSBDevice::setAudioLightInfo(const std::array<int, 3>& values) {
    audioLightInfo_ = values;
    if (panelView_)
        panelView_->setAudioLightInfo(values);
}

std::array<int, 3> CZelvixUSBDevice::audioLightInfo() {
    if (panelView_)
        if (std::optional<std::array<int, 3>> values = panelView_->audioLightInfo())
            audioLightInfo_ = *values;
    return audioLightInfo_;
}

void CZelvixUSBDevice::requestEntryTimer(int id, std::chrono::milliseconds delay) {
    if (!window_ || !entry_ || id < 0 || id > 0x7FFF)
        return;
    auto ms = static_cast<intptr_t>(std::clamp<int64_t>(delay.count(), 0, 0xFFFF));
    window_->post(kMsgStartEntryTimer, static_cast<uintptr_t>(entry_->kindIndex),
                  static_cast<intptr_t>(id) << 16 | ms);
}

// Worker thread slots.

void CZelvixUSBDevice::startLightThread() {
    stopLightThread();
    lightThread_.start([this](std::stop_token token) { runLightThread(token); });
}

WorkerThread::StopResult CZelvixUSBDevice::stopLightThread() {
    WorkerThread::StopResult result = lightThread_.stop(std::chrono::milliseconds(1000));
    reportStop(result);
    return result;
}

void CZelvixUSBDevice::runLightThread(std::stop_token token) {
    while (!waitForStop(token, std::chrono::hours(1))) {
    }
}

HidChannel& CZelvixUSBDevice::slotChannel(size_t slot) {
    return slot == 1 ? secondaryLink_.receiverChannel() : secondaryLink_.wiredChannel();
}

HidChannel& CZelvixUSBDevice::inputChannel(int kind) {
    return slotChannel(slotOf(kind));
}

bool CZelvixUSBDevice::inputChannelOpen(int kind) const {
    return inputSlots_[slotOf(kind)].open;
}

bool CZelvixUSBDevice::syncThreadRunning(int kind) const {
    return inputSlots_[slotOf(kind)].syncThread.running();
}

std::chrono::milliseconds CZelvixUSBDevice::syncStopWait() const {
    return std::chrono::milliseconds(hasReceiverVariant_ ? 500 : 1000);
}

void CZelvixUSBDevice::openInputChannel(const std::string& path, int kind) {
    size_t slot = slotOf(kind);
    InputSlot& input = inputSlots_[slot];
    if (!hasReceiverVariant_ && input.open)
        return;
    // The running reader goes first: its stop closes the channel, which releases a blocked read, and
    // it must not be left reading from the channel reopened below.
    stopSyncThread(kind);
    {
        std::lock_guard lock(input.lock);
        HidChannel& channel = slotChannel(slot);
        channel.close();
        input.open = channel.open(path, true, false, true, false);
    }
    startSyncThread(kind);
}

void CZelvixUSBDevice::reopenInputChannel(const std::string& path, int kind) {
    closeInputChannel(kind);
    openInputChannel(path, kind);
}

void CZelvixUSBDevice::closeInputChannel(int kind) {
    size_t slot = slotOf(kind);
    InputSlot& input = inputSlots_[slot];
    // Also a reader whose open failed: it idles, but belongs to the channel all the same.
    stopSyncThread(kind);
    std::lock_guard lock(input.lock);
    input.open = false;
    slotChannel(slot).close();
}

void CZelvixUSBDevice::startSyncThread(int kind) {
    stopSyncThread(kind);
    size_t slot = slotOf(kind);
    inputSlots_[slot].syncThread.start(
        [this, slot, kind](std::stop_token token) { syncLoop(token, slot, kind); });
}

WorkerThread::StopResult CZelvixUSBDevice::stopSyncThread(int kind) {
    WorkerThread::StopResult result = inputSlots_[slotOf(kind)].syncThread.stop(syncStopWait());
    reportStop(result);
    return result;
}

void CZelvixUSBDevice::stopAllThreads() {
    stopLightThread();
    for (int kind : {0, static_cast<int>(kKindMouseReceiver)})
        closeInputChannel(kind);
}

void CZelvixUSBDevice::syncLoop(std::stop_token token, size_t slot, int kind) {
    InputSlot& input = inputSlots_[slot];
    HidChannel& channel = slotChannel(slot);
    // Stopping closes the channel from the stopping thread: that releases the read below, which
    // waits without a time-out.
    std::stop_callback cancel(token, [&] {
        std::lock_guard lock(input.lock);
        channel.close();
    });
    std::vector<uint8_t> report;
    while (!waitForStop(token, std::chrono::milliseconds(1))) {
        if (!input.open) {
            // Only openInputChannel opens it again, and that starts a new reader.
            while (!waitForStop(token, std::chrono::hours(1))) {
            }
            break;
        }
        size_t length = channel.inputReportLength();
        report.assign(length ? std::min<size_t>(length, 4096) : 64, 0);
        size_t got = 0;
        if (channel.read(report.data(), report.size(), got, kHidInfinite) != 1 || got == 0)
            continue;
        bool found = false;
        uint32_t usage = 0;
        {
            std::lock_guard lock(input.lock);
            if (!channel.isOpen() || !channel.decodeInput(report.data(), got))
                continue;
            for (const HidDataItem& item : channel.inputDataItems()) {
                if (!item.isDataSet || item.reportId != report[0])
                    continue;
                usage = item.isButtonData ? (item.usages.empty() ? 0 : item.usages[0]) : item.value;
                found = true;
                break;
            }
        }
        if (!found)
            continue;
        debugOutput("接收到自动添加设备的同步信息要求  TEST");
        onSyncRequest(kind, usage);
    }
    debugOutput(hasReceiverVariant_ ? "MS 设备同步线程设定退出" : "MS设备同步线程设定退出");
}

void CZelvixUSBDevice::onSyncRequest(int /*kind*/, uint32_t usage) {
    if (usage != 1025)
        return;
    debugOutput("接收到自动添加设备的同步信息要求");
    requestEntryTimer(1002, std::chrono::milliseconds(hasReceiverVariant_ ? 50 : 500));
}

} // namespace v38
