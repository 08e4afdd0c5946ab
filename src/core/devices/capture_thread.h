// CaptureThread: finds the supported HID interfaces and watches them. While a row of the working
// table is free it scans the machine's interfaces and claims matching ones; every cycle it checks
// that the attached ones are still there. Arrivals and removals go to the window as sent messages.
#pragma once

#include "core/devices/device_messages.h"
#include "core/devices/interface_table.h"
#include "core/hid/hid_channel.h"
#include "core/platform/message_sink.h"
#include "core/platform/worker_thread.h"

#include <chrono>
#include <memory>
#include <stop_token>

namespace v38 {

class CaptureThread {
public:
    static constexpr std::chrono::milliseconds kPeriod{100};

    CaptureThread(InterfaceTable& table, MessageSink& window, std::shared_ptr<HidBackend> backend,
                  uint32_t appInstanceMessage = kMsgAppInstanceDefault);
    ~CaptureThread();
    CaptureThread(const CaptureThread&) = delete;
    CaptureThread& operator=(const CaptureThread&) = delete;

    void start();
    // Signals the thread and joins it; it ends within one cycle. A thread waiting in send() is
    // released by the window's shutdown, which therefore begins before this call.
    WorkerThread::StopResult stop();
    bool running() const { return worker_.running() && !worker_.finished(); }

    // One cycle without its wait: the scan while a row is free, then the presence test. Runs on the
    // calling thread (tests and one-shot listings call it directly). Stops early when asked.
    void scanStep(std::stop_token token = {});

    void setPeriod(std::chrono::milliseconds period) { period_ = period; }

private:
    void run(std::stop_token token);
    void scan(std::stop_token token);
    void testPresence(std::stop_token token);

    InterfaceTable& table_;
    MessageSink& window_;
    uint32_t appInstanceMessage_;
    // One channel for the thread's whole life.
    HidChannel channel_;
    bool firstScanDone_ = false;
    bool enumerationFailed_ = false;
    std::chrono::milliseconds period_ = kPeriod;
    WorkerThread worker_;
};

} // namespace v38
