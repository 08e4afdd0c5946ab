// A HID backend for tests: one vendor command interface whose answers come from a script function,
// with every written report recorded.
#pragma once

#include "core/hid/hid_backend.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace v38::test {

using Report = std::vector<uint8_t>;

// The descriptor of a vendor command collection (page FF1C, usage 92) with report id 4 and 64-byte
// input and output reports.
const std::vector<uint8_t>& commandInterfaceDescriptor();

class ScriptedHidBackend : public HidBackend, public std::enable_shared_from_this<ScriptedHidBackend> {
public:
    static constexpr const char* kPath = "test:0#vid_320f&pid_5055&mi_01&col04";

    // Called for every written report; returns the input reports the device answers with.
    using Responder = std::function<std::vector<Report>(const Report& written)>;

    ScriptedHidBackend();
    explicit ScriptedHidBackend(std::vector<uint8_t> descriptor);

    const char* name() const override { return "scripted"; }
    bool listPaths(std::vector<std::string>& paths) override;
    std::shared_ptr<HidDeviceHandle> open(const std::string& path, const HidOpenMode& mode,
                                          HidOpenError& error) override;

    void setResponder(Responder responder);
    // Answers every command by echoing its code with status 0 and the request's data.
    static std::vector<Report> echo(const Report& written);
    void setWriteFails(bool fails);
    void pushInput(Report report);

    std::vector<Report> written() const;
    size_t writeCount() const;
    void clearWritten();

    // Time-out of the last write, as the caller passed it.
    uint32_t lastWriteTimeoutMs() const;

    // Attributes reported by opened handles.
    HidAttributes attributes{0x320F, 0x5055, 0x0105};

private:
    friend class ScriptedHandle;
    void deliver(const Report& written, bool& ok, uint32_t timeoutMs);

    std::vector<uint8_t> descriptor_;
    mutable std::mutex mutex_;
    std::condition_variable arrived_;
    Responder responder_;
    bool writeFails_ = false;
    std::deque<Report> inputs_;
    std::vector<Report> written_;
    uint32_t lastWriteTimeoutMs_ = 0;
};

// Builds a 64-byte answer: report id 4, command code, status and data from byte 8.
Report makeAnswer(uint8_t command, uint8_t status = 0, const std::vector<uint8_t>& data = {});

} // namespace v38::test
