// Feeds arbitrary text to the parsers of what a user types into v38ctl: hexadecimal bytes, numbers
// and interface paths.
#include "core/hid/hid_path.h"
#include "tools/v38ctl/hex_text.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<uint8_t> bytes;
    v38::ctl::parseHexBytes(text, bytes);
    if (!bytes.empty())
        v38::ctl::formatHexDump(bytes.data(), bytes.size());
    uint32_t value = 0;
    v38::ctl::parseNumber(text, 0xFFFF, value);
    v38::parseHidPathFields(text);
    return 0;
}
