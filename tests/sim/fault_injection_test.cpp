// Injected faults give the result codes the link documents, and leave device memory as a real device
// would.
#include "sim/fault_rule.h"
#include "sim_link_fixture.h"

#include <cstring>

namespace v38::sim {
namespace {

using FaultInjection = SimLinkTest;

FaultRule rule(uint8_t command, uint32_t packet, FaultKind kind, uint32_t remaining = 1) {
    FaultRule fault;
    fault.command = command;
    fault.packet = packet;
    fault.kind = kind;
    fault.remaining = remaining;
    return fault;
}

TEST_F(FaultInjection, EachKindGivesItsResultCode) {
    struct Case {
        FaultKind kind;
        Identity identity;
        int expected;
        size_t answersPerRequest;
    };
    const Case cases[] = {
        {FaultKind::StatusFF, Identity::Mouse, kLinkRefused, 1},
        {FaultKind::StatusFE, Identity::Mouse, kLinkError, 1},
        {FaultKind::WriteFailure, Identity::Mouse, kLinkWriteFailed, 0},
        {FaultKind::Unreachable, Identity::MouseReceiver, kLinkUnreachable, 1},
        {FaultKind::StaleAnswerFirst, Identity::Mouse, kLinkOk, 2},
        {FaultKind::StaleAnswerFirst, Identity::MouseReceiver, kLinkOk, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(faultKindName(c.kind));
        SCOPED_TRACE(identityName(c.identity));
        backend->wireLog().clear();
        DeviceLink link(backend);
        ASSERT_TRUE(openLink(link, c.identity));
        backend->addFault(rule(kCmdReadSettings, 0, c.kind));
        uint8_t data[16] = {};
        EXPECT_EQ(link.readSettings(data, sizeof data, 0), c.expected);
        EXPECT_EQ(answers(c.identity), c.answersPerRequest);
        EXPECT_TRUE(backend->faults().empty()); // used up
        if (c.expected == kLinkOk) {
            EXPECT_EQ(std::vector<uint8_t>(data, data + sizeof data),
                      memory(c.identity, MemoryRegion::Settings, 0, sizeof data));
        }
        // The next exchange is clean.
        EXPECT_EQ(link.readSettings(data, sizeof data, 0), kLinkOk);
    }
}

// The lost answer costs the wired time-out once; the link reports a failed read.
TEST_F(FaultInjection, NoAnswerTimesOutAsAFailedRead) {
    DeviceLink link(backend);
    ASSERT_TRUE(openLink(link, Identity::Keyboard));
    backend->addFault(rule(kCmdReadDeviceInfo, 0, FaultKind::NoAnswer));
    uint8_t info[kDeviceInfoSize];
    std::memset(info, 0xEE, sizeof info);
    EXPECT_EQ(link.readDeviceInfo(info), kLinkFailed);
    EXPECT_EQ(info[0], 0xEE); // untouched on failure
    EXPECT_EQ(requests(Identity::Keyboard, kCmdReadDeviceInfo).size(), 1u);
    EXPECT_EQ(answers(Identity::Keyboard), 0u);
    EXPECT_EQ(link.readDeviceInfo(info), kLinkOk);
}

TEST_F(FaultInjection, ErrorInTheThirdPacketKeepsTheFirstTwo) {
    DeviceLink link(backend);
    ASSERT_TRUE(openLink(link, Identity::Keyboard));
    std::vector<uint8_t> before = memory(Identity::Keyboard, MemoryRegion::Settings, 0, 150);
    std::vector<uint8_t> written = pattern(150, 40);
    FaultRule fault;
    std::string error;
    ASSERT_TRUE(parseFaultSpec("6:3=status-fe", fault, error));
    backend->addFault(fault);

    EXPECT_EQ(link.writeSettings(written.data(), written.size(), 0), kLinkError);
    std::vector<uint8_t> after = memory(Identity::Keyboard, MemoryRegion::Settings, 0, 150);
    EXPECT_EQ(std::vector<uint8_t>(after.begin(), after.begin() + 112),
              std::vector<uint8_t>(written.begin(), written.begin() + 112));
    EXPECT_EQ(std::vector<uint8_t>(after.begin() + 112, after.end()),
              std::vector<uint8_t>(before.begin() + 112, before.end()));
    EXPECT_EQ(requests(Identity::Keyboard, kCmdWriteSettings).size(), 3u);
}

TEST_F(FaultInjection, PacketRulesCountPerCommandSinceAdded) {
    DeviceLink link(backend);
    ASSERT_TRUE(openLink(link, Identity::Keyboard));
    uint8_t data[8] = {};
    ASSERT_EQ(link.readSettings(data, sizeof data, 0), kLinkOk); // before the rule: not counted
    backend->addFault(rule(kCmdReadSettings, 2, FaultKind::StatusFF, 2));
    EXPECT_EQ(link.readDeviceInfo(nullptr), kLinkOk); // another command: not counted
    EXPECT_EQ(link.readSettings(data, sizeof data, 0), kLinkOk);
    EXPECT_EQ(link.readSettings(data, sizeof data, 0), kLinkRefused);
    EXPECT_EQ(link.readSettings(data, sizeof data, 0), kLinkRefused);
    EXPECT_EQ(link.readSettings(data, sizeof data, 0), kLinkOk);
    EXPECT_TRUE(backend->faults().empty());

    backend->addFault(rule(kCmdReadSettings, 0, FaultKind::StatusFE, 0));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(link.readSettings(data, sizeof data, 0), kLinkError);
    backend->clearFaults();
    EXPECT_EQ(link.readSettings(data, sizeof data, 0), kLinkOk);
}

TEST_F(FaultInjection, UnplugDuringTransferFailsTheReadAndRemovesTheDevice) {
    DeviceLink link(backend);
    ASSERT_TRUE(openLink(link, Identity::MouseReceiver));
    backend->addFault(rule(kCmdWriteSettings, 2, FaultKind::UnplugDuringTransfer));
    std::vector<uint8_t> before = memory(Identity::Mouse, MemoryRegion::Settings, 0x200, 72);
    std::vector<uint8_t> written = pattern(72, 90);

    EXPECT_EQ(link.writeSettings(written.data(), written.size(), 0x200), kLinkFailed);
    EXPECT_FALSE(backend->isPlugged(Identity::MouseReceiver));
    std::vector<uint8_t> after = memory(Identity::Mouse, MemoryRegion::Settings, 0x200, 72);
    EXPECT_EQ(std::vector<uint8_t>(after.begin(), after.begin() + 24),
              std::vector<uint8_t>(written.begin(), written.begin() + 24));
    EXPECT_EQ(std::vector<uint8_t>(after.begin() + 24, after.end()),
              std::vector<uint8_t>(before.begin() + 24, before.end()));
    EXPECT_EQ(link.writeSettings(written.data(), written.size(), 0x200), kLinkWriteFailed);

    std::vector<std::string> paths;
    ASSERT_TRUE(backend->listPaths(paths));
    EXPECT_EQ(std::count(paths.begin(), paths.end(), commandPath(Identity::MouseReceiver)), 0);
    EXPECT_EQ(std::count(paths.begin(), paths.end(), commandPath(Identity::Mouse)), 1);
}

} // namespace
} // namespace v38::sim
