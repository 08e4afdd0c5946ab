#include "tools/v38ctl/ctl_app.h"

#include "core/platform/debug_log.h"
#include "core/platform/file_io.h"
#include "tools/v38ctl/ctl_options.h"
#include "tools/v38ctl/devices_command.h"
#include "tools/v38ctl/hid_commands.h"
#include "tools/v38ctl/profile_command.h"
#include "tools/v38ctl/raw_command.h"
#include "tools/v38ctl/udev_rules.h"

#include <cstdlib>

namespace v38::ctl {

namespace {

const char* const kHelp =
    R"(Usage: v38ctl [OPTIONS] COMMAND [ARGS]

Configures the V38 Device family of keyboards, mice, mouse pads and headsets from the command line.

Commands:
  devices [--watch]           one line per supported device kind found:
                              KIND route=cable|receiver firmware= path= [link=closed]
                              --watch keeps running and prints one line per interface arrival
                              and removal, route switch and entry shown or hidden, until
                              interrupted (Ctrl+C or SIGTERM)
  hid list                    one line per HID interface path:
                              PATH vid= pid= if= col= usage=PAGE:USAGE in= out= feat=
                              [supported row= kind= role=] for the interfaces this program drives
  hid describe FILE           parse a report descriptor (raw bytes, or hexadecimal text) and print
                              one line per top-level collection
  raw DEVICE OP [ARGS] [then OP [ARGS]]...
                              run device commands on one device and print each result code and
                              the bytes read
  profile KIND list|add|copy|rename NAME|delete|select INDEX|import FILE|export FILE|reset
                              the named profiles of a device kind (keyboard, mouse, MousePad,
                              HD) in the per-user data folder; prints "INDEX NAME UUID" per
                              profile after each change, "*" marking the selected one
  udev-rules [--output FILE]  print (or write) the udev rule giving the seat's user access

DEVICE is keyboard, keyboard-receiver, mouse, mouse-receiver, mousepad, headset (the first attached
command interface of that kind) or an interface path from "hid list".

OPs (numbers in decimal or 0x hexadecimal; HEX is pairs of hex digits, spaces allowed inside one
argument):
  begin                         begin a configuration sequence
  end                           end a configuration sequence
  info                          read the 34-byte information block
  read-settings OFFSET LEN      read settings memory
  write-settings OFFSET HEX     write settings memory
  read-keytable                 read the key table (512 bytes)
  write-keytable PAGE HEX       write the key table (page 0 only; the block is the bytes given)
  write-colours PAGE PAGESIZE HEX
                                write per-key colours at PAGE x PAGESIZE
  frame HEX                     stream one lighting frame
  write-macros HEX              write the macro memory image
  write-recoil HEX              write the recoil pattern image
  read-short OFFSET LEN         read up to 56 bytes in one packet (the power block: 0 6)
  read-ledslots                 read the LED slot table
  host-lighting                 hand lighting to the host
  receiver                      ask the receiver whether the wireless device is reachable

Options:
  --simulate[=LIST]   use virtual devices instead of the machine's HID devices. Without LIST:
                      keyboard, mouse-receiver (switched on), mousepad, headset. LIST is a comma-
                      separated list of the DEVICE names above.
  --fault RULE        (with --simulate) inject a firmware fault: CMD[:PACKET]=KIND[xCOUNT]
                      CMD is the command code (decimal or 0x..), PACKET the packet number of that
                      command counted from 1 (0 or absent: every packet), COUNT how many times
                      (absent: always). KIND: no-answer, stale, status-ff, status-fe,
                      unreachable, write-fail, unplug. Example: --fault 6:3=status-fe
                      Repeat the option for several faults.
  --latency MS        (with --simulate) time each virtual report takes, in milliseconds
  --trace             write each command packet and its answer to stderr
  -h, --help          show this help

Environment: V38_DATA_HOME replaces "$XDG_DATA_HOME/V38 Device" as the per-user data folder;
V38_DEBUG=1 writes the diagnostic stream to stderr.

Exit status: 0 success, 1 a device or file operation failed, 2 the command line was wrong.
Real devices need read and write access to /dev/hidraw*: install packaging/60-v38-device.rules
into /etc/udev/rules.d/ (see README.md).
)";

int runUdevRules(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string text = udevRulesText();
    if (args.empty()) {
        out << text;
        return 0;
    }
    if (args.size() != 2 || args[0] != "--output") {
        err << "v38ctl: udev-rules takes only --output FILE\n";
        return 2;
    }
    if (!writeFileAtomically(args[1], text)) {
        err << "v38ctl: cannot write " << args[1] << '\n';
        return 1;
    }
    return 0;
}

// Takes the leading options off args. Returns false with a message on a bad option.
bool parseOptions(std::vector<std::string>& args, CtlOptions& options, bool& help, std::ostream& err) {
    size_t i = 0;
    for (; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-h" || arg == "--help") {
            help = true;
        } else if (arg == "--simulate") {
            options.simulate = true;
        } else if (arg.rfind("--simulate=", 0) == 0) {
            options.simulate = true;
            options.simulateList = arg.substr(11);
            if (options.simulateList.empty()) {
                err << "v38ctl: --simulate= needs a list of devices\n";
                return false;
            }
        } else if (arg == "--trace") {
            options.trace = true;
        } else if (arg == "--fault" || arg == "--latency") {
            if (i + 1 >= args.size()) {
                err << "v38ctl: " << arg << " needs a value\n";
                return false;
            }
            const std::string& value = args[++i];
            if (arg == "--fault") {
                options.faults.push_back(value);
            } else {
                char* end = nullptr;
                double ms = std::strtod(value.c_str(), &end);
                if (value.empty() || *end != '\0' || !(ms >= 0) || ms > 10000) {
                    err << "v38ctl: --latency takes milliseconds from 0 to 10000\n";
                    return false;
                }
                options.latencyMicroseconds = static_cast<int>(ms * 1000);
            }
        } else if (arg.rfind("-", 0) == 0 && arg.size() > 1) {
            err << "v38ctl: unknown option: " << arg << " (see v38ctl --help)\n";
            return false;
        } else {
            break;
        }
    }
    args.erase(args.begin(), args.begin() + static_cast<long>(i));
    if (!options.simulate && (!options.faults.empty() || options.latencyMicroseconds)) {
        err << "v38ctl: --fault and --latency need --simulate\n";
        return false;
    }
    return true;
}

} // namespace

