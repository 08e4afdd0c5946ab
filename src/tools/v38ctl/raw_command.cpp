#include "tools/v38ctl/raw_command.h"

#include "core/devices/supported_interface.h"
#include "core/hid/hid_channel.h"
#include "core/hid/hid_path.h"
#include "core/protocol/device_link.h"
#include "tools/v38ctl/hex_text.h"

#include <functional>
#include <sstream>

namespace v38::ctl {

namespace {

struct DeviceTarget {
    const char* name;
    uint16_t vendorId;
    uint16_t productId;
    int mode; // the link mode the device list gives this route; 0: none
};

constexpr DeviceTarget kTargets[] = {
    {"keyboard", 0x320F, 0x5055, 1}, {"keyboard-receiver", 0x320F, 0x5088, 2},
    {"mouse", 0x320F, 0x1000, 1},    {"mouse-receiver", 0x320F, 0x2000, 2},
    {"mousepad", 0x320F, 0x1004, 0}, {"headset", 0x0C76, 0x1630, 0},
};

int modeOfKind(uint16_t kind) {
    switch (kind) {
    case kKindKeyboardReceiver:
    case kKindMouseReceiver:
        return 2;
    case kKindKeyboardCable:
    case kKindMouseCable:
        return 1;
    default:
        return 0;
    }
}

// The supported command interface behind a path, or -1.
int commandRow(const std::string& path) {
    HidPathFields fields = parseHidPathFields(path);
    HidChannel probe;
    if (!probe.open(path, false, false, true, false))
        return -1;
    int row = findSupportedInterfaceRow(probe.vendorId(), probe.productId(), fields.interfaceNumber,
                                        fields.collectionNumber, probe.usagePage(), probe.usage());
    if (row < 0 || SupportedInterfaceTable()[static_cast<size_t>(row)].role != kRoleCommand)
        return -1;
    return row;
}

struct Operation {
    const char* name;
    int argumentCount;
    // Without a link the arguments are only checked.
    std::function<int(DeviceLink*, const std::vector<std::string>&, std::ostream&, std::ostream&)> run;
};

bool offsetAndLength(const std::string& offsetText, size_t length, uint16_t& offset, std::ostream& err) {
    uint32_t value = 0;
    if (!parseNumber(offsetText, 0xFFFF, value)) {
        err << "v38ctl: offset out of range: " << offsetText << " (0 to 0xffff)\n";
        return false;
    }
    if (value + length > 0x10000) {
        err << "v38ctl: offset out of range: " << offsetText << " plus " << length
            << " bytes passes 0xffff\n";
        return false;
    }
    offset = static_cast<uint16_t>(value);
    return true;
}

bool hexArgument(const std::string& text, std::vector<uint8_t>& bytes, size_t maximum, std::ostream& err) {
    if (!parseHexBytes(text, bytes)) {
        err << "v38ctl: malformed hexadecimal: " << text << '\n';
        return false;
    }
    if (bytes.size() > maximum) {
        err << "v38ctl: " << bytes.size() << " bytes given, at most " << maximum << " fit\n";
        return false;
    }
    return true;
}

// Result line, then the bytes read when the command succeeded.
int report(std::ostream& out, const char* name, int result, const std::vector<uint8_t>& data = {}) {
    out << name << ": " << result << '\n';
    if (result == kLinkOk)
        out << formatHexDump(data.data(), data.size());
    return result;
}

constexpr int kUsageError = -10000; // the arguments were wrong; nothing was sent

// An operation that writes the bytes of its one argument with a command taking (source, length).
Operation blobWrite(const char* name, int (DeviceLink::*command)(const uint8_t*, size_t)) {
    return {name, 1,
            [name, command](DeviceLink* l, const std::vector<std::string>& a, std::ostream& o,
                            std::ostream& e) -> int {
                std::vector<uint8_t> bytes;
                if (!hexArgument(a[0], bytes, kAddressSpace, e))
                    return kUsageError;
                if (!l)
                    return kLinkOk;
                return report(o, name, (l->*command)(bytes.data(), bytes.size()));
            }};
}

const std::vector<Operation>& operations() {
    using Args = const std::vector<std::string>&;
    static const std::vector<Operation> table = {
        {"begin", 0,
         [](DeviceLink* l, Args, std::ostream& o, std::ostream&) -> int {
             return l ? report(o, "begin", l->beginSequence()) : kLinkOk;
         }},
        {"end", 0,
         [](DeviceLink* l, Args, std::ostream& o, std::ostream&) -> int {
             return l ? report(o, "end", l->endSequence()) : kLinkOk;
         }},
        {"info", 0,
         [](DeviceLink* l, Args, std::ostream& o, std::ostream&) -> int {
             std::vector<uint8_t> data(kDeviceInfoSize);
             if (!l)
                 return kLinkOk;
             return report(o, "info", l->readDeviceInfo(data.data()), data);
         }},
        {"read-settings", 2,
         [](DeviceLink* l, Args a, std::ostream& o, std::ostream& e) -> int {
             uint32_t length = 0;
             if (!parseNumber(a[1], 0x10000, length)) {
                 e << "v38ctl: bad length: " << a[1] << '\n';
                 return kUsageError;
             }
             uint16_t offset = 0;
             if (!offsetAndLength(a[0], length, offset, e))
                 return kUsageError;
             std::vector<uint8_t> data(length);
             if (!l)
                 return kLinkOk;
             return report(o, "read-settings", l->readSettings(data.data(), length, offset), data);
         }},
        {"write-settings", 2,
         [](DeviceLink* l, Args a, std::ostream& o, std::ostream& e) -> int {
             std::vector<uint8_t> bytes;
             uint16_t offset = 0;
             if (!hexArgument(a[1], bytes, kAddressSpace, e) ||
                 !offsetAndLength(a[0], bytes.size(), offset, e))
                 return kUsageError;
             if (!l)
                 return kLinkOk;
             return report(o, "write-settings", l->writeSettings(bytes.data(), bytes.size(), offset));
         }},
        {"read-keytable", 0,
         [](DeviceLink* l, Args, std::ostream& o, std::ostream&) -> int {
             if (!l)
                 return kLinkOk;
             std::vector<uint8_t> data(l->dataBlockSize());
             return report(o, "read-keytable", l->readKeyTable(data.data()), data);
         }},
        {"write-keytable", 2,
         [](DeviceLink* l, Args a, std::ostream& o, std::ostream& e) -> int {
             uint32_t page = 0;
             std::vector<uint8_t> bytes;
             if (!parseNumber(a[0], 255, page)) {
                 e << "v38ctl: bad page: " << a[0] << '\n';
                 return kUsageError;
             }
             if (!hexArgument(a[1], bytes, kMaxDataBlockSize, e))
                 return kUsageError;
             // The block written is exactly what was given, as the families size it to their key count.
             if (!l)
                 return kLinkOk;
             l->setDataBlockSize(static_cast<uint16_t>(bytes.size()));
             return report(o, "write-keytable", l->writeKeyTable(bytes.data(), static_cast<int>(page)));
         }},
        {"write-colours", 3,
         [](DeviceLink* l, Args a, std::ostream& o, std::ostream& e) -> int {
             uint32_t page = 0;
             uint32_t pageSize = 0;
             std::vector<uint8_t> bytes;
             if (!parseNumber(a[0], 255, page) || !parseNumber(a[1], 0xFFFF, pageSize)) {
                 e << "v38ctl: bad page or page size: " << a[0] << ' ' << a[1] << '\n';
                 return kUsageError;
             }
             if (!hexArgument(a[2], bytes, kAddressSpace, e))
                 return kUsageError;
             if (page * pageSize + bytes.size() > 0x10000) {
                 e << "v38ctl: offset out of range: page " << page << " of " << pageSize << " bytes\n";
                 return kUsageError;
             }
             if (!l)
                 return kLinkOk;
             return report(o, "write-colours",
                           l->writeKeyColours(bytes.data(), bytes.size(), static_cast<int>(page),
                                              static_cast<int>(pageSize)));
         }},
        blobWrite("frame", &DeviceLink::sendLightingFrame),
        blobWrite("write-macros", &DeviceLink::writeMacroImage),
        blobWrite("write-recoil", &DeviceLink::writeRecoilImage),
        {"read-short", 2,
         [](DeviceLink* l, Args a, std::ostream& o, std::ostream& e) -> int {
             uint32_t length = 0;
             if (!parseNumber(a[1], kMaxShortRead, length)) {
                 e << "v38ctl: bad length: " << a[1] << " (at most " << kMaxShortRead << ")\n";
                 return kUsageError;
             }
             uint16_t offset = 0;
             if (!offsetAndLength(a[0], length, offset, e))
                 return kUsageError;
             std::vector<uint8_t> data(length);
             if (!l)
                 return kLinkOk;
             return report(o, "read-short", l->readShortBlock(data.data(), length, offset), data);
         }},
        {"read-ledslots", 0,
         [](DeviceLink* l, Args, std::ostream& o, std::ostream&) -> int {
             if (!l)
                 return kLinkOk;
             std::vector<uint8_t> data(l->dataBlockSize() / 3);
             return report(o, "read-ledslots", l->readLedSlotTable(data.data()), data);
         }},
        {"host-lighting", 0,
         [](DeviceLink* l, Args, std::ostream& o, std::ostream&) -> int {
             if (!l)
                 return kLinkOk;
             return report(o, "host-lighting", l->handLightingToHost());
         }},
        {"receiver", 0,
         [](DeviceLink* l, Args, std::ostream& o, std::ostream&) -> int {
             if (!l)
                 return kLinkOk;
             bool reachable = l->ReceiverQuery();
             o << "receiver: " << (reachable ? "reachable" : "unreachable") << '\n';
             return reachable ? kLinkOk : kLinkFailed;
         }},
    };
    return table;
}

const Operation* findOperation(const std::string& name) {
    for (const Operation& operation : operations())
        if (name == operation.name)
            return &operation;
    return nullptr;
}

struct Step {
    const Operation* operation;
    std::vector<std::string> arguments;
};

// Splits "OP ARGS then OP ARGS ..." and checks every operation before anything is sent.
bool parseSteps(const std::vector<std::string>& words, std::vector<Step>& steps, std::ostream& err) {
    size_t i = 0;
    while (i < words.size()) {
        const Operation* operation = findOperation(words[i]);
        if (!operation) {
            err << "v38ctl: unknown operation: " << words[i] << " (see v38ctl --help)\n";
            return false;
        }
        Step step{operation, {}};
        ++i;
        while (i < words.size() && words[i] != "then")
            step.arguments.push_back(words[i++]);
        if (step.arguments.size() != static_cast<size_t>(operation->argumentCount)) {
            err << "v38ctl: " << operation->name << " takes " << operation->argumentCount << " argument(s), "
                << step.arguments.size() << " given\n";
            return false;
        }
        steps.push_back(std::move(step));
        if (i < words.size()) {
            ++i; // "then"
            if (i == words.size()) {
                err << "v38ctl: nothing after \"then\"\n";
                return false;
            }
        }
    }
    if (steps.empty()) {
        err << "v38ctl: raw needs an operation after the device\n";
        return false;
    }
    return true;
}

// Finds the command interface path and route mode of a device name or path: 0, or the exit code.
int resolveDevice(const std::string& device, std::string& path, int& mode, std::ostream& err) {
    const bool isPath = device.find('#') != std::string::npos || device.find('/') != std::string::npos;
    const DeviceTarget* target = nullptr;
    if (!isPath) {
        for (const DeviceTarget& candidate : kTargets)
            if (device == candidate.name)
                target = &candidate;
        if (!target) {
            err << "v38ctl: unknown device: " << device
                << " (keyboard, keyboard-receiver, mouse, mouse-receiver, mousepad, headset, or a path)\n";
            return 2;
        }
    }
    HidChannel scanner;
    if (!scanner.enumerate()) {
        err << "v38ctl: cannot list the HID interfaces\n";
        return 1;
    }
    while (const std::string* candidate = scanner.nextPath()) {
        if (isPath && *candidate != device)
            continue;
        if (!isPath) {
            HidPathFields fields = parseHidPathFields(*candidate);
            if (fields.vendorId != target->vendorId || fields.productId != target->productId)
                continue;
        }
        int row = commandRow(*candidate);
        if (row < 0) {
            if (isPath) {
                err << "v38ctl: " << device << " is not the command interface of a supported device\n";
                return 1;
            }
            continue;
        }
        path = *candidate;
        mode = isPath ? modeOfKind(SupportedInterfaceTable()[static_cast<size_t>(row)].kind) : target->mode;
        return 0;
    }
    err << "v38ctl: device not found: " << device << '\n';
    return 1;
}

} // namespace

int runRaw(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << "v38ctl: raw needs a device and an operation\n";
        return 2;
    }
    std::vector<Step> steps;
    if (!parseSteps({args.begin() + 1, args.end()}, steps, err))
        return 2;
    std::ostringstream ignored;
    for (const Step& step : steps)
        if (step.operation->run(nullptr, step.arguments, ignored, err) == kUsageError)
            return 2;
    std::string path;
    int mode = 0;
    if (int failure = resolveDevice(args[0], path, mode, err))
        return failure;

    DeviceLink link;
    HidChannel& channel = mode == 2 ? link.receiverChannel() : link.wiredChannel();
    {
        std::lock_guard io(link.ioLock());
        if (!channel.open(path, true, true, true, false)) {
            err << "v38ctl: cannot open " << path << ": " << hidOpenErrorText(channel.lastOpenError());
            if (channel.lastOpenError() == HidOpenError::AccessDenied)
                err << " (install packaging/60-v38-device.rules into /etc/udev/rules.d/, then replug the "
                       "device; see README)";
            err << '\n';
            return 1;
        }
        link.setOpen(true);
        if (mode != 0)
            link.setMode(mode);
    }
    for (const Step& step : steps) {
        int result = step.operation->run(&link, step.arguments, out, err);
        if (result == kUsageError)
            return 2;
        if (result != kLinkOk)
            return 1;
    }
    return 0;
}

} // namespace v38::ctl
