// Costs of the HID layer on the discovery thread's and the readers' paths:
// one enumeration pass over a sysfs tree of N hidraw nodes (repeated every
// 100 ms while a slot is free), and decoding one input report.

#include <benchmark/benchmark.h>

#include "platform/hid/EmulatedHidBackend.h"
#include "platform/hid/FakeHidrawTree.h"
#include "platform/hid/HidTestDescriptors.h"
#include "platform/hid/HidrawBackend.h"
#include "transport/CHidConnection.h"

namespace warden {
namespace {

void FillTree(test::FakeHidrawTree& tree, int64_t nodes) {
    for (int64_t i = 0; i < nodes; ++i) {
        tree.Add({"hidraw" + std::to_string(i), 0x320F, static_cast<uint16_t>(0x2200 + i), 0x0100,
                  static_cast<int>(i % 4),
                  i % 2 == 0 ? test::kMouseInterface1 : test::kBootKeyboard});
    }
}

// Steady state: the nodes were seen on an earlier pass.
void BM_EnumeratePaths(benchmark::State& state) {
    test::FakeHidrawTree tree;
    FillTree(tree, state.range(0));
    ScopedHidBackend scope(std::make_shared<HidrawBackend>(tree.ClassRoot(), tree.DevRoot()));
    CHidConnection connection;
    for (auto _ : state) {
        if (connection.EnumeratePaths() != 1) state.SkipWithError("enumeration failed");
        benchmark::DoNotOptimize(connection.NextPath());
    }
    state.counters["paths"] = connection.PathCount();
}
BENCHMARK(BM_EnumeratePaths)->Arg(64)->Unit(benchmark::kMicrosecond);

// First pass: every node's files are read and its descriptor parsed.
void BM_EnumeratePathsCold(benchmark::State& state) {
    test::FakeHidrawTree tree;
    FillTree(tree, state.range(0));
    for (auto _ : state) {
        HidrawBackend backend(tree.ClassRoot(), tree.DevRoot());
        std::vector<std::string> paths;
        benchmark::DoNotOptimize(backend.EnumerateInterfaces(paths));
    }
}
BENCHMARK(BM_EnumeratePathsCold)->Arg(64)->Unit(benchmark::kMicrosecond);

// A keyboard report with two modifiers and three keys down, decoded into the
// connection's input items.
void BM_DecodeReport(benchmark::State& state) {
    auto backend = std::make_shared<EmulatedHidBackend>();
    ScopedHidBackend scope(backend);
    EmulatedHidInterfaceConfig config;
    config.reportDescriptor = test::kBootKeyboard;
    auto keyboard = backend->Plug(config);
    CHidConnection connection;
    if (connection.Open(keyboard->Paths()[0], 1, 1, 1, 0) != 1) {
        state.SkipWithError("open failed");
        return;
    }
    const uint8_t report[9] = {0, 0x22, 0, 0x04, 0x05, 0x06, 0, 0, 0};
    HidReportItem* items = connection.Items(HidReportType::Input);
    const uint32_t count = connection.ItemCount(HidReportType::Input);
    for (auto _ : state) {
        benchmark::DoNotOptimize(CHidConnection::DecodeReport(
            report, sizeof report, HidReportType::Input, items, count, connection.ParserData()));
    }
}
BENCHMARK(BM_DecodeReport);

}  // namespace
}  // namespace warden