int runV38ctl(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::vector<std::string> args = arguments;
    CtlOptions options;
    bool help = false;
    if (!parseOptions(args, options, help, err))
        return 2;
    if (help) {
        out << kHelp;
        return 0;
    }
    if (args.empty()) {
        err << "v38ctl: no command given (see v38ctl --help)\n";
        return 2;
    }
    if (options.simulate) {
        std::string error;
        if (!installSimulation(options, error)) {
            err << "v38ctl: " << error << '\n';
            return 2;
        }
    }
    DebugSink previous;
    if (options.trace)
        previous = setDebugSink([&err](std::string_view line) { err << line << '\n'; });

    const std::string command = args[0];
    std::vector<std::string> rest(args.begin() + 1, args.end());
    int status = 2;
    if (command == "hid" && rest.size() == 1 && rest[0] == "list") {
        status = runHidList(out, err);
    } else if (command == "hid" && rest.size() == 2 && rest[0] == "describe") {
        status = runHidDescribe(rest[1], out, err);
    } else if (command == "hid") {
        err << "v38ctl: hid takes \"list\" or \"describe FILE\"\n";
    } else if (command == "devices") {
        status = runDevices(rest, out, err);
    } else if (command == "raw") {
        status = runRaw(rest, out, err);
    } else if (command == "profile") {
        status = runProfileCommand(rest, out, err);
    } else if (command == "udev-rules") {
        status = runUdevRules(rest, out, err);
    } else {
        err << "v38ctl: unknown command: " << command << " (see v38ctl --help)\n";
    }
    if (options.trace)
        setDebugSink(std::move(previous));
    return status;
}

} // namespace v38::ctl
