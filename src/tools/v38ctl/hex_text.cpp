#include "tools/v38ctl/hex_text.h"

#include "core/platform/text_utils.h"

#include <cctype>
#include <cstdio>

namespace v38::ctl {

bool parseHexBytes(std::string_view text, std::vector<uint8_t>& bytes) {
    bytes.clear();
    int high = -1;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            if (high >= 0)
                return false; // a byte split by white space
            continue;
        }
        if (high < 0 && c == '0' && i + 1 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
            ++i;
            continue;
        }
        int value = hexDigitValue(c);
        if (value < 0)
            return false;
        if (high < 0) {
            high = value;
        } else {
            bytes.push_back(static_cast<uint8_t>(high << 4 | value));
            high = -1;
        }
    }
    return high < 0;
}

bool parseNumber(std::string_view text, uint32_t maximum, uint32_t& value) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty() || text.size() > 10)
        return false;
    uint64_t result = 0;
    for (char c : text) {
        int digit = hexDigitValue(c);
        if (digit < 0 || digit >= base)
            return false;
        result = result * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (result > maximum)
            return false;
    }
    value = static_cast<uint32_t>(result);
    return true;
}

std::string formatHexDump(const uint8_t* bytes, size_t count) {
    std::string text;
    char piece[32];
    for (size_t line = 0; line < count; line += 16) {
        std::snprintf(piece, sizeof piece, "  %04zx:", line);
        text += piece;
        for (size_t i = line; i < count && i < line + 16; ++i) {
            std::snprintf(piece, sizeof piece, " %02x", bytes[i]);
            text += piece;
        }
        text += '\n';
    }
    return text;
}

} // namespace v38::ctl
