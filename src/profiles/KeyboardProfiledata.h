#pragma once
// Profile data of a keyboard: the common keys plus "SystemStages" (repeat,
// roll-over, polling rate, key locks) and "CustomLightMode" (per-key colour
// groups).

#include <array>
#include <vector>

#include "profiles/BasicProfiledata.h"

namespace warden {

class CKeyboardProfiledata : public CBasicProfiledata {
public:
    // Word 1 = Repeat, RepeatDelay; word 2 = Key6Flag, PollingRate; word 3 =
    // WFlag, WinFlag (low half first). All 0 without "SystemStages".
    std::array<uint32_t, 3> GetSystemStages();
    void SetSystemStages(uint32_t word1, uint32_t word2, uint32_t word3);

    // `count` colours of custom group `group`; absent colours (and a whole
    // absent group) are written into the entry as zeros. A negative or
    // implausible group gives zeros without touching the entry.
    std::vector<ColorRGBA> GetCustomColors(int group, int count);
    void SetCustomColors(const std::vector<ColorRGBA>& colors, int group);
    // The selected custom group; 0 when none is stored.
    int GetCustomGroupIndex();
    void SetCustomGroupIndex(int index);

private:
    std::array<uint32_t, 3> m_systemWords{};
    std::vector<ColorRGBA> m_customColors;
    int m_customGroupIndex = 0;
};

}  // namespace warden
