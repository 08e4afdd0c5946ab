// Fuzz target for the report descriptor parser and the usage decoding built on it. The first two
// bytes split the input: that many bytes of descriptor, the rest a report.
#include "core/hid/report_descriptor.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

void decodeAll(const v38::HidTopCollection& collection, const uint8_t* report, size_t length) {
    std::vector<uint16_t> usages;
    for (int t = 0; t < v38::kHidReportTypeCount; ++t) {
        const auto type = static_cast<v38::HidReportType>(t);
        for (const v38::HidButtonCaps& caps : collection.buttonCaps[t]) {
            const uint32_t room = v38::maxUsageListLength(collection, type, caps.usagePage);
            if (v38::getUsages(collection, type, caps.usagePage, report, length, usages) ==
                    v38::HidStatus::Success &&
                usages.size() > room)
                __builtin_trap(); // more usages on than the capabilities allow
        }
        for (const v38::HidValueCaps& caps : collection.valueCaps[t]) {
            uint32_t raw = 0;
            int32_t scaled = 0;
            for (uint32_t usage : {uint32_t{caps.usageMin}, uint32_t{caps.usageMax}}) {
                v38::getUsageValue(collection, type, caps.usagePage, static_cast<uint16_t>(usage), report,
                                   length, raw);
                v38::getScaledUsageValue(collection, type, caps.usagePage, static_cast<uint16_t>(usage),
                                         report, length, scaled);
            }
        }
        v38::maxUsageListLength(collection, type, 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    size_t descriptorLength = static_cast<size_t>(data[0]) | static_cast<size_t>(data[1]) << 8;
    data += 2;
    size -= 2;
    if (descriptorLength > size)
        descriptorLength = size;
    v38::ReportDescriptor descriptor;
    if (!v38::parseReportDescriptor(data, descriptorLength, descriptor))
        return 0;
    const uint8_t* rest = data + descriptorLength;
    const size_t restLength = size - descriptorLength;
    for (const v38::HidTopCollection& collection : descriptor.collections) {
        // The report as given, and one of the collection's own input length so the fields fit.
        decodeAll(collection, restLength ? rest : nullptr, restLength);
        std::vector<uint8_t> report(collection.caps.inputReportByteLength, 0);
        for (size_t i = 0; i < report.size() && i < restLength; ++i)
            report[i] = rest[i];
        if (!report.empty() && !collection.reportIds.empty())
            report[0] = collection.reportIds[restLength % collection.reportIds.size()];
        decodeAll(collection, report.data(), report.size());
    }
    return 0;
}
