// Cost of one capture cycle on virtual devices: the presence test alone (every row claimed) and a
// full scan (a row free, so the interfaces are listed and the candidates opened).
#include "core/devices/capture_thread.h"
#include "sim/simulation.h"

#include <benchmark/benchmark.h>

namespace {

using namespace v38;
using namespace v38::sim;

class NullWindow : public MessageSink {
public:
    void post(uint32_t, uintptr_t, intptr_t) override {}
    intptr_t send(uint32_t, uintptr_t, intptr_t) override { return 0; }
};

// Keyboard and mouse on both routes, pad and headset: all eleven rows claimed after the first cycle.
void BM_CapturePresenceTest(benchmark::State& state) {
    auto backend = makeSimulation({Identity::Keyboard, Identity::KeyboardReceiver, Identity::Mouse,
                                   Identity::MouseReceiver, Identity::MousePad, Identity::Headset});
    InterfaceTable table;
    NullWindow window;
    CaptureThread capture(table, window, backend);
    capture.scanStep();
    if (table.hasFreeRow())
        state.SkipWithError("rows left free");
    for (auto _ : state)
        capture.scanStep();
}
BENCHMARK(BM_CapturePresenceTest)->Unit(benchmark::kMicrosecond);

// The usual desktop: keyboard and mouse receiver only, so rows stay free and every cycle scans.
void BM_CaptureFullScan(benchmark::State& state) {
    auto backend = makeSimulation({Identity::Keyboard, Identity::MouseReceiver});
    InterfaceTable table;
    NullWindow window;
    CaptureThread capture(table, window, backend);
    capture.scanStep();
    for (auto _ : state)
        capture.scanStep();
}
BENCHMARK(BM_CaptureFullScan)->Unit(benchmark::kMicrosecond);

} // namespace
