// Fault injection on the command channel: which request packets misbehave and how, and the
// command-line form "CMD[:PACKET]=KIND[xCOUNT]" ("6:3=status-fe", "3=no-answer", "170=unreachable").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace v38::sim {

enum class FaultKind {
    NoAnswer,             // the request is lost: nothing is applied and no answer comes
    StaleAnswerFirst,     // an answer with another command code precedes the right one
    StatusFF,             // answered with status 0xFF; nothing applied
    StatusFE,             // answered with status 0xFE; nothing applied
    Unreachable,          // answered with command code 0xAA (the receiver lost the wireless device)
    WriteFailure,         // the output report is not accepted: the host's write fails
    UnplugDuringTransfer, // the request is accepted, then the device disappears before answering
};

struct FaultRule {
    uint8_t command = 0;
    // 0: every packet of the command; n: from the nth packet of the command counted since the rule
    // was added, for `remaining` packets in a row.
    uint32_t packet = 0;
    FaultKind kind = FaultKind::NoAnswer;
    // Packets the rule still applies to; 0 = no limit.
    uint32_t remaining = 0;
};

// "no-answer", "stale", "status-ff", "status-fe", "unreachable", "write-fail", "unplug".
const char* faultKindName(FaultKind kind);
bool faultKindFromName(std::string_view name, FaultKind& kind);

// Parses "CMD[:PACKET]=KIND[xCOUNT]". CMD is decimal or 0x hexadecimal (0-255), PACKET and COUNT
// decimal; x0 means no limit. Without xCOUNT a rule for one packet number applies once and a rule for
// every packet without limit. On failure rule is unchanged and error says why.
bool parseFaultSpec(std::string_view text, FaultRule& rule, std::string& error);

// The text form of a rule, as parseFaultSpec reads it back.
std::string formatFaultSpec(const FaultRule& rule);

} // namespace v38::sim
