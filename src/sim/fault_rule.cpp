#include "sim/fault_rule.h"

#include <array>
#include <utility>

namespace v38::sim {

namespace {

constexpr std::array<std::pair<FaultKind, const char*>, 7> kKindNames = {{
    {FaultKind::NoAnswer, "no-answer"},
    {FaultKind::StaleAnswerFirst, "stale"},
    {FaultKind::StatusFF, "status-ff"},
    {FaultKind::StatusFE, "status-fe"},
    {FaultKind::Unreachable, "unreachable"},
    {FaultKind::WriteFailure, "write-fail"},
    {FaultKind::UnplugDuringTransfer, "unplug"},
}};

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// Unsigned number up to limit; decimal, or hexadecimal after 0x when hexAllowed.
bool parseNumber(std::string_view text, bool hexAllowed, uint32_t limit, uint32_t& value) {
    unsigned base = 10;
    if (hexAllowed && text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty() || text.size() > 10)
        return false;
    uint64_t number = 0;
    for (char c : text) {
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else
            return false;
        number = number * base + digit;
        if (number > limit)
            return false;
    }
    value = static_cast<uint32_t>(number);
    return true;
}

} // namespace

const char* faultKindName(FaultKind kind) {
    for (const auto& [own, name] : kKindNames)
        if (own == kind)
            return name;
    return "unknown";
}

bool faultKindFromName(std::string_view name, FaultKind& kind) {
    for (const auto& [own, text] : kKindNames) {
        if (name == text) {
            kind = own;
            return true;
        }
    }
    return false;
}

bool parseFaultSpec(std::string_view text, FaultRule& rule, std::string& error) {
    constexpr uint32_t kMaxCount = 1000000;
    text = trimmed(text);
    if (text.size() > 64) {
        error = "fault rule too long";
        return false;
    }
    size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        error = "fault rule \"" + std::string(text) + "\" lacks '=' (expected CMD[:PACKET]=KIND[xCOUNT])";
        return false;
    }
    std::string_view target = trimmed(text.substr(0, equals));
    std::string_view action = trimmed(text.substr(equals + 1));

    FaultRule parsed;
    std::string_view commandText = target;
    bool packetGiven = false;
    if (size_t colon = target.find(':'); colon != std::string_view::npos) {
        commandText = trimmed(target.substr(0, colon));
        std::string_view packetText = trimmed(target.substr(colon + 1));
        if (!parseNumber(packetText, false, kMaxCount, parsed.packet)) {
            error = "bad packet number \"" + std::string(packetText) + "\"";
            return false;
        }
        packetGiven = parsed.packet != 0;
    }
    uint32_t command = 0;
    if (!parseNumber(commandText, true, 0xFF, command)) {
        error = "bad command code \"" + std::string(commandText) + "\" (0-255, decimal or 0x hex)";
        return false;
    }
    parsed.command = static_cast<uint8_t>(command);

    std::string_view kindText = action;
    parsed.remaining = packetGiven ? 1 : 0;
    // A count is an 'x' followed only by digits; no kind name ends that way.
    if (size_t x = action.rfind('x'); x != std::string_view::npos && x + 1 < action.size()) {
        uint32_t count = 0;
        if (parseNumber(action.substr(x + 1), false, kMaxCount, count)) {
            parsed.remaining = count;
            kindText = trimmed(action.substr(0, x));
        }
    }
    if (!faultKindFromName(kindText, parsed.kind)) {
        error = "unknown fault \"" + std::string(kindText) +
                "\" (expected no-answer, stale, status-ff, status-fe, unreachable, write-fail or unplug)";
        return false;
    }
    rule = parsed;
    return true;
}

std::string formatFaultSpec(const FaultRule& rule) {
    std::string text = std::to_string(rule.command);
    if (rule.packet != 0)
        text += ":" + std::to_string(rule.packet);
    text += "=";
    text += faultKindName(rule.kind);
    bool defaultCount = rule.packet != 0 ? rule.remaining == 1 : rule.remaining == 0;
    if (!defaultCount)
        text += "x" + std::to_string(rule.remaining);
    return text;
}

} // namespace v38::sim
