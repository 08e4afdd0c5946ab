#include "core/devices/device_list.h"

#include "core/devices/device_messages.h"
#include "core/platform/debug_log.h"

#include <algorithm>

namespace v38 {

namespace {

bool isKeyboardOrMouse(uint16_t kind) {
    uint16_t cable = cableKindOf(kind);
    return cable == kKindKeyboardCable || cable == kKindMouseCable;
}

const SupportedInterface& supported(int row) {
    return SupportedInterfaceTable()[static_cast<size_t>(row)];
}

bool validRow(int row) {
    return row >= 0 && static_cast<size_t>(row) < kSupportedInterfaceCount;
}

void arrivalDebugLine(uint16_t kind) {
    switch (cableKindOf(kind)) {
    case kKindKeyboardCable:
        debugOutput("添加一个键盘设备");
        break;
    case kKindMouseCable:
        debugOutput("添加一个鼠标设备");
        break;
    case kKindMousePad:
        debugOutput("添加一个鼠标垫设备");
        break;
    default:
        break;
    }
}

void removalDebugLines(const SupportedInterface& row) {
    switch (cableKindOf(row.kind)) {
    case kKindKeyboardCable:
        debugOutput("删除一个键盘设备");
        if (row.role == kRoleCommand)
            debugOutput("键盘设备丢失");
        break;
    case kKindMouseCable:
        debugOutput("删除一个鼠标设备");
        if (row.role == kRoleCommand)
            debugOutput("鼠标设备丢失");
        break;
    case kKindMousePad:
        debugOutput("删除一个鼠标垫设备");
        break;
    default:
        break;
    }
}

} // namespace

DeviceList::DeviceList(DeviceListContext context)
    : context_(std::move(context)), clock_(context_.clock ? *context_.clock : systemClock()) {
    if (!context_.backend)
        context_.backend = processHidBackend();
}

DeviceList::~DeviceList() {
    if (context_.timers)
        for (const auto& entry : entries_)
            for (int id : {kTimerLightFrame, kTimerAttach, kTimerResync, kTimerReserved1003,
                           kTimerReserved1004, kTimerPower, kTimerReceiver})
                context_.timers->stopTimer(entry.get(), id);
    // Devices stop their threads before the entries and panels they point at go.
    devices_.clear();
}

bool DeviceList::createInitialDevices() {
    bool mouse = createDevice(4) != nullptr;
    bool keyboard = createDevice(0) != nullptr;
    return mouse && keyboard;
}

bool DeviceList::handleMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    switch (message) {
    case kMsgDeviceArrived:
        deviceArrived(static_cast<int>(wParam));
        return true;
    case kMsgDeviceRemoved:
        deviceRemoved(static_cast<int>(wParam));
        return true;
    case kMsgEntryVisibility:
        entryVisibility(static_cast<int>(wParam), lParam != 0);
        return true;
    case kMsgStartEntryTimer: {
        int entry = entryOfKind(static_cast<int>(wParam));
        if (entry >= 0)
            startTimer(entry, static_cast<int>(lParam >> 16 & 0x7FFF),
                       std::chrono::milliseconds(lParam & 0xFFFF));
        return true;
    }
    default:
        return false;
    }
}

// Row relations.

int DeviceList::commandRowOf(int row) {
    const SupportedInterface& r = supported(row);
    if (r.role == kRoleCommand)
        return row;
    const auto& table = SupportedInterfaceTable();
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i].role == kRoleCommand && sameProduct(table[i], r))
            return static_cast<int>(i);
    return -1;
}

int DeviceList::identityRowOf(int row) {
    int command = commandRowOf(row);
    if (command < 0)
        return -1;
    const SupportedInterface& r = supported(command);
    if (isReceiverKind(r.kind) && r.hasPeer)
        return r.peerRow;
    return command;
}

bool DeviceList::sameProduct(const SupportedInterface& a, const SupportedInterface& b) {
    return a.vendorId == b.vendorId && a.productId == b.productId && a.kind == b.kind;
}

