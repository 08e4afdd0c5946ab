#include "core/devices/capture_thread.h"

#include "core/hid/hid_path.h"
#include "core/platform/debug_log.h"

namespace v38 {

CaptureThread::CaptureThread(InterfaceTable& table, MessageSink& window, std::shared_ptr<HidBackend> backend,
                             uint32_t appInstanceMessage)
    : table_(table), window_(window), appInstanceMessage_(appInstanceMessage), channel_(std::move(backend)) {}

CaptureThread::~CaptureThread() {
    stop();
}

void CaptureThread::start() {
    worker_.start([this](std::stop_token token) { run(token); });
}

WorkerThread::StopResult CaptureThread::stop() {
    WorkerThread::StopResult result = worker_.stop(std::chrono::milliseconds(1000));
    if (result == WorkerThread::StopResult::Late)
        debugOutput("capture thread stopped late");
    return result;
}

void CaptureThread::run(std::stop_token token) {
    while (!token.stop_requested()) {
        scanStep(token);
        if (waitForStop(token, period_))
            break;
    }
    debugOutput("抓取设备线程设定退出");
}

void CaptureThread::scanStep(std::stop_token token) {
    if (table_.hasFreeRow())
        scan(token);
    testPresence(token);
}

void CaptureThread::scan(std::stop_token token) {
    // A failed listing skips this cycle's scan only: ending the thread would stop detection for
    // the rest of the run over one transient error.
    if (!channel_.enumerate()) {
        if (!enumerationFailed_)
            debugOutput("HID enumeration failed; retrying every cycle");
        enumerationFailed_ = true;
        return;
    }
    enumerationFailed_ = false;
    while (const std::string* listed = channel_.nextPath()) {
        if (token.stop_requested())
            break;
        const std::string path = *listed;
        HidPathFields fields = parseHidPathFields(path);
        bool known = false;
        for (const SupportedInterface& row : SupportedInterfaceTable())
            known = known || (row.vendorId == fields.vendorId && row.productId == fields.productId &&
                              row.interfaceNumber == fields.interfaceNumber &&
                              row.collectionNumber == fields.collectionNumber);
        if (!known || !table_.hasFreeRowFor(fields.vendorId, fields.productId, fields.interfaceNumber,
                                            fields.collectionNumber))
            continue;
        if (!channel_.open(path, true, false, true, false))
            continue;
        uint16_t vendorId = channel_.vendorId();
        uint16_t productId = channel_.productId();
        uint16_t usagePage = channel_.usagePage();
        uint16_t usage = channel_.usage();
        channel_.close();
        int row = table_.claim(vendorId, productId, fields.interfaceNumber, fields.collectionNumber,
                               usagePage, usage, path);
        if (row >= 0)
            window_.send(kMsgDeviceArrived, static_cast<uintptr_t>(row), 0);
    }
    if (!firstScanDone_) {
        firstScanDone_ = true;
        window_.post(appInstanceMessage_, 0, 0);
    }
    channel_.freePathList();
}

void CaptureThread::testPresence(std::stop_token token) {
    for (int row : table_.attachedRows()) {
        if (token.stop_requested())
            return;
        std::string path = table_.path(static_cast<size_t>(row));
        if (channel_.open(path, false, false, true, false)) {
            channel_.close();
            continue;
        }
        table_.release(static_cast<size_t>(row));
        window_.send(kMsgDeviceRemoved, static_cast<uintptr_t>(row), 0);
    }
}

} // namespace v38
