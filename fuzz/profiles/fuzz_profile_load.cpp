// Arbitrary bytes as profile, default profile and light configuration: every
// kind loads them, runs every getter and saves. Nothing may crash or throw.

#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "profiles/Hs6533Profiledata.h"
#include "profiles/KeyboardProfiledata.h"
#include "profiles/MouseProfiledata.h"

namespace {

namespace fs = std::filesystem;

const fs::path& Folder() {
    static const fs::path folder = [] {
        std::string pattern = (fs::temp_directory_path() / "warden-fuzz-XXXXXX").string();
        return fs::path(mkdtemp(pattern.data()) != nullptr ? pattern : "/tmp");
    }();
    return folder;
}

void Write(const fs::path& path, const uint8_t* data, size_t size) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data), size);
}

void Exercise(warden::CBasicProfiledata& data, const fs::path& profile) {
    data.SetDefaultPath(Folder() / "default.Json");
    data.SetProfilePath(profile);
    data.SetBuiltInEffectCount(9);
    data.LoadProfile(profile);
    data.LoadLightConfig(Folder() / "tavix_light.config");
    const warden::LightInfoRecord info = data.GetLightInfo();
    data.GetLightList();
    data.GetEffectSteps();
    auto keys = data.GetKeyList();
    data.SetKeyList(keys);
    data.SetLightInfo(info.Word1(), info.Word2(), info.Word3());
}

void ExerciseKinds(const fs::path& profile) {
    warden::CKeyboardProfiledata keyboard;
    Exercise(keyboard, profile);
    const auto words = keyboard.GetSystemStages();
    keyboard.SetSystemStages(words[0], words[1], words[2]);
    const int group = keyboard.GetCustomGroupIndex();
    keyboard.SetCustomColors(keyboard.GetCustomColors(group, 126), group);
    keyboard.Save();

    warden::CMouseProfiledata mouse;
    Exercise(mouse, profile);
    mouse.SetDPIStages(mouse.GetDPIStages());
    mouse.SetActiveStage(mouse.GetActiveStage());
    const auto mouseWords = mouse.GetSystemStages();
    mouse.SetSystemStages(mouseWords[0], mouseWords[1], mouseWords[2]);
    mouse.GetCorrectInfo();
    mouse.Save();

    warden::CHs6533Profiledata headset;
    Exercise(headset, profile);
    const auto values = headset.GetSystemSetStages();
    headset.SetSystemSetStages(values);
    for (int preset = 0; preset <= 14; ++preset)
        headset.SetEQValues(preset, headset.GetEQValues(preset));
    headset.SetCustomEQNames(headset.GetCustomEQNames());
    headset.SetCustomEQValues(values[3], headset.GetCustomEQValues(values[3]));
    headset.Save();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fs::path& folder = Folder();
    const fs::path profile = folder / "p.Json";
    Write(profile, data, size);
    Write(folder / "default.Json", data, size);
    Write(folder / "tavix_light.config", data, size);
    ExerciseKinds(profile);
    std::error_code ignored;
    for (const auto& item : fs::directory_iterator(folder, ignored))
        fs::remove(item.path(), ignored);
    return 0;
}
