// Parses arbitrary text as a stored JSON file and checks that what the program writes parses again
// and then survives a write and read unchanged. (The writer turns invalid UTF-8 into U+FFFD and cuts
// object keys at an embedded NUL, so only the first write may change a value.)
#include "core/profiles/json_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(bytes), size);
    // Files are read up to their first NUL.
    text = text.substr(0, text.find('\0'));
    Json::Value value;
    if (!v38::parseJsonText(text, value))
        return 0;
    std::string written = v38::styledJsonText(value);
    Json::Value again;
    Json::Value third;
    if (written.empty() || !v38::parseJsonText(written, again) ||
        !v38::parseJsonText(v38::styledJsonText(again), third) || !(third == again))
        std::abort();
    return 0;
}
