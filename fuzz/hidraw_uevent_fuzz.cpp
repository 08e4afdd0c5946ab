// Feeds arbitrary uevent texts and node names to the sysfs readers of the hidraw backend.
#include "core/hid/hidraw_sysfs.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    v38::HidrawNodeInfo info;
    v38::parseHidrawUevent(text, info);
    unsigned number = 0;
    v38::isHidrawNodeName(text, &number);
    return 0;
}
