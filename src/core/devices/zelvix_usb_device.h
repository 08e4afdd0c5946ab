// CZelvixUSBDevice: the device object base. One object stands for one device kind for the whole run:
// it owns the command link and the secondary (input) link, the identity it was found on, the light
// values, and the worker threads; the families override the virtual operations.
//
// A family whose light or sync procedure is its own must call stopAllThreads() in its destructor:
// the base destructor runs after the family's part is gone.
#pragma once

#include "core/devices/device_entry.h"
#include "core/devices/device_panel_view.h"
#include "core/devices/device_paths.h"
#include "core/devices/power_panel.h"
#include "core/devices/supported_interface.h"
#include "core/platform/clock.h"
#include "core/platform/message_sink.h"
#include "core/platform/worker_thread.h"
#include "core/protocol/device_link.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <stop_token>
#include <string>
#include <vector>

namespace v38 {

using KeyFunctionList = std::vector<std::array<uint8_t, 3>>;

// LED values: red | green << 8 | blue << 16 | intensity << 24.
constexpr uint32_t packLedValue(uint8_t red, uint8_t green, uint8_t blue, uint8_t intensity) {
    return red | green << 8 | blue << 16 | static_cast<uint32_t>(intensity) << 24;
}

// Tabs selected by showFunctionPage; -1 leaves that tab layout unchanged.
struct FunctionTabs {
    int functionTab;
    int keyFunctionTab;
};
FunctionTabs functionPageTabs(int type, int deviceKindCode);

class CZelvixUSBDevice {
public:
    static constexpr int kMaxLightCount = 1024;
    static constexpr int kMaxKeyCount = 1024;

    explicit CZelvixUSBDevice(std::shared_ptr<HidBackend> backend = processHidBackend(),
                              Clock& clock = systemClock());
    virtual ~CZelvixUSBDevice();
    CZelvixUSBDevice(const CZelvixUSBDevice&) = delete;
    CZelvixUSBDevice& operator=(const CZelvixUSBDevice&) = delete;

    DeviceLink& commandLink() { return commandLink_; }
    DeviceLink& secondaryLink() { return secondaryLink_; }
    // The command link's receiver mode.
    bool onReceiverRoute() const { return commandLink_.receiverMode(); }

    // Set-up, called once by the device list right after construction.
    void setPanelLayoutPath(std::string path) { panelLayoutPath_ = std::move(path); }
    const std::string& panelLayoutPath() const { return panelLayoutPath_; }
    void setMessageSink(MessageSink* window) { window_ = window; }
    MessageSink* messageSink() const { return window_; }
    // Resizes the key button list when the count changes.
    void setKeyCount(int count);
    int keyCount() const { return keyCount_; }
    // Resizes the light button list, the LED values and the frame when the count changes; clears the
    // LED values and the frame in every case.
    void setLightCount(int count);
    int lightCount() const { return lightCount_; }
    void setKindIndex(int index) { kindIndex_ = index; }
    int kindIndex() const { return kindIndex_; }
    // Also shows or hides the power panel's battery group.
    void setHasReceiverVariant(bool has);
    bool hasReceiverVariant() const { return hasReceiverVariant_; }
    void setCurrentProfileName(std::string name) { currentProfileName_ = std::move(name); }
    const std::string& currentProfileName() const { return currentProfileName_; }
    void setLightConfigName(std::string name) { lightConfigName_ = std::move(name); }
    const std::string& lightConfigName() const { return lightConfigName_; }
    void setKindName(std::string name) { kindName_ = std::move(name); }
    const std::string& kindName() const { return kindName_; }
    // Applies the has-receiver-variant flag to the panel.
    void setPowerPanel(PowerPanel* panel);
    PowerPanel* powerPanel() const { return powerPanel_; }
    // Stores the record and takes the device kind code (of the cable route) and the role from it.
    void setIdentity(const SupportedInterface& identity);
    const SupportedInterface& identity() const { return identity_; }
    int deviceKindCode() const { return deviceKindCode_; }
    int role() const { return role_; }
    // The entry and the device reference each other.
    void setEntry(DeviceEntry* entry);
    DeviceEntry* entry() const { return entry_; }
    void setPanelView(DevicePanelView* view) { panelView_ = view; }
    DevicePanelView* panelView() const { return panelView_; }
    void setFolders(DeviceFolders folders) { folders_ = std::move(folders); }
    const DeviceFolders& folders() const { return folders_; }

    // Switching it on for a keyboard on the cable hands the lighting to the host (command 28).
    void setSoftwareLightingControl(bool on);
    bool softwareLightingControl() const { return softwareLightingControl_; }
    void setRepaintRequest(bool request) { repaintRequest_ = request; }
    bool repaintRequest() const { return repaintRequest_; }
    // Stored only for devices with a receiver variant.
    void pausePowerPolling(bool paused);
    bool powerPollingPaused() const { return powerPollingPaused_; }
    // Passed on to the lighting panel.
    void setSeveralDevicesVisible(bool several);

    std::string defaultDataFolder() const;
    std::string defaultProfilePath() const;
    // The kind's folder in the data home, created when missing.
    std::string dataFolder() const;

    // Effects' byte arithmetic: forward value + step, or 0 when that reaches the limit; backward
    // value - step while below the limit, else limit - step.
    static uint8_t step(bool forward, uint8_t limit, uint8_t value, uint8_t step);

    int selectedKey() const { return selectedKey_; }
    // The key picture button bound to a key or light position; -1 when none.
    int keyButton(int position) const;
    int lightButton(int position) const;
    // The last frame built by sendLightFrame: 3 bytes per light.
    const std::vector<uint8_t>& lightFrame() const { return frame_; }
    const std::array<int, 4>& lightInfo() const { return lightInfo_; }

