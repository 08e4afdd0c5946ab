#include "tools/v38ctl/devices_command.h"

#include "core/devices/capture_thread.h"
#include "core/devices/device_list.h"
#include "core/hid/hid_channel.h"
#include "core/platform/message_queue.h"
#include "core/platform/timer_queue.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <map>

namespace v38::ctl {

namespace {

// A device object that only watches: no lighting stream, and reachability asked of the receiver.
class WatchedDevice : public CZelvixUSBDevice {
public:
    using CZelvixUSBDevice::CZelvixUSBDevice;
    ~WatchedDevice() override { stopAllThreads(); }

    bool isReceiverLinked() override {
        return commandLink().isOpen() && (!onReceiverRoute() || commandLink().ReceiverQuery());
    }
};

std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void onInterrupt(int) {
    interrupted.store(true);
}

// Installs the handlers for the life of the object and restores the previous ones.
class InterruptHandlers {
public:
    InterruptHandlers() {
        interrupted = false;
        struct sigaction action = {};
        action.sa_handler = onInterrupt;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &oldInt_);
        sigaction(SIGTERM, &action, &oldTerm_);
    }
    ~InterruptHandlers() {
        sigaction(SIGINT, &oldInt_, nullptr);
        sigaction(SIGTERM, &oldTerm_, nullptr);
    }

private:
    struct sigaction oldInt_ = {};
    struct sigaction oldTerm_ = {};
};

const char* routeName(uint16_t kind) {
    return isReceiverKind(kind) ? "receiver" : "cable";
}

const char* kindName(uint16_t kind) {
    int index = kindIndexOfKindCode(kind);
    return index >= 0 ? DeviceKindTable()[static_cast<size_t>(index)].name : "unknown";
}

std::string firmwareOf(const std::string& path) {
    HidChannel channel;
    if (path.empty() || !channel.open(path, false, false, true, false))
        return "?";
    char text[16];
    std::snprintf(text, sizeof text, "%x.%02x", channel.versionNumber() >> 8, channel.versionNumber() & 0xFF);
    return text;
}

// Prints one line per event of the watched list.
class WatchPrinter : public DeviceListObserver {
public:
    WatchPrinter(DeviceList& list, std::ostream& out) : list_(list), out_(out) {}

    void interfaceArrived(int row) override {
        paths_[row] = list_.interfaces().path(static_cast<size_t>(row));
        line("arrived", row);
    }
    void interfaceRemoved(int row) override { line("removed", row); }
    void routeSwitched(int entry, bool toReceiver, bool opened) override {
        CZelvixUSBDevice* device = list_.entry(static_cast<size_t>(entry)).device;
        if (!device)
            return;
        DeviceLink& link = device->commandLink();
        out_ << "switched " << list_.entry(static_cast<size_t>(entry)).name << ' '
             << (toReceiver ? "receiver" : "cable") << ' '
             << (toReceiver ? link.receiverChannel() : link.wiredChannel()).path()
             << (opened ? "" : " failed") << std::endl;
    }
    void entryChanged(int entry) override {
        const DeviceEntry& changed = list_.entry(static_cast<size_t>(entry));
        bool& shown = shown_[entry];
        if (changed.visible != shown)
            out_ << (changed.visible ? "shown " : "hidden ") << changed.name << std::endl;
        shown = changed.visible;
    }

private:
    void line(const char* what, int row) {
        const SupportedInterface& r = SupportedInterfaceTable()[static_cast<size_t>(row)];
        out_ << what << ' ' << kindName(r.kind) << ' ' << routeName(r.kind) << ' '
             << (r.role == kRoleCommand ? "command" : "secondary") << ' ' << paths_[row] << std::endl;
    }

