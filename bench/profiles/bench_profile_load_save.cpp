// One profile change as the keyboard page makes it: load the profile, change
// one key, save the whole file.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>

#include "profiles/KeyboardProfiledata.h"

namespace {

namespace fs = std::filesystem;

void BM_ProfileLoadSave(benchmark::State& state) {
    std::string pattern = (fs::temp_directory_path() / "warden-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const fs::path folder = pattern;
    const fs::path defaults = fs::path(WARDEN_SOURCE_DIR) / "data/DefaultData/keyboard.Json";
    const fs::path profile = folder / "2026_01_01_00_00_00_000.Json";
    fs::copy_file(defaults, profile);

    warden::CKeyboardProfiledata data;
    data.SetDefaultPath(defaults);
    data.SetProfilePath(profile);
    uint8_t low = 0;
    for (auto _ : state) {
        data.LoadProfile(profile);
        auto keys = data.GetKeyList();
        keys[64].low = ++low;
        data.SetKeyList(keys);
        data.Save();
    }
    fs::remove_all(folder);
}
BENCHMARK(BM_ProfileLoadSave)->Unit(benchmark::kMicrosecond);

}  // namespace
