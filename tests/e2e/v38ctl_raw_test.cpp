#include "core/hid/hid_backend.h"
#include "tools/v38ctl/ctl_app.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace v38::ctl {
namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome run(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    int status = runV38ctl(args, out, err);
    setProcessHidBackend(nullptr);
    return {status, out.str(), err.str()};
}

size_t countOf(const std::string& text, const std::string& word) {
    size_t count = 0;
    for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + word.size()))
        ++count;
    return count;
}

std::string hexOf(size_t count) {
    std::string text;
    static const char digits[] = "0123456789abcdef";
    for (size_t i = 0; i < count; ++i) {
        uint8_t b = static_cast<uint8_t>(i + 1);
        text += digits[b >> 4];
        text += digits[b & 15];
    }
    return text;
}

TEST(CtlSimulated, ListMarksEverySupportedInterfaceOfTheDefaultSet) {
    Outcome outcome = run({"--simulate", "hid", "list"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_NE(outcome.out.find("sim:headset/3#vid_0c76&pid_1630&mi_03 vid=0c76 pid=1630 if=3 col=0 "
                               "usage=000c:0001 in=64 out=64 feat=0 supported row=10 kind=7 role=0x00\n"),
              std::string::npos)
        << outcome.out;
    // keyboard, mouse receiver and mouse pad: a command and a consumer row each; the headset: one.
    EXPECT_EQ(countOf(outcome.out, " supported row="), 7u);
    EXPECT_EQ(countOf(outcome.out, "role=0xff"), 3u);

    Outcome chosen = run({"--simulate=keyboard-receiver,mouse", "hid", "list"});
    EXPECT_NE(chosen.out.find("pid=5088"), std::string::npos);
    EXPECT_NE(chosen.out.find("pid=1000"), std::string::npos);
    EXPECT_EQ(chosen.out.find("pid=1630"), std::string::npos);
}

TEST(CtlSimulated, OperationsOfOneInvocationShareTheVirtualDevices) {
    Outcome outcome = run({"--simulate", "raw", "keyboard", "write-settings", "0x80", "0a0b0c", "then",
                           "read-settings", "0x80", "3"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "write-settings: 1\nread-settings: 1\n  0000: 0a 0b 0c\n");
}

TEST(CtlSimulated, PacketSizesFollowTheRouteOfTheDevice) {
    struct Case {
        const char* device;
        size_t packets;
    };
    for (Case c : {Case{"mouse", 2}, Case{"mouse-receiver", 5}}) {
        Outcome outcome = run({"--simulate=mouse,mouse-receiver", "--trace", "raw", c.device,
                               "write-settings", "0x80", hexOf(100)});
        ASSERT_EQ(outcome.status, 0) << outcome.err;
        EXPECT_EQ(countOf(outcome.err, "命令"), c.packets) << c.device;
        EXPECT_EQ(countOf(outcome.err, "返回"), c.packets) << c.device;
    }
}

TEST(CtlSimulated, InjectedFaultsSurfaceAsResultCodes) {
    struct Case {
        std::vector<std::string> args;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {{"--simulate", "--fault", "6:3=status-fe", "raw", "mouse-receiver", "write-settings", "0",
          hexOf(100)},
         "write-settings: -103\n"},
        {{"--simulate", "--fault", "3=status-ff", "raw", "keyboard", "info"}, "info: -102\n"},
        {{"--simulate", "--fault", "5=write-fail", "raw", "keyboard", "read-settings", "0", "4"},
         "read-settings: -1\n"},
        {{"--simulate", "--fault", "170=unreachable", "raw", "mouse-receiver", "receiver"},
         "receiver: unreachable\n"},
    };
    for (const Case& c : cases) {
        Outcome outcome = run(c.args);
        EXPECT_EQ(outcome.status, 1) << c.expected;
        EXPECT_EQ(outcome.out, c.expected);
    }
    Outcome bad = run({"--simulate", "--fault", "6=melt", "hid", "list"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("--fault 6=melt"), std::string::npos);
}

TEST(CtlSimulated, MissingDeviceIsReportedByName) {
    Outcome outcome = run({"--simulate=mouse", "raw", "keyboard", "info"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "v38ctl: device not found: keyboard\n");

    Outcome consumer = run({"--simulate=mouse", "raw", "sim:mouse/1#vid_320f&pid_1000&mi_01&col03", "info"});
    EXPECT_EQ(consumer.status, 1);
    EXPECT_NE(consumer.err.find("not the command interface"), std::string::npos);
}

// A node that lists and describes itself but refuses read and write access, as /dev/hidraw does
// without the udev rule.
class LockedBackend : public HidBackend {
public:
    const char* name() const override { return "locked"; }
    bool listPaths(std::vector<std::string>& paths) override {
        paths = {kPath};
        return true;
    }
    std::shared_ptr<HidDeviceHandle> open(const std::string& path, const HidOpenMode& mode,
                                          HidOpenError& error) override {
        if (mode.read || mode.write || path != kPath) {
            error = path == kPath ? HidOpenError::AccessDenied : HidOpenError::NotFound;
            return nullptr;
        }
        return std::make_shared<Handle>();
    }
    static constexpr const char* kPath = "/dev/hidraw7#vid_320f&pid_5055&mi_01&col04";

private:
    class Handle : public HidDeviceHandle {
    public:
        HidAttributes attributes() const override { return {0x320F, 0x5055, 1}; }
        const std::vector<uint8_t>& reportDescriptor() const override {
            static const std::vector<uint8_t> bytes = {0x06, 0x1C, 0xFF, 0x09, 0x92, 0xA1, 0x01, 0x85,
                                                       0x04, 0x75, 0x08, 0x95, 0x3F, 0x09, 0x01, 0x81,
                                                       0x02, 0x09, 0x01, 0x91, 0x02, 0xC0};
            return bytes;
        }
        size_t collectionIndex() const override { return 0; }
        HidIoResult read(uint8_t*, size_t, size_t&, uint32_t) override { return HidIoResult::Failed; }
        HidIoResult write(const uint8_t*, size_t, size_t&, uint32_t) override { return HidIoResult::Failed; }
        void cancel() override {}
    };
};

TEST(CtlHardware, PermissionDeniedPointsAtTheUdevRule) {
    std::ostringstream out;
    std::ostringstream err;
    setProcessHidBackend(std::make_shared<LockedBackend>());
    EXPECT_EQ(runV38ctl({"hid", "list"}, out, err), 0);
    EXPECT_EQ(out.str(),
              std::string(LockedBackend::kPath) +
                  " vid=320f pid=5055 if=1 col=4 usage=ff1c:0092 in=64 out=64 feat=0 supported row=0 "
                  "kind=1 role=0x00\n");

    std::ostringstream denied;
    EXPECT_EQ(runV38ctl({"raw", "keyboard", "info"}, out, denied), 1);
    setProcessHidBackend(nullptr);
    const std::string message = denied.str();
    EXPECT_NE(message.find("permission denied"), std::string::npos) << message;
    EXPECT_NE(message.find("60-v38-device.rules"), std::string::npos) << message;
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1);
}

} // namespace
} // namespace v38::ctl