bool DeviceList::otherRouteAttached(int row) const {
    const SupportedInterface& r = supported(row);
    if (!r.hasPeer)
        return false;
    SupportedInterface peer = table_.row(r.peerRow);
    return peer.attached && !peer.path.empty() && peer.peerRow == row;
}

CZelvixUSBDevice* DeviceList::deviceWithIdentity(int identityRow) const {
    if (!validRow(identityRow))
        return nullptr;
    for (const auto& device : devices_)
        if (device->identity().sameIdentity(supported(identityRow)))
            return device.get();
    return nullptr;
}

// Device objects and entries.

CZelvixUSBDevice* DeviceList::createDevice(int row) {
    if (!validRow(row))
        return nullptr;
    const SupportedInterface* use = &supported(row);
    uint16_t kind = use->kind;
    // Reached through the receiver, the device is made as its cable kind from the cable row.
    if (isReceiverKind(kind)) {
        kind = cableKindOf(kind);
        if (use->hasPeer)
            use = &supported(use->peerRow);
    }
    int kindIndex = findDeviceKind(use->vendorId, use->productId, kind, 0);
    if (kindIndex < 0)
        return nullptr;
    const DeviceKindInfo& kindInfo = DeviceKindTable()[static_cast<size_t>(kindIndex)];
    const DevicePanelInfo& panelInfo = DevicePanelTable()[static_cast<size_t>(kindIndex)];

    std::unique_ptr<CZelvixUSBDevice> device =
        context_.factory ? context_.factory(kindIndex)
                         : std::make_unique<CZelvixUSBDevice>(context_.backend, clock_);
    if (!device)
        return nullptr;

    auto power = std::make_unique<PowerPanel>(static_cast<uint16_t>(kindInfo.iconKind), 0);
    int powerIndex = static_cast<int>(powerPanels_.size());

    device->setPanelLayoutPath(panelInfo.panelLayout);
    device->setMessageSink(context_.window);
    device->setKeyCount(panelInfo.keyCount);
    device->setLightCount(panelInfo.lightCount);
    if (kindIndex != kKindIndexHeadset)
        device->setKindIndex(kindIndex);
    device->setHasReceiverVariant(panelInfo.hasReceiverVariant);
    device->setCurrentProfileName(context_.currentProfileName);
    device->setKindName(kindInfo.name);
    device->setFolders(context_.folders);
    device->setPowerPanel(power.get());
    device->setIdentity(*use);
    device->setModelIndex(kindInfo.modelIndex);
    device->setLightConfigName(panelInfo.lightConfigName);
    device->bindPanelControls();

    auto entry = std::make_unique<DeviceEntry>();
    entry->kindIndex = kindIndex;
    entry->synchroCheck = false;
    entry->tabGroup = kindInfo.entryTabGroup;
    entry->devicePanelIndex = static_cast<int>(devices_.size());
    entry->powerContainer = kindInfo.powerContainer;
    entry->powerIndex = powerIndex;
    if (std::optional<EntryIcons> icons = entryIconsFor(kindInfo.iconKind, kindInfo.iconVariant))
        entry->icons = *icons;
    entry->iconKind = kindInfo.iconKind;
    entry->iconVariant = kindInfo.iconVariant;
    entry->visible = false;
    entry->name = kindInfo.name;
    device->setEntry(entry.get());

    CZelvixUSBDevice* made = device.get();
    powerPanels_.push_back(std::move(power));
    entries_.push_back(std::move(entry));
    devices_.push_back(std::move(device));
    families_[static_cast<size_t>(kindIndex)].push_back(made);
    if (observer_)
        observer_->entryCreated(static_cast<int>(entries_.size()) - 1);
    return made;
}

int DeviceList::entryOfKind(int kindIndex) const {
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i]->kindIndex == kindIndex)
            return static_cast<int>(i);
    return -1;
}

