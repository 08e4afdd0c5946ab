#include "gui/devices/device_list_binding.h"

#include "core/platform/clock.h"
#include "core/platform/data_folders.h"
#include "gui/app/main_wnd.h"
#include "gui/devices/device_option_ui.h"
#include "gui/devices/device_page.h"
#include "gui/devices/listed_device.h"
#include "gui/devices/mp_device_power_ui.h"
#include "gui/devices/qt_timer_service.h"
#include "gui/ui/language_texts.h"
#include "gui/ui/window_message.h"

#include <QBoxLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QThread>

#include <condition_variable>
#include <mutex>

namespace v38 {

namespace {
// "device_switch" and "device_power_switch" keep their empty page at index 0.
constexpr int kFirstPage = 1;

} // namespace

DeviceListBinding::DeviceListBinding(CMainWnd& window, std::shared_ptr<HidBackend> backend)
    : QObject(nullptr), m_window(&window), m_backend(backend ? std::move(backend) : processHidBackend()) {
    m_timers = new QtTimerService([this](const void* owner, int id) { m_list->timerFired(owner, id); }, this);
    DeviceListContext context;
    context.backend = m_backend;
    context.window = &window.messageSink();
    context.timers = m_timers;
    context.clock = &systemClock();
    context.folders = {userDataHome(), resourceFolder()};
    std::shared_ptr<HidBackend> factoryBackend = m_backend;
    context.factory = [factoryBackend](int) { return std::make_unique<ListedDevice>(factoryBackend); };
    m_list = std::make_unique<DeviceList>(std::move(context));
    m_list->setObserver(this);
    installHooks();
}

DeviceListBinding::~DeviceListBinding() {
    if (m_window) {
        // Stops the workers (the capture thread among them) after releasing any sent message.
        m_window->sendMessage(msg::kDestroy);
        m_window->deviceList = {};
    }
    m_timers->stopAll();
    m_capture.reset();
    // The pages go with the window; the devices must not reach them afterwards.
    for (const QPointer<QWidget>& page : m_pages)
        if (auto* devicePage = qobject_cast<DevicePage*>(page.data()))
            devicePage->detachDevice();
    m_list->setObserver(nullptr);
    for (size_t i = 0; i < m_list->powerPanelCount(); ++i)
        m_list->powerPanel(i).setListener(nullptr);
    m_list.reset();
}

void DeviceListBinding::installHooks() {
    DeviceListHooks& hooks = m_window->deviceList;
    hooks.createInitialEntries = [this] { m_list->createInitialDevices(); };
    hooks.startCaptureThread = [this](WorkerSlots& workers, int slot, MessageSink& sink) {
        startCapture(workers, slot, sink);
    };
    hooks.deviceArrived = [this](qintptr row) { m_list->deviceArrived(static_cast<int>(row)); };
    hooks.deviceRemoved = [this](qintptr row) { m_list->deviceRemoved(static_cast<int>(row)); };
    hooks.entryVisibility = [this](qintptr kind, qintptr show) {
        m_list->entryVisibility(static_cast<int>(kind), show != 0);
    };
    hooks.entryTimerRequest = [this](qintptr wParam, qintptr lParam) {
        m_list->handleMessage(kMsgStartEntryTimer, static_cast<uintptr_t>(wParam), lParam);
    };
    hooks.connectedDeviceCount = [this] { return m_list->visibleEntryCount(); };
    hooks.scrollEntries = [this](int step) {
        if (step < 0)
            m_list->selectPrevious();
        else if (step > 0)
            m_list->selectNext();
    };
    hooks.entrySelected = [this](QWidget* option) {
        if (CDeviceOptionUI* entry = CDeviceOptionUI::ofControl(option))
            m_list->entryClicked(entry->entryIndex());
    };
}

void DeviceListBinding::startCapture(WorkerSlots& workers, int slot, MessageSink& sink) {
    if (m_capture)
        return;
    m_capture = std::make_unique<CaptureThread>(m_list->interfaces(), sink, m_backend);
    CaptureThread* capture = m_capture.get();
    // The cycle runs in the worker slot; the pause between cycles ends as soon as a stop is asked.
    workers.start(slot, [capture](std::stop_token token) {
        std::mutex mutex;
        std::condition_variable_any wake;
        while (!token.stop_requested()) {
            capture->scanStep(token);
            std::unique_lock lock(mutex);
            wake.wait_for(lock, token, CaptureThread::kPeriod, [] { return false; });
        }
    });
}

CDeviceOptionUI* DeviceListBinding::entryWidget(int entry) const {
    return entry >= 0 && static_cast<size_t>(entry) < m_entries.size()
               ? m_entries[static_cast<size_t>(entry)].data()
               : nullptr;
}

CMpDevicePowerUI* DeviceListBinding::powerWidget(int powerIndex) const {
    return powerIndex >= 0 && static_cast<size_t>(powerIndex) < m_powers.size()
               ? m_powers[static_cast<size_t>(powerIndex)].data()
               : nullptr;
}

QWidget* DeviceListBinding::devicePage(int devicePanelIndex) const {
    return devicePanelIndex >= 0 && static_cast<size_t>(devicePanelIndex) < m_pages.size()
               ? m_pages[static_cast<size_t>(devicePanelIndex)].data()
               : nullptr;
}

void DeviceListBinding::entryCreated(int index) {
    if (!m_window)
        return;
    const DeviceEntry& entry = m_list->entry(static_cast<size_t>(index));
    QWidget* container = m_window->findControl("device_select_layout");
    auto* stack = m_window->findControlAs<QStackedWidget>("device_switch");
    auto* powerStack = m_window->findControlAs<QStackedWidget>("device_power_switch");
    if (!container || !stack || !powerStack)
        return;

    auto* option = new CDeviceOptionUI(index, container);
    option->setVisible(false);
    if (auto* layout = qobject_cast<QBoxLayout*>(container->layout()))
        layout->addWidget(option);
    if (m_entries.size() <= static_cast<size_t>(index))
        m_entries.resize(static_cast<size_t>(index) + 1);
    m_entries[static_cast<size_t>(index)] = option;

    if (entry.powerIndex >= 0) {
        auto* power = new CMpDevicePowerUI(powerStack);
        powerStack->insertWidget(kFirstPage + entry.powerIndex, power);
        if (m_powers.size() <= static_cast<size_t>(entry.powerIndex))
            m_powers.resize(static_cast<size_t>(entry.powerIndex) + 1);
        m_powers[static_cast<size_t>(entry.powerIndex)] = power;
        PowerPanel& panel = m_list->powerPanel(static_cast<size_t>(entry.powerIndex));
        panel.setListener(this);
        power->showPanel(panel);
    }
    if (entry.devicePanelIndex >= 0) {
        QWidget* page = new DevicePage(entry.kindIndex, entry.device, stack);
        stack->insertWidget(kFirstPage + entry.devicePanelIndex, page);
        if (m_pages.size() <= static_cast<size_t>(entry.devicePanelIndex))
            m_pages.resize(static_cast<size_t>(entry.devicePanelIndex) + 1);
        m_pages[static_cast<size_t>(entry.devicePanelIndex)] = page;
    }
    m_window->attachControls(option);
    if (entry.devicePanelIndex >= 0)
        m_window->attachControls(devicePage(entry.devicePanelIndex));
    LanguageTexts::current().apply(option);
    LanguageTexts::current().apply(stack);
    refreshEntry(index);
    refreshListControls();
}

void DeviceListBinding::entryChanged(int index) {
    refreshEntry(index);
    refreshListControls();
}

void DeviceListBinding::refreshEntry(int index) {
    CDeviceOptionUI* option = entryWidget(index);
    if (!option)
        return;
    const DeviceEntry& entry = m_list->entry(static_cast<size_t>(index));
    const bool appears = entry.visible && option->isHidden();
    option->showEntry(entry);
    option->setVisible(entry.visible);
    // The battery panel is filled at once instead of after the entry's first power timer.
    if (appears && entry.device && entry.device->hasReceiverVariant())
        entry.device->refreshPowerState();
    LanguageTexts::current().apply(option);
}

void DeviceListBinding::refreshListControls() {
    if (!m_window)
        return;
    const int visible = m_list->visibleEntryCount();
    for (const QPointer<CDeviceOptionUI>& option : m_entries)
        if (option)
            option->showSynchroCheck(visible >= 2);
    for (const char* name : {"device_select_prev", "device_select_next"})
        if (QWidget* button = m_window->findControl(QLatin1String(name)))
            button->setVisible(visible >= 2);
    if (QWidget* empty = m_window->findControl("device_list_empty"))
        empty->setVisible(visible == 0);
}

void DeviceListBinding::noDeviceNoticeChanged(bool shown) {
    if (!m_window)
        return;
    if (QWidget* notice = m_window->findControl("No_device_Link"))
        notice->setVisible(shown);
    if (QWidget* stack = m_window->findControl("device_switch"))
        stack->setVisible(!shown);
    deviceTabSelected(m_list->deviceTab());
    refreshListControls();
}

void DeviceListBinding::deviceTabSelected(int tab) {
    if (!m_window)
        return;
    auto* stack = m_window->findControlAs<QStackedWidget>("device_switch");
    if (!stack)
        return;
    QWidget* page = m_list->noDeviceNoticeShown() ? nullptr : devicePage(tab);
    stack->setCurrentIndex(page ? stack->indexOf(page) : 0);
}

void DeviceListBinding::powerTabSelected(int tab) {
    if (!m_window)
        return;
    auto* stack = m_window->findControlAs<QStackedWidget>("device_power_switch");
    if (!stack)
        return;
    CMpDevicePowerUI* power = powerWidget(tab);
    stack->setVisible(tab >= 0);
    stack->setCurrentIndex(power ? stack->indexOf(power) : 0);
}

void DeviceListBinding::bringToFront() {
    if (m_window)
        m_window->bringToFront();
}

void DeviceListBinding::powerPanelChanged(const PowerPanel& panel) {
    for (size_t i = 0; i < m_list->powerPanelCount(); ++i)
        if (&m_list->powerPanel(i) == &panel) {
            const int index = static_cast<int>(i);
            // Widgets are only touched on the window's thread.
            if (QThread::currentThread() == thread())
                showPower(index);
            else
                QMetaObject::invokeMethod(
                    this, [this, index] { showPower(index); }, Qt::QueuedConnection);
            return;
        }
}

void DeviceListBinding::showPower(int powerIndex) {
    if (CMpDevicePowerUI* power = powerWidget(powerIndex))
        power->showPanel(m_list->powerPanel(static_cast<size_t>(powerIndex)));
}

} // namespace v38
