// Cost of parsing a composite keyboard's report descriptor (done on every open) and of decoding the
// keys of one input report (done for every report a reader thread receives).
#include "core/hid/report_descriptor.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

// Keyboard with a 120-key bitmap (report 1), system control (2), consumer control (3), vendor (4).
const std::vector<uint8_t> kCompositeKeyboard = {
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x85, 0x01, 0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x15, 0x00,
    0x25, 0x01, 0x75, 0x01, 0x95, 0x08, 0x81, 0x02, 0x19, 0x00, 0x29, 0x77, 0x95, 0x78, 0x81, 0x02,
    0x05, 0x08, 0x19, 0x01, 0x29, 0x05, 0x95, 0x05, 0x91, 0x02, 0x95, 0x03, 0x91, 0x01, 0xC0, 0x05,
    0x01, 0x09, 0x80, 0xA1, 0x01, 0x85, 0x02, 0x19, 0x81, 0x29, 0x83, 0x15, 0x00, 0x25, 0x01, 0x75,
    0x01, 0x95, 0x03, 0x81, 0x02, 0x95, 0x05, 0x81, 0x01, 0xC0, 0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01,
    0x85, 0x03, 0x19, 0x00, 0x2A, 0x3C, 0x02, 0x15, 0x00, 0x26, 0x3C, 0x02, 0x75, 0x10, 0x95, 0x02,
    0x81, 0x00, 0xC0, 0x06, 0x1C, 0xFF, 0x09, 0x92, 0xA1, 0x01, 0x85, 0x04, 0x15, 0x00, 0x26, 0xFF,
    0x00, 0x75, 0x08, 0x95, 0x3F, 0x09, 0x01, 0x81, 0x02, 0x09, 0x02, 0x91, 0x02, 0xC0,
};

void BM_ParseCompositeDescriptor(benchmark::State& state) {
    for (auto _ : state) {
        v38::ReportDescriptor descriptor;
        bool ok =
            v38::parseReportDescriptor(kCompositeKeyboard.data(), kCompositeKeyboard.size(), descriptor);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(descriptor);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kCompositeKeyboard.size()));
}
BENCHMARK(BM_ParseCompositeDescriptor);

void BM_GetUsagesKeyboardBitmap(benchmark::State& state) {
    v38::ReportDescriptor descriptor;
    if (!v38::parseReportDescriptor(kCompositeKeyboard.data(), kCompositeKeyboard.size(), descriptor)) {
        state.SkipWithError("descriptor refused");
        return;
    }
    const v38::HidTopCollection& keyboard = descriptor.collections[0];
    // Left Shift with A, S, D held: a typical gaming chord.
    std::vector<uint8_t> report(keyboard.caps.inputReportByteLength, 0);
    report[0] = 1;
    report[1] = 0x02;
    for (uint8_t key : {0x04, 0x16, 0x07})
        report[2 + key / 8] |= static_cast<uint8_t>(1u << (key % 8));
    std::vector<uint16_t> usages;
    usages.reserve(v38::maxUsageListLength(keyboard, v38::HidReportType::Input, 0x07));
    for (auto _ : state) {
        v38::HidStatus status =
            v38::getUsages(keyboard, v38::HidReportType::Input, 0x07, report.data(), report.size(), usages);
        benchmark::DoNotOptimize(status);
        benchmark::DoNotOptimize(usages.data());
    }
}
BENCHMARK(BM_GetUsagesKeyboardBitmap);

} // namespace