int DeviceList::entryOfDevice(const CZelvixUSBDevice* device) const {
    for (size_t i = 0; i < entries_.size(); ++i)
        if (device && entries_[i]->device == device)
            return static_cast<int>(i);
    return -1;
}

const std::vector<CZelvixUSBDevice*>& DeviceList::family(int kindIndex) const {
    static const std::vector<CZelvixUSBDevice*> none;
    if (kindIndex < 0 || static_cast<size_t>(kindIndex) >= families_.size())
        return none;
    return families_[static_cast<size_t>(kindIndex)];
}

// Arrival and removal.

void DeviceList::deviceArrived(int row) {
    if (!validRow(row))
        return;
    const SupportedInterface& r = supported(row);
    arrivalDebugLine(r.kind);
    if (observer_)
        observer_->interfaceArrived(row);

    int identityRow = identityRowOf(row);
    if (identityRow >= 0 && !deviceWithIdentity(identityRow))
        createDevice(commandRowOf(row));

    if (r.role == kRoleSecondary) {
        handOverSecondary(row, true);
    } else if (isKeyboardOrMouse(r.kind) && otherRouteAttached(row)) {
        // The cable wins: plugged into a device already reached through its receiver, it takes over;
        // a receiver plugged beside the cable waits.
        if (!isReceiverKind(r.kind))
            switchRoute(row, true);
    } else if (CZelvixUSBDevice* device = deviceWithIdentity(identityRow)) {
        if (!device->commandLink().isOpen())
            attach(*device, row);
    }

    setNoDeviceNotice(visibleEntryCount() == 0);
    if (observer_)
        observer_->bringToFront();
}

void DeviceList::attach(CZelvixUSBDevice& device, int row) {
    SupportedInterface r = table_.row(static_cast<size_t>(row));
    bool receiver = isReceiverKind(r.kind);
    DeviceLink& link = device.commandLink();
    {
        std::lock_guard io(link.ioLock());
        HidChannel& channel = receiver ? link.receiverChannel() : link.wiredChannel();
        if (channel.open(r.path, true, true, true, false)) {
            link.setOpen(true);
            if (receiver)
                link.setMode(2);
            else if (isKeyboardOrMouse(r.kind))
                link.setMode(1);
            int identityRow = identityRowOf(row);
            device.setIdentity(identityRow == row ? r : table_.row(static_cast<size_t>(identityRow)));
        }
    }
    int entry = entryOfDevice(&device);
    if (entry < 0)
        return;
    // Shown even when the open failed: the link stays closed and commands return 0 until the device
    // arrives again. Through the receiver the reachability check shows it.
    if (!receiver)
        showEntry(entry);
    startTimer(entry, kTimerAttach, std::chrono::milliseconds(500));
}

void DeviceList::handOverSecondary(int row, bool arrived) {
    SupportedInterface r = table_.row(static_cast<size_t>(row));
    int kind = r.kind;
    for (CZelvixUSBDevice* device : family(kindIndexOfKindCode(r.kind))) {
        const SupportedInterface& identity = device->identity();
        // A device is reached by its own product (cable) or by its peer (receiver).
        bool own = sameProduct(identity, r);
        bool peer =
            identity.hasPeer && validRow(identity.peerRow) && sameProduct(supported(identity.peerRow), r);
        if (!own && !peer)
            continue;
        if (!arrived)
            device->closeInputChannel(kind);
        else if (device->inputChannelOpen(kind))
            device->reopenInputChannel(r.path, kind);
        else
            device->openInputChannel(r.path, kind);
    }
}

void DeviceList::deviceRemoved(int row) {
    if (!validRow(row))
        return;
    const SupportedInterface& r = supported(row);
    removalDebugLines(r);
    if (observer_)
        observer_->interfaceRemoved(row);

    if (r.role == kRoleSecondary) {
        handOverSecondary(row, false);
    } else if (isKeyboardOrMouse(r.kind) && otherRouteAttached(row)) {
        if (!isReceiverKind(r.kind))
            switchRoute(row, false);
    } else if (CZelvixUSBDevice* device = deviceWithIdentity(identityRowOf(row))) {
        detach(*device);
    }
}

