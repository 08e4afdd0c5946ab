#include "gui/app/tool_report.h"

#include <cstdint>

namespace v38 {

namespace {
struct ReportedKind {
    uint32_t vendorId;
    uint32_t productId;
    uint32_t kind;
};

// The device list's kinds in its order: mouse, keyboard, mouse pad, headset (cable identities).
constexpr ReportedKind kReportedKinds[] = {
    {0x320F, 0x1000, 2},
    {0x320F, 0x5055, 1},
    {0x320F, 0x1004, 3},
    {0x0C76, 0x1630, 7},
};
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
    putWord(block, word++, static_cast<uint32_t>(std::size(kReportedKinds)));
    for (const ReportedKind& row : kReportedKinds) {
        putWord(block, word++, row.vendorId);
        putWord(block, word++, row.productId);
        putWord(block, word++, row.kind);
    }
    return block;
}

} // namespace v38
