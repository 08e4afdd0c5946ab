#include "gui/app/tool_report.h"

#include "core/devices/supported_interface.h"

#include <cstdint>

namespace v38 {

namespace {
constexpr uint32_t kToolVersion[] = {2, 3, 0, 2};

void putWord(QByteArray& block, int word, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        block[word * 4 + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}
} // namespace

QByteArray buildToolReport() {
    QByteArray block(kToolReportBytes, '\0');
    int word = 0;
    for (uint32_t part : kToolVersion)
        putWord(block, word++, part);
    // The device list's kinds in its order (mouse, keyboard, mouse pad, headset), by cable identity;
    // the icon kind is the kind code of the cable route.
    putWord(block, word++, static_cast<uint32_t>(DeviceKindTable().size()));
    for (const DeviceKindInfo& row : DeviceKindTable()) {
        putWord(block, word++, row.vendorId);
        putWord(block, word++, row.productId);
        putWord(block, word++, static_cast<uint32_t>(row.iconKind));
    }
    return block;
}

} // namespace v38
