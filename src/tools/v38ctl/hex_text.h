// Hexadecimal text for the command-line tool: parsing what a user types, printing what a device sent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace v38::ctl {

// Pairs of hexadecimal digits with any white space between bytes ("0a 0B0c"). An optional "0x"
// prefix per byte group is accepted. False for anything else, or an odd digit count.
bool parseHexBytes(std::string_view text, std::vector<uint8_t>& bytes);

// A number in decimal or with a 0x prefix, no larger than maximum.
bool parseNumber(std::string_view text, uint32_t maximum, uint32_t& value);

// Lines of 16 bytes, each "  OOOO: xx xx ..." with the offset in hexadecimal.
std::string formatHexDump(const uint8_t* bytes, size_t count);

} // namespace v38::ctl