    DeviceList& list_;
    std::ostream& out_;
    std::map<int, std::string> paths_;
    std::map<int, bool> shown_;
};

struct Session {
    explicit Session(Clock& clock)
        : backend(processHidBackend()), window([this](const Message& message) {
              list->handleMessage(message.message, message.wParam, message.lParam);
              return intptr_t{0};
          }),
          timers(clock, [this](const void* owner, int id) { list->timerFired(owner, id); }) {
        DeviceListContext context;
        context.backend = backend;
        context.window = &window;
        context.timers = &timers;
        context.clock = &clock;
        context.factory = [this](int) {
            auto device = std::make_unique<WatchedDevice>(backend);
            device->setSoftwareLightingControl(false);
            return device;
        };
        list = std::make_unique<DeviceList>(std::move(context));
        capture = std::make_unique<CaptureThread>(list->interfaces(), window, backend);
    }
    ~Session() {
        // Release a capture thread waiting in send() before joining it; the devices then stop theirs.
        window.shutdown();
        capture.reset();
        list.reset();
    }

    std::shared_ptr<HidBackend> backend;
    MessageQueue window;
    TimerQueue timers;
    std::unique_ptr<DeviceList> list;
    std::unique_ptr<CaptureThread> capture;
};

// One line per device kind with a command interface present.
void listDevices(DeviceList& list, std::ostream& out) {
    std::vector<int> order(list.entryCount());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    std::sort(order.begin(), order.end(),
              [&list](int a, int b) { return list.entry(a).kindIndex < list.entry(b).kindIndex; });
    for (int index : order) {
        const DeviceEntry& entry = list.entry(static_cast<size_t>(index));
        CZelvixUSBDevice* device = entry.device;
        if (!device)
            continue;
        // The command rows of both routes of this kind.
        int cableRow = -1, receiverRow = -1;
        const auto& table = SupportedInterfaceTable();
        for (size_t row = 0; row < table.size(); ++row) {
            if (table[row].role != kRoleCommand || kindIndexOfKindCode(table[row].kind) != entry.kindIndex ||
                !list.interfaces().isAttached(row))
                continue;
            (isReceiverKind(table[row].kind) ? receiverRow : cableRow) = static_cast<int>(row);
        }
        if (cableRow < 0 && receiverRow < 0)
            continue;
        bool open = device->commandLink().isOpen();
        bool receiver = open ? device->onReceiverRoute() : cableRow < 0;
        std::string path = list.interfaces().path(static_cast<size_t>(receiver ? receiverRow : cableRow));
        out << entry.name << " route=" << (receiver ? "receiver" : "cable")
            << " firmware=" << firmwareOf(path) << " path=" << path << (open ? "" : " link=closed") << '\n';
    }
}

} // namespace

int runDevices(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    bool watch = false;
    for (const std::string& arg : args) {
        if (arg == "--watch") {
            watch = true;
        } else {
            err << "v38ctl: devices takes only --watch\n";
            return 2;
        }
    }
    {
        HidChannel probe;
        if (!probe.enumerate()) {
            err << "v38ctl: cannot list the HID interfaces\n";
            return 1;
        }
    }

    if (!watch) {
        Session session(systemClock());
        session.list->createInitialDevices();
        // This thread owns the window queue, so the capture logic's messages are handled at once.
        session.capture->scanStep();
        session.window.pump();
        listDevices(*session.list, out);
        if (session.list->interfaces().attachedRows().empty())
            err << "v38ctl: no supported device found\n";
        return 0;
    }

    InterruptHandlers handlers;
    Clock& clock = systemClock();
    Session session(clock);
    WatchPrinter printer(*session.list, out);
    session.list->setObserver(&printer);
    session.list->createInitialDevices();
    session.capture->start();
    while (!interrupted.load()) {
        auto wait = std::chrono::milliseconds(100);
        if (std::optional<Clock::TimePoint> due = session.timers.nextDue())
            // Rounded up: a wait cut to 0 would spin until the timer is due.
            wait = std::clamp(std::chrono::ceil<std::chrono::milliseconds>(*due - clock.now()),
                              std::chrono::milliseconds(0), wait);
        session.window.pump(wait);
        session.timers.fireDue();
    }
    session.list->setObserver(nullptr);
    return 0;
}

} // namespace v38::ctl