void DeviceList::detach(CZelvixUSBDevice& device) {
    DeviceLink& link = device.commandLink();
    {
        std::lock_guard io(link.ioLock());
        link.setOpen(false);
        link.wiredChannel().close();
        if (isKeyboardOrMouse(static_cast<uint16_t>(device.deviceKindCode())))
            link.receiverChannel().close();
    }
    int entry = entryOfDevice(&device);
    if (entry >= 0)
        hideEntry(entry);
}

void DeviceList::switchRoute(int row, bool toCable) {
    const SupportedInterface& r = supported(row);
    CZelvixUSBDevice* device = deviceWithIdentity(identityRowOf(row));
    int entry = entryOfDevice(device);
    if (!device || entry < 0)
        return;
    // The cable row is the one that came or went; the receiver route uses its peer's path.
    std::string path = table_.path(static_cast<size_t>(toCable ? row : r.peerRow));
    DeviceLink& link = device->commandLink();
    bool opened;
    {
        // A command on another thread completes before the reopen or finds the link closed.
        std::lock_guard io(link.ioLock());
        link.setOpen(false);
        (toCable ? link.receiverChannel() : link.wiredChannel()).close();
        HidChannel& channel = toCable ? link.wiredChannel() : link.receiverChannel();
        opened = channel.open(path, true, true, true, false);
        if (opened) {
            link.setOpen(true);
            link.setMode(toCable ? 1 : 2);
        }
    }
    if (observer_)
        observer_->routeSwitched(entry, !toCable, opened);
    if (!opened)
        return;

    if (!toCable) {
        if (device->hasReceiverVariant()) {
            const Clock::TimePoint started = clock_.now();
            for (int attempt = 1; attempt <= kReceiverTries; ++attempt) {
                if (link.ReceiverQuery())
                    break;
                // A receiver that does not answer at all costs a full time-out per try: stop once the
                // tries have taken as long as the quick refusals would, or the window freezes for minutes.
                if (clock_.now() - started >= kReceiverTries * kReceiverRetryPause)
                    break;
                clock_.sleepFor(kReceiverRetryPause);
                if (attempt < kReceiverTries)
                    debugOutput("获取2.4G模式失败");
            }
            debugOutput("获取2");
            device->refreshPowerState();
        }
        startTimer(entry, kTimerReceiver, std::chrono::milliseconds(2000));
    } else {
        startTimer(entry, kTimerAttach, std::chrono::milliseconds(500));
        sendEntryVisibility(entries_[static_cast<size_t>(entry)]->kindIndex, true);
        if (device->hasReceiverVariant())
            device->refreshPowerState();
    }
}

// Entries.

void DeviceList::sendEntryVisibility(int kindIndex, bool show) {
    if (context_.window)
        context_.window->send(kMsgEntryVisibility, static_cast<uintptr_t>(kindIndex), show ? 1 : 0);
    else
        entryVisibility(kindIndex, show);
}

void DeviceList::entryVisibility(int kindIndex, bool show) {
    int index = entryOfKind(kindIndex);
    if (index < 0)
        return;
    if (!show) {
        hideEntry(index);
        debugOutput("2.4gcesvdfherhue 1");
    } else {
        showEntry(index);
    }
}

void DeviceList::showEntry(int index) {
    if (!entries_[static_cast<size_t>(index)]->visible)
        selectEntry(index, true, visibleEntryCount() == 0);
}

std::vector<DeviceList::EntryState> DeviceList::entryStates() const {
    std::vector<EntryState> states;
    for (const auto& entry : entries_)
        states.push_back({entry->visible, entry->selected, entry->synchroCheck});
    return states;
}

void DeviceList::notifyChanged(const std::vector<EntryState>& before) {
    if (!observer_)
        return;
    std::vector<EntryState> after = entryStates();
    for (size_t i = 0; i < after.size(); ++i)
        if (i >= before.size() || !(before[i] == after[i]))
            observer_->entryChanged(static_cast<int>(i));
}

