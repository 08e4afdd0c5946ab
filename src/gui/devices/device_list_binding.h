// DeviceListBinding: the core device list bound to the main window. It owns the list (with its timer
// service and capture thread), fills the window's device list hooks and draws the model's changes:
// entries in "device_select_layout", power panels in "device_power_switch", device pages in
// "device_switch", the "No_device_Link" notice and the previous/next buttons.
#pragma once

#include "core/devices/capture_thread.h"
#include "core/devices/device_list.h"
#include "core/devices/power_panel.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <vector>

namespace v38 {

class CDeviceOptionUI;
class CMainWnd;
class CMpDevicePowerUI;
class QtTimerService;

class DeviceListBinding : public QObject, public DeviceListObserver, public PowerPanelListener {
    Q_OBJECT
public:
    // backend empty: the process backend. Call before the window's init sequence runs.
    explicit DeviceListBinding(CMainWnd& window, std::shared_ptr<HidBackend> backend = {});
    // Ends the window's workers first (the capture thread reads the list's table).
    ~DeviceListBinding() override;

    DeviceList& list() { return *m_list; }
    CDeviceOptionUI* entryWidget(int entry) const;
    CMpDevicePowerUI* powerWidget(int powerIndex) const;
    // The page of a device in "device_switch"; null for none.
    QWidget* devicePage(int devicePanelIndex) const;

    // DeviceListObserver
    void entryCreated(int entry) override;
    void entryChanged(int entry) override;
    void noDeviceNoticeChanged(bool shown) override;
    void deviceTabSelected(int tab) override;
    void powerTabSelected(int tab) override;
    void bringToFront() override;
    // PowerPanelListener
    void powerPanelChanged(const PowerPanel& panel) override;

private:
    void installHooks();
    void startCapture(class WorkerSlots& workers, int slot, MessageSink& sink);
    void refreshEntry(int entry);
    void refreshListControls();
    void showPower(int powerIndex);

    QPointer<CMainWnd> m_window;
    std::shared_ptr<HidBackend> m_backend;
    QtTimerService* m_timers;
    std::unique_ptr<DeviceList> m_list;
    std::unique_ptr<CaptureThread> m_capture;
    std::vector<QPointer<CDeviceOptionUI>> m_entries;
    std::vector<QPointer<CMpDevicePowerUI>> m_powers;
    std::vector<QPointer<QWidget>> m_pages;
};

} // namespace v38
