// Transactions per second through the virtual backend: the cost of the host side (DeviceLink,
// HidChannel) plus the virtual bus and firmware, with and without a full-speed bus latency.
#include "core/protocol/device_link.h"
#include "sim/device_layout.h"
#include "sim/simulation.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

namespace {

using namespace v38;
using namespace v38::sim;

struct Bench {
    std::shared_ptr<VirtualHidBackend> backend =
        makeSimulation({Identity::Keyboard, Identity::KeyboardReceiver});
    DeviceLink link{backend};

    Bench(Identity identity, std::chrono::microseconds latency) {
        backend->setLatency(latency);
        bool receiver = isReceiver(identity);
        HidChannel& channel = receiver ? link.receiverChannel() : link.wiredChannel();
        link.setOpen(channel.open(commandPath(identity), true, true, true, false));
        link.setMode(receiver ? 2 : 1);
    }
};

// One 56-byte settings read on the cable: a single request/answer exchange.
void BM_WiredSettingsRead56(benchmark::State& state) {
    Bench bench(Identity::Keyboard, std::chrono::microseconds(state.range(0)));
    uint8_t data[56];
    for (auto _ : state) {
        if (bench.link.readSettings(data, sizeof data, 0) != kLinkOk)
            state.SkipWithError("transaction failed");
        benchmark::DoNotOptimize(data);
        bench.backend->wireLog().clear();
    }
    state.SetItemsProcessed(state.iterations()); // transactions
}
BENCHMARK(BM_WiredSettingsRead56)->Arg(0)->Arg(1000)->ArgName("latency_us")->UseRealTime();

// A 512-byte key table write: 10 packets on the cable, 22 through the receiver.
void BM_KeyTableWrite512(benchmark::State& state) {
    Identity identity = state.range(0) ? Identity::KeyboardReceiver : Identity::Keyboard;
    Bench bench(identity, std::chrono::microseconds(state.range(1)));
    std::vector<uint8_t> table(512);
    for (size_t i = 0; i < table.size(); ++i)
        table[i] = static_cast<uint8_t>(i);
    int64_t packets = identity == Identity::Keyboard ? 10 : 22;
    for (auto _ : state) {
        if (bench.link.writeKeyTable(table.data(), 0) != kLinkOk)
            state.SkipWithError("key table write failed");
        bench.backend->wireLog().clear();
    }
    state.SetItemsProcessed(state.iterations() * packets); // transactions
    state.counters["writes/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_KeyTableWrite512)
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1000})
    ->Args({1, 1000})
    ->ArgNames({"receiver", "latency_us"})
    ->UseRealTime();

} // namespace