void DeviceList::setNoDeviceNotice(bool shown) {
    if (noDeviceNotice_ == shown)
        return;
    noDeviceNotice_ = shown;
    if (observer_)
        observer_->noDeviceNoticeChanged(shown);
}

void DeviceList::selectEntry(int index, bool visible, bool select) {
    if (index < 0 || static_cast<size_t>(index) >= entries_.size())
        return;
    std::vector<EntryState> before = entryStates();
    DeviceEntry& entry = *entries_[static_cast<size_t>(index)];
    entry.visible = visible;
    if (select) {
        deviceTab_ = entry.devicePanelIndex;
        powerTab_ = entry.powerIndex;
        if (observer_) {
            observer_->deviceTabSelected(deviceTab_);
            observer_->powerTabSelected(powerTab_);
        }
        for (auto& other : entries_)
            other->selected = other.get() == &entry;
    }
    int visibleCount = visibleEntryCount();
    if (visibleCount > 0) {
        setNoDeviceNotice(false);
    } else {
        setNoDeviceNotice(true);
        deviceTab_ = 0;
        powerTab_ = 0;
        if (observer_) {
            observer_->powerTabSelected(0);
            observer_->deviceTabSelected(0);
        }
    }
    for (const auto& device : devices_) {
        device->setSeveralDevicesVisible(visibleCount > 1);
        if (visibleCount <= 1)
            device->commandLink().setLightingHold(false);
    }
    int synchro = static_cast<int>(std::count_if(
        entries_.begin(), entries_.end(), [](const auto& e) { return e->visible && e->synchroCheck; }));
    if (synchro < 2)
        for (auto& e : entries_)
            e->synchroCheck = false;
    notifyChanged(before);
}

void DeviceList::hideEntry(int index) {
    if (index < 0 || static_cast<size_t>(index) >= entries_.size())
        return;
    DeviceEntry& entry = *entries_[static_cast<size_t>(index)];
    int other = -1;
    if (entry.visible && entry.selected) {
        if (observer_)
            observer_->selectedEntryHiding(index);
        for (size_t i = 0; i < entries_.size() && other < 0; ++i)
            if (static_cast<int>(i) != index && entries_[i]->visible)
                other = static_cast<int>(i);
    }
    if (entry.selected) {
        std::vector<EntryState> before = entryStates();
        entry.selected = false;
        notifyChanged(before);
    }
    selectEntry(index, false, false);
    if (other >= 0)
        selectEntry(other, true, true);
}

void DeviceList::selectPrevious() {
    for (int i = selectedEntry() - 1; i >= 0; --i)
        if (entries_[static_cast<size_t>(i)]->visible) {
            selectEntry(i, true, true);
            return;
        }
}

void DeviceList::selectNext() {
    for (int i = selectedEntry() + 1; static_cast<size_t>(i) < entries_.size(); ++i)
        if (entries_[static_cast<size_t>(i)]->visible) {
            selectEntry(i, true, true);
            return;
        }
}

void DeviceList::entryClicked(int index) {
    if (index < 0 || static_cast<size_t>(index) >= entries_.size())
        return;
    DeviceEntry& entry = *entries_[static_cast<size_t>(index)];
    if (!entry.visible)
        return;
    std::vector<EntryState> before = entryStates();
    clickedEntry_ = index;
    for (auto& other : entries_)
        other->selected = other.get() == &entry;
    deviceTab_ = entry.devicePanelIndex;
    powerTab_ = entry.powerIndex;
    if (observer_) {
        observer_->deviceTabSelected(deviceTab_);
        observer_->powerTabSelected(powerTab_);
    }
    notifyChanged(before);
}

void DeviceList::setSynchroCheck(int index, bool on) {
    if (index < 0 || static_cast<size_t>(index) >= entries_.size())
        return;
    std::vector<EntryState> before = entryStates();
    entries_[static_cast<size_t>(index)]->synchroCheck = on;
    notifyChanged(before);
}

