#pragma once
// Profile data of the CM6533 headset: the common keys plus
// "SystemSetStages", the equaliser presets "EQHzValueInfo" and the user's
// custom equalisers "CustomEQNameInfo" / "CustomEQHzValueInfo".

#include <array>
#include <string>
#include <vector>

#include "profiles/BasicProfiledata.h"

namespace warden {

class CHs6533Profiledata : public CBasicProfiledata {
public:
    static constexpr size_t kSystemValueCount = 8;
    using SystemValues = std::array<int, kSystemValueCount>;

    // MagicEnable, MagicType, EqType, CustomEqSeletIndex, MicInSelect,
    // MicInValue, MicMoniterSelect, MicMoniterValue; zeros without
    // "SystemSetStages".
    SystemValues GetSystemSetStages();
    void SetSystemSetStages(const SystemValues& values);

    // The array slot of preset `preset`: 1 for 0, negative numbers and every
    // number above 13; none (-1) for 13; otherwise the number itself.
    static int EqualiserSlot(int preset);

    // The 10 band gains stored for `preset`; absent bands are written as 0.
    // Empty for preset 13 (custom), which has no slot.
    std::vector<int> GetEQValues(int preset);
    // Stores up to 10 band gains for `preset`; nothing for preset 13.
    void SetEQValues(int preset, const std::vector<int>& values);

    std::vector<std::string> GetCustomEQNames();
    // Replaces the whole name list.
    void SetCustomEQNames(const std::vector<std::string>& names);
    // The 10 band gains of custom equaliser `index` (absent bands written as
    // 0); 10 zeros without touching the entry for an impossible index.
    std::vector<int> GetCustomEQValues(int index);
    void SetCustomEQValues(int index, const std::vector<int>& values);

private:
    SystemValues m_systemValues{};
};

}  // namespace warden
