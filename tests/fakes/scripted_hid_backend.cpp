#include "fakes/scripted_hid_backend.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>

namespace v38::test {

const std::vector<uint8_t>& commandInterfaceDescriptor() {
    static const std::vector<uint8_t> descriptor = {
        0x06, 0x1C, 0xFF, // Usage Page (vendor FF1C)
        0x09, 0x92,       // Usage (92)
        0xA1, 0x01,       // Collection (Application)
        0x85, 0x04,       //   Report ID (4)
        0x15, 0x00,       //   Logical Minimum (0)
        0x26, 0xFF, 0x00, //   Logical Maximum (255)
        0x75, 0x08,       //   Report Size (8)
        0x95, 0x3F,       //   Report Count (63)
        0x09, 0x01,       //   Usage (1)
        0x81, 0x02,       //   Input (Data, Var, Abs)
        0x09, 0x01,       //   Usage (1)
        0x91, 0x02,       //   Output (Data, Var, Abs)
        0xC0,             // End Collection
    };
    return descriptor;
}

class ScriptedHandle : public HidDeviceHandle {
public:
    explicit ScriptedHandle(std::shared_ptr<ScriptedHidBackend> backend) : backend_(std::move(backend)) {}

    HidAttributes attributes() const override { return backend_->attributes; }
    const std::vector<uint8_t>& reportDescriptor() const override { return backend_->descriptor_; }
    size_t collectionIndex() const override { return 0; }

    HidIoResult read(uint8_t* buffer, size_t length, size_t& transferred, uint32_t timeoutMs) override {
        transferred = 0;
        std::unique_lock lock(backend_->mutex_);
        auto ready = [&] { return cancelled_.load() || !backend_->inputs_.empty(); };
        if (timeoutMs == kHidInfinite)
            backend_->arrived_.wait(lock, ready);
        else if (!backend_->arrived_.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready))
            return HidIoResult::TimedOut;
        if (cancelled_)
            return HidIoResult::Cancelled;
        Report report = std::move(backend_->inputs_.front());
        backend_->inputs_.pop_front();
        transferred = std::min(length, report.size());
        std::memcpy(buffer, report.data(), transferred);
        return HidIoResult::Ok;
    }

    HidIoResult write(const uint8_t* buffer, size_t length, size_t& transferred,
                      uint32_t timeoutMs) override {
        transferred = 0;
        if (cancelled_)
            return HidIoResult::Cancelled;
        Report report(buffer, buffer + length);
        bool ok = true;
        backend_->deliver(report, ok, timeoutMs);
        if (!ok)
            return HidIoResult::Failed;
        transferred = length;
        return HidIoResult::Ok;
    }

    void cancel() override {
        std::lock_guard lock(backend_->mutex_);
        cancelled_ = true;
        backend_->arrived_.notify_all();
    }

private:
    std::shared_ptr<ScriptedHidBackend> backend_;
    std::atomic<bool> cancelled_{false};
};

ScriptedHidBackend::ScriptedHidBackend() : ScriptedHidBackend(commandInterfaceDescriptor()) {}

ScriptedHidBackend::ScriptedHidBackend(std::vector<uint8_t> descriptor)
    : descriptor_(std::move(descriptor)), responder_(&ScriptedHidBackend::echo) {}

bool ScriptedHidBackend::listPaths(std::vector<std::string>& paths) {
    paths = {kPath};
    return true;
}

std::shared_ptr<HidDeviceHandle> ScriptedHidBackend::open(const std::string& path, const HidOpenMode&,
                                                          HidOpenError& error) {
    if (path != kPath) {
        error = HidOpenError::NotFound;
        return nullptr;
    }
    error = HidOpenError::None;
    return std::make_shared<ScriptedHandle>(shared_from_this());
}

void ScriptedHidBackend::setResponder(Responder responder) {
    std::lock_guard lock(mutex_);
    responder_ = std::move(responder);
}

std::vector<Report> ScriptedHidBackend::echo(const Report& written) {
    Report answer = makeAnswer(written.size() > 3 ? written[3] : 0);
    if (written.size() >= 64)
        std::copy(written.begin() + 4, written.begin() + 7, answer.begin() + 4);
    return {answer};
}

void ScriptedHidBackend::setWriteFails(bool fails) {
    std::lock_guard lock(mutex_);
    writeFails_ = fails;
}

void ScriptedHidBackend::pushInput(Report report) {
    std::lock_guard lock(mutex_);
    inputs_.push_back(std::move(report));
    arrived_.notify_all();
}

void ScriptedHidBackend::deliver(const Report& written, bool& ok, uint32_t timeoutMs) {
    Responder responder;
    {
        std::lock_guard lock(mutex_);
        written_.push_back(written);
        lastWriteTimeoutMs_ = timeoutMs;
        if (writeFails_) {
            ok = false;
            return;
        }
        responder = responder_;
    }
    // The responder runs unlocked so a test can hold a transfer inside it.
    std::vector<Report> answers = responder ? responder(written) : std::vector<Report>{};
    std::lock_guard lock(mutex_);
    for (Report& answer : answers)
        inputs_.push_back(std::move(answer));
    arrived_.notify_all();
}

uint32_t ScriptedHidBackend::lastWriteTimeoutMs() const {
    std::lock_guard lock(mutex_);
    return lastWriteTimeoutMs_;
}

std::vector<Report> ScriptedHidBackend::written() const {
    std::lock_guard lock(mutex_);
    return written_;
}

size_t ScriptedHidBackend::writeCount() const {
    std::lock_guard lock(mutex_);
    return written_.size();
}

void ScriptedHidBackend::clearWritten() {
    std::lock_guard lock(mutex_);
    written_.clear();
}

Report makeAnswer(uint8_t command, uint8_t status, const std::vector<uint8_t>& data) {
    Report answer(64, 0);
    answer[0] = 4;
    answer[3] = command;
    answer[7] = status;
    std::copy_n(data.begin(), std::min<size_t>(data.size(), 56), answer.begin() + 8);
    return answer;
}

} // namespace v38::test