    // Virtual operations, in the order every family knows them.
    virtual void bindPanelControls();
    virtual int applyLightingFromProfile() { return 0; }
    virtual void sendLightFrame();
    virtual void setLedValue(int index, uint32_t value);
    virtual uint32_t getLedValue(int index) const;
    virtual void onDeviceAttached() {}
    virtual void onDeviceReselected() {}
    // Work of the entry timers 1003 and 1004, which are never started.
    virtual void reservedTimer1003() {}
    virtual void reservedTimer1004() {}
    virtual void refreshPowerState() {}
    virtual bool isReceiverLinked() { return true; }
    virtual int commitAndReloadProfile() { return 0; }
    virtual void refreshPanel() {}
    virtual void repairMacroBindings() {}
    virtual void loadDefaultProfile() {}
    virtual std::vector<int> collectUsedMacros() { return {}; }
    virtual int writeKeyTable(int /*slot*/, const KeyFunctionList& /*keys*/) { return 0; }
    virtual int writeKeyTableFromProfile(int /*slot*/) { return 0; }
    virtual int writeMacros(const std::vector<int>& /*macros*/) { return 0; }
    virtual int writeModeRecord(int /*slot*/, int /*byte0*/, int /*a*/, int /*b*/, int /*c*/) { return 0; }
    virtual void loadNameLists() {}
    virtual void setThirdMap(const std::map<int, int>& map) { thirdMap_ = map; }
    virtual void showFunctionPage(int type);
    virtual int functionPageType() const { return functionPageType_; }
    virtual void setProfileFilePaths() {}
    virtual std::string profileName() const { return {}; }
    virtual void saveProfile() {}
    virtual void setModelIndex(int index) { modelIndex_ = index; }
    virtual int modelIndex() const { return modelIndex_; }
    virtual void setLightInfo(const std::array<int, 4>& values) { lightInfo_ = values; }
    virtual void setAudioLightInfo(const std::array<int, 3>& values);
    virtual std::array<int, 3> audioLightInfo();
    virtual void selectKey(int position) { selectedKey_ = position; }
    virtual void feedAudioLevels(const uint8_t* /*levels*/, size_t /*count*/) {}
    virtual void feedExternalColour(uint8_t /*red*/, uint8_t /*green*/, uint8_t /*blue*/) {}

    // Worker thread slots. Input channel kinds: the receiver kinds (6, 9) use the secondary link's
    // receiver channel, every other kind its wired channel.
    void startLightThread();
    WorkerThread::StopResult stopLightThread();
    // Keyboard and mouse: reopen at path and (re)start the sync thread. Devices without a receiver
    // variant do this only while the channel is closed.
    void openInputChannel(const std::string& path, int kind);
    void reopenInputChannel(const std::string& path, int kind);
    void closeInputChannel(int kind);
    void startSyncThread(int kind);
    WorkerThread::StopResult stopSyncThread(int kind);
    void stopAllThreads();
    bool inputChannelOpen(int kind) const;
    bool syncThreadRunning(int kind) const;
    bool lightThreadRunning() const { return lightThread_.running(); }
    HidChannel& inputChannel(int kind);

protected:
    // The light thread's procedure; the base one idles until stopped.
    virtual void runLightThread(std::stop_token token);
    // Runs on a sync thread with the first usage of each input report. The base answers the
    // synchronisation request 1025 by having the entry's timer 1002 started.
    virtual void onSyncRequest(int kind, uint32_t usage);
    // Asks the window (by message, from any thread) to start a timer of this device's entry.
    void requestEntryTimer(int id, std::chrono::milliseconds delay);
    Clock& clock() { return clock_; }

    std::map<int, int> keySlotMap_;
    std::map<int, int> ledSlotMap_;
    std::map<int, int> thirdMap_;

private:
    struct InputSlot {
        // Guards opening, closing and decoding of the channel.
        std::mutex lock;
        std::atomic<bool> open{false};
        WorkerThread syncThread;
    };

    static size_t slotOf(int kind) { return isReceiverKind(static_cast<uint16_t>(kind)) ? 1 : 0; }
    HidChannel& slotChannel(size_t slot);
    void syncLoop(std::stop_token token, size_t slot, int kind);
    std::chrono::milliseconds syncStopWait() const;

    Clock& clock_;
    DeviceLink commandLink_;
    DeviceLink secondaryLink_;
    DevicePanelView* panelView_ = nullptr;
    DeviceEntry* entry_ = nullptr;
    PowerPanel* powerPanel_ = nullptr;
    MessageSink* window_ = nullptr;
    DeviceFolders folders_;
    std::string panelLayoutPath_;
    std::string currentProfileName_;
    std::string lightConfigName_;
    std::string kindName_;
    int deviceKindCode_ = 0;
    int role_ = 0;
    int keyCount_ = 0;
    int lightCount_ = 0;
    int kindIndex_ = -1;
    int selectedKey_ = -1;
    int functionPageType_ = 1;
    std::vector<int> keyButtons_;
    std::vector<int> lightButtons_;
    std::vector<std::atomic<uint32_t>> ledValues_;
    std::vector<uint8_t> frame_;
    std::atomic<bool> softwareLightingControl_{true};
    std::atomic<bool> repaintRequest_{true};
    std::atomic<bool> hasReceiverVariant_{false};
    std::atomic<bool> powerPollingPaused_{false};
    SupportedInterface identity_;
    int modelIndex_ = 0;
    std::array<int, 4> lightInfo_{};
    std::array<int, 3> audioLightInfo_{};

    WorkerThread lightThread_;
    std::array<InputSlot, 2> inputSlots_;
};

} // namespace v38
