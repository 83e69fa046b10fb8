// Host-side cost of the command channel against the emulated device: the
// real bus allows one frame per USB millisecond, so one exchange of our own
// must stay well below 20 microseconds.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "emulator/CVirtualDevice.h"
#include "platform/Clock.h"
#include "platform/hid/EmulatedHidBackend.h"
#include "transport/CCommandChannel.h"

namespace warden {
namespace {

struct Rig {
    std::shared_ptr<EmulatedHidBackend> backend = std::make_shared<EmulatedHidBackend>();
    ScopedHidBackend scoped{backend};
    std::unique_ptr<CVirtualDevice> device = CVirtualDevice::Plug(*backend, EmulatedKind::Mouse);
    CCommandChannel channel;

    explicit Rig(benchmark::State& state) {
        if (!device || channel.Connect(device->CommandPath()) != 1) {
            state.SkipWithError("emulated mouse could not be opened");
        }
    }
};

void BM_Exchange(benchmark::State& state) {
    Rig rig(state);
    Frame request = MakeFrame(kCmdReadStatus, 6, 0);
    SealFrame(request);
    Frame reply{};
    for (auto _ : state) {
        if (rig.channel.Exchange(request, reply) != kResultOk) {
            state.SkipWithError("exchange failed");
            break;
        }
        benchmark::DoNotOptimize(reply);
    }
    state.counters["exchanges/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Exchange);

// Arg 0: with the real 10 ms pause before EndConfig; arg 1: a manual clock
// takes the pause out, leaving only our own cost.
void BM_MouseSettingsWrite(benchmark::State& state) {
    ManualClock manual;
    std::unique_ptr<ScopedClock> scopedClock;
    if (state.range(0) == 1) scopedClock = std::make_unique<ScopedClock>(manual);
    Rig rig(state);
    const std::vector<uint8_t> block(85, 0x11);
    for (auto _ : state) {
        const int begin = rig.channel.BeginConfig();
        const int write = rig.channel.WriteMemory(block, 0);
        const int end = rig.channel.EndConfig();
        if (begin != kResultOk || write != kResultOk || end != kResultOk) {
            state.SkipWithError("settings write failed");
            break;
        }
    }
}
BENCHMARK(BM_MouseSettingsWrite)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace warden
