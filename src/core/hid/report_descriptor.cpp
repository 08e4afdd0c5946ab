#include "core/hid/report_descriptor.h"

// Placeholder until the parser lands: refuses every descriptor.
namespace v38 {

bool HidTopCollection::hasReportId(uint8_t id) const {
    for (uint8_t own : reportIds)
        if (own == id)
            return true;
    return false;
}

bool parseReportDescriptor(const uint8_t*, size_t, ReportDescriptor& out) {
    out = ReportDescriptor{};
    return false;
}

uint32_t maxUsageListLength(const HidTopCollection&, HidReportType, uint16_t) {
    return 0;
}

HidStatus getUsages(const HidTopCollection&, HidReportType, uint16_t, const uint8_t*, size_t,
                    std::vector<uint16_t>& usages) {
    usages.clear();
    return HidStatus::UsageNotFound;
}

HidStatus getUsageValue(const HidTopCollection&, HidReportType, uint16_t, uint16_t, const uint8_t*, size_t,
                        uint32_t&) {
    return HidStatus::UsageNotFound;
}

HidStatus getScaledUsageValue(const HidTopCollection&, HidReportType, uint16_t, uint16_t, const uint8_t*,
                              size_t, int32_t&) {
    return HidStatus::UsageNotFound;
}

} // namespace v38
