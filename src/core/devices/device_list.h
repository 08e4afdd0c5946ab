// DeviceList: the window's list of supported devices. It holds the working interface table, the
// device objects by family, one entry per device kind and the power panels; it runs the arrival and
// removal handlers (opening and closing links, handing input interfaces to the devices, switching a
// device between cable and receiver) and the entry timers. It lives on the window's thread and tells
// an observer what changed; the window draws it.
#pragma once

#include "core/devices/device_entry.h"
#include "core/devices/device_paths.h"
#include "core/devices/interface_table.h"
#include "core/devices/power_panel.h"
#include "core/devices/zelvix_usb_device.h"
#include "core/hid/hid_backend.h"
#include "core/platform/clock.h"
#include "core/platform/message_sink.h"
#include "core/platform/timer_service.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace v38 {

class DeviceListObserver {
public:
    virtual ~DeviceListObserver() = default;

    virtual void entryCreated(int /*entry*/) {}
    // Visibility, selection or synchro check of the entry changed.
    virtual void entryChanged(int /*entry*/) {}
    virtual void noDeviceNoticeChanged(bool /*shown*/) {}
    // Tab of "device_switch" (device panels).
    virtual void deviceTabSelected(int /*tab*/) {}
    // Tab of "device_power_switch"; -1 hides the container.
    virtual void powerTabSelected(int /*tab*/) {}
    virtual void interfaceArrived(int /*row*/) {}
    virtual void interfaceRemoved(int /*row*/) {}
    // The command link moved to the other route; opened is false when the new channel did not open.
    virtual void routeSwitched(int /*entry*/, bool /*toReceiver*/, bool /*opened*/) {}
    // The visible, selected entry is about to be hidden: end a macro recording and leave editing.
    virtual void selectedEntryHiding(int /*entry*/) {}
    virtual void bringToFront() {}
};

// Makes the device object of a kind index (the window's family classes); nullptr when it cannot.
using DeviceFactory = std::function<std::unique_ptr<CZelvixUSBDevice>(int kindIndex)>;

struct DeviceListContext {
    std::shared_ptr<HidBackend> backend; // empty: the process backend
    MessageSink* window = nullptr;
    TimerService* timers = nullptr;
    Clock* clock = nullptr; // null: the system clock
    DeviceFolders folders;
    std::string currentProfileName;
    DeviceFactory factory; // empty: base objects
};

class DeviceList {
public:
    // Entry timer ids.
    static constexpr int kTimerLightFrame = 1000;
    static constexpr int kTimerAttach = 1001;
    static constexpr int kTimerResync = 1002;
    static constexpr int kTimerReserved1003 = 1003;
    static constexpr int kTimerReserved1004 = 1004;
    static constexpr int kTimerPower = 1005;
    static constexpr int kTimerReceiver = 1007;
    // ReceiverQuery tries after a switch to the receiver, and the pause after each failed one.
    static constexpr int kReceiverTries = 26;
    static constexpr std::chrono::milliseconds kReceiverRetryPause{50};

    explicit DeviceList(DeviceListContext context);
    ~DeviceList();
    DeviceList(const DeviceList&) = delete;
    DeviceList& operator=(const DeviceList&) = delete;

    void setObserver(DeviceListObserver* observer) { observer_ = observer; }
    // The working table the capture thread fills.
    InterfaceTable& interfaces() { return table_; }

    // The mouse and keyboard objects and entries (at window initialisation). False when one failed.
    bool createInitialDevices();

    // Arrival, removal, entry visibility and entry timer requests; false for any other message.
    bool handleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam);
    void deviceArrived(int row);
    void deviceRemoved(int row);
    void entryVisibility(int kindIndex, bool show);
    // A timer of the timer service fired; owner is an entry.
    void timerFired(const void* owner, int id);
    void entryTimer(int entry, int id);

    size_t entryCount() const { return entries_.size(); }
    const DeviceEntry& entry(size_t index) const { return *entries_.at(index); }
    // The entry of a DeviceKindTable row, -1 when not made yet.
    int entryOfKind(int kindIndex) const;
    int entryOfDevice(const CZelvixUSBDevice* device) const;

    void selectEntry(int index, bool visible, bool select);
    void hideEntry(int index);
    void selectPrevious();
    void selectNext();
    // The user chose the entry.
    void entryClicked(int index);
    void setSynchroCheck(int index, bool on);
    int selectedEntry() const;
    int firstVisibleEntry() const;
    int visibleEntryCount() const;
    // The device of the visible, selected entry.
    CZelvixUSBDevice* currentDevice() const;
    bool noDeviceNoticeShown() const { return noDeviceNotice_; }
    int deviceTab() const { return deviceTab_; }
    int powerTab() const { return powerTab_; }
    int clickedEntry() const { return clickedEntry_; }

    // Devices of a kind index, in creation order.
    const std::vector<CZelvixUSBDevice*>& family(int kindIndex) const;
    size_t deviceCount() const { return devices_.size(); }
    size_t powerPanelCount() const { return powerPanels_.size(); }
    PowerPanel& powerPanel(size_t index) { return *powerPanels_.at(index); }

private:
    // The role 0 row of the same vendor, product and kind as row.
    static int commandRowOf(int row);
    // The row a device object's identity holds for row: the command row, the cable one for a
    // receiver row with a peer.
    static int identityRowOf(int row);
    static bool sameProduct(const SupportedInterface& a, const SupportedInterface& b);
    bool otherRouteAttached(int row) const;
    CZelvixUSBDevice* deviceWithIdentity(int identityRow) const;
    CZelvixUSBDevice* createDevice(int row);
    void attach(CZelvixUSBDevice& device, int row);
    void handOverSecondary(int row, bool arrived);
    void switchRoute(int row, bool toCable);
    void detach(CZelvixUSBDevice& device);
    void showEntry(int index);
    void sendEntryVisibility(int kindIndex, bool show);
    void startTimer(int entry, int id, std::chrono::milliseconds delay);
    void setNoDeviceNotice(bool shown);
    struct EntryState {
        bool visible;
        bool selected;
        bool synchroCheck;
        bool operator==(const EntryState&) const = default;
    };
    std::vector<EntryState> entryStates() const;
    void notifyChanged(const std::vector<EntryState>& before);

    DeviceListContext context_;
    Clock& clock_;
    DeviceListObserver* observer_ = nullptr;
    InterfaceTable table_;
    // Destroyed after the devices, which point at them.
    std::vector<std::unique_ptr<DeviceEntry>> entries_;
    std::vector<std::unique_ptr<PowerPanel>> powerPanels_;
    std::vector<std::unique_ptr<CZelvixUSBDevice>> devices_;
    std::array<std::vector<CZelvixUSBDevice*>, kDeviceKindCount> families_;
    bool noDeviceNotice_ = true;
    int deviceTab_ = 0;
    int powerTab_ = 0;
    int clickedEntry_ = -1;
};

} // namespace v38