int DeviceList::selectedEntry() const {
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i]->selected)
            return static_cast<int>(i);
    return -1;
}

int DeviceList::firstVisibleEntry() const {
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i]->visible)
            return static_cast<int>(i);
    return -1;
}

int DeviceList::visibleEntryCount() const {
    return static_cast<int>(
        std::count_if(entries_.begin(), entries_.end(), [](const auto& entry) { return entry->visible; }));
}

CZelvixUSBDevice* DeviceList::currentDevice() const {
    int selected = selectedEntry();
    if (selected < 0 || !entries_[static_cast<size_t>(selected)]->visible)
        return nullptr;
    return entries_[static_cast<size_t>(selected)]->device;
}

// Entry timers.

void DeviceList::startTimer(int entry, int id, std::chrono::milliseconds delay) {
    if (context_.timers && entry >= 0 && static_cast<size_t>(entry) < entries_.size())
        context_.timers->startTimer(entries_[static_cast<size_t>(entry)].get(), id, delay);
}

void DeviceList::timerFired(const void* owner, int id) {
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].get() == owner) {
            entryTimer(static_cast<int>(i), id);
            return;
        }
}

void DeviceList::entryTimer(int index, int id) {
    if (index < 0 || static_cast<size_t>(index) >= entries_.size())
        return;
    DeviceEntry& entry = *entries_[static_cast<size_t>(index)];
    CZelvixUSBDevice* device = entry.device;
    if (context_.timers)
        context_.timers->stopTimer(&entry, id);
    if (!device)
        return;
    DeviceLink& link = device->commandLink();
    using std::chrono::milliseconds;

    switch (id) {
    case kTimerAttach:
        if (device->onReceiverRoute() && link.isOpen()) {
            if (!device->isReceiverLinked()) {
                if (entry.visible)
                    sendEntryVisibility(entry.kindIndex, false);
                startTimer(index, kTimerAttach, milliseconds(3000));
                return;
            }
            sendEntryVisibility(entry.kindIndex, true);
        }
        device->onDeviceAttached();
        startTimer(index, kTimerLightFrame, milliseconds(5));
        if (device->hasReceiverVariant() && link.isOpen())
            startTimer(index, kTimerPower, milliseconds(50));
        if (device->onReceiverRoute() && link.isOpen())
            startTimer(index, kTimerReceiver, milliseconds(2000));
        break;
    case kTimerLightFrame:
        device->sendLightFrame();
        if (entry.selected && device->repaintRequest() && device->panelView())
            device->panelView()->repaintKeyPicture();
        if (link.isOpen())
            startTimer(index, kTimerLightFrame, milliseconds(device->onReceiverRoute() ? 50 : 5));
        break;
    case kTimerResync:
        device->onDeviceReselected();
        break;
    case kTimerReserved1003:
        device->reservedTimer1003();
        break;
    case kTimerReserved1004:
        device->reservedTimer1004();
        break;
    case kTimerPower:
        device->refreshPowerState();
        if (device->hasReceiverVariant())
            startTimer(index, kTimerPower, milliseconds(5000));
        break;
    case kTimerReceiver:
        if (device->onReceiverRoute()) {
            if (device->isReceiverLinked()) {
                if (!entry.visible) {
                    sendEntryVisibility(entry.kindIndex, true);
                    if (device->hasReceiverVariant())
                        device->refreshPowerState();
                    debugOutput("2.4gcesvdfherhue  12312423 123342341");
                }
            } else if (entry.visible) {
                sendEntryVisibility(entry.kindIndex, false);
                debugOutput("2.4gcesvdfherhue");
            }
        } else if (link.isOpen()) {
            debugOutput("2.4gcesvdfherhue  12312423");
        }
        if (device->onReceiverRoute() && link.isOpen())
            startTimer(index, kTimerReceiver, milliseconds(3000));
        break;
    default:
        break;
    }
}

} // namespace v38
