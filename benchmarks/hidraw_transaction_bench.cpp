// Transactions per second through the hidraw I/O path: the real backend (sysfs lookup, poll and
// eventfd, report id filtering) over a socketpair, with a keyboard firmware answering in a thread.
#include "core/hid/hidraw_backend.h"
#include "core/protocol/device_link.h"
#include "sim/keyboard_firmware.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace v38;
namespace fs = std::filesystem;

const std::vector<uint8_t> kCommandDescriptor = {0x06, 0x1C, 0xFF, 0x09, 0x92, 0xA1, 0x01, 0x85, 0x04,
                                                 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x3F,
                                                 0x09, 0x01, 0x81, 0x02, 0x09, 0x01, 0x91, 0x02, 0xC0};

// A sysfs tree with one hidraw node on USB interface 1, and the device end of its socketpair.
class SocketDevice {
public:
    SocketDevice() {
        root_ = fs::temp_directory_path() / ("v38_hidraw_bench_" + std::to_string(::getpid()));
        fs::path usbInterface = root_ / "devices/usb1/1-1/1-1:1.1";
        fs::path hidDevice = usbInterface / "0003:320F:5055.0001";
        fs::create_directories(hidDevice);
        fs::create_directories(root_ / "class/hidraw/hidraw0");
        std::ofstream(usbInterface / "bInterfaceNumber") << "01\n";
        std::ofstream(hidDevice / "uevent") << "HID_ID=0003:0000320F:00005055\nHID_NAME=bench\n";
        std::ofstream(hidDevice / "report_descriptor", std::ios::binary)
            .write(reinterpret_cast<const char*>(kCommandDescriptor.data()),
                   static_cast<std::streamsize>(kCommandDescriptor.size()));
        fs::create_directory_symlink(hidDevice, root_ / "class/hidraw/hidraw0/device");
        fs::create_directories(root_ / "dev");
        std::ofstream(root_ / "dev/hidraw0");

        HidrawRoots roots;
        roots.sysClassHidraw = (root_ / "class/hidraw").string();
        roots.dev = (root_ / "dev").string();
        roots.openNode = [this](const std::string&, int) {
            int fds[2];
            if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, fds) != 0)
                return -1;
            deviceFd_ = fds[1];
            firmwareThread_ = std::jthread([this](std::stop_token) { serve(); });
            return fds[0];
        };
        backend = std::make_shared<HidrawBackend>(roots);
    }

    ~SocketDevice() {
        if (deviceFd_ >= 0)
            ::shutdown(deviceFd_, SHUT_RDWR);
        if (firmwareThread_.joinable())
            firmwareThread_.join();
        if (deviceFd_ >= 0)
            ::close(deviceFd_);
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    std::shared_ptr<HidrawBackend> backend;

private:
    // The firmware: one request in, one answer out, until the host end goes away.
    void serve() {
        uint8_t request[65];
        for (;;) {
            ssize_t n = ::recv(deviceFd_, request, sizeof request, 0);
            if (n <= 0)
                return;
            if (n < 64)
                continue;
            std::array<uint8_t, 64> answer = firmware_.handleCommand(request, sim::Route::Cable);
            if (::send(deviceFd_, answer.data(), answer.size(), MSG_NOSIGNAL) < 0)
                return;
        }
    }

    fs::path root_;
    sim::KeyboardFirmware firmware_;
    int deviceFd_ = -1;
    std::jthread firmwareThread_;
};

void BM_HidrawSettingsRead56(benchmark::State& state) {
    SocketDevice device;
    DeviceLink link(device.backend);
    std::vector<std::string> paths;
    device.backend->listPaths(paths);
    if (paths.empty() || !link.wiredChannel().open(paths[0], true, true, true, false)) {
        state.SkipWithError("cannot open the socket device");
        return;
    }
    link.setOpen(true);
    link.setMode(1);
    uint8_t data[56];
    for (auto _ : state) {
        if (link.readSettings(data, sizeof data, 0) != kLinkOk) {
            state.SkipWithError("transaction failed");
            break;
        }
        benchmark::DoNotOptimize(data);
    }
    state.SetItemsProcessed(state.iterations()); // transactions
    link.wiredChannel().close();
}
BENCHMARK(BM_HidrawSettingsRead56)->UseRealTime();

} // namespace
