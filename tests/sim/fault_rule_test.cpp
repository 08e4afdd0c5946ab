#include "sim/fault_rule.h"

#include <gtest/gtest.h>

namespace v38::sim {
namespace {

TEST(FaultRule, ParsesTheCommandLineForm) {
    struct Case {
        const char* text;
        uint8_t command;
        uint32_t packet;
        FaultKind kind;
        uint32_t remaining;
    };
    const Case cases[] = {
        {"6:3=status-fe", 6, 3, FaultKind::StatusFE, 1},
        {"3=no-answer", 3, 0, FaultKind::NoAnswer, 0},
        {"170=unreachable", 170, 0, FaultKind::Unreachable, 0},
        {"0xAA=unreachablex2", 0xAA, 0, FaultKind::Unreachable, 2},
        {"0x1a:2=stalex3", 0x1A, 2, FaultKind::StaleAnswerFirst, 3},
        {" 9 = write-fail ", 9, 0, FaultKind::WriteFailure, 0},
        {"5:1=unplug", 5, 1, FaultKind::UnplugDuringTransfer, 1},
        {"5:1=status-ffx0", 5, 1, FaultKind::StatusFF, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        FaultRule rule;
        std::string error;
        ASSERT_TRUE(parseFaultSpec(c.text, rule, error)) << error;
        EXPECT_EQ(rule.command, c.command);
        EXPECT_EQ(rule.packet, c.packet);
        EXPECT_EQ(rule.kind, c.kind);
        EXPECT_EQ(rule.remaining, c.remaining);

        FaultRule again;
        ASSERT_TRUE(parseFaultSpec(formatFaultSpec(rule), again, error)) << formatFaultSpec(rule);
        EXPECT_EQ(again.command, rule.command);
        EXPECT_EQ(again.packet, rule.packet);
        EXPECT_EQ(again.kind, rule.kind);
        EXPECT_EQ(again.remaining, rule.remaining);
    }
}

TEST(FaultRule, RefusesMalformedSpecs) {
    const char* bad[] = {"",          "6",         "=no-answer", "256=no-answer", "0x100=stale",
                         "-1=stale",  "six=stale", "6:=stale",   "6:x=stale",     "6=",
                         "6=explode", "6=stalex",  "6=stalexy",  "6=stale x 2",   "6:99999999999=stale",
                         "0x=stale"};
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        FaultRule rule;
        rule.command = 77;
        std::string error;
        EXPECT_FALSE(parseFaultSpec(text, rule, error));
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(rule.command, 77);
    }
}

} // namespace
} // namespace v38::sim
