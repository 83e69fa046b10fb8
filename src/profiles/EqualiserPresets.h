#pragma once
// Band gains of the headset's twelve equaliser presets, band 1 first.
// Preset n (1 to 12) is row n - 1.

#include <array>
#include <cstddef>

namespace warden {

inline constexpr size_t kEqualiserBandCount = 10;
inline constexpr int kEqualiserPresetCount = 12;
// The preset number that stands for "a custom equaliser is in effect".
inline constexpr int kCustomEqualiserPreset = 13;

using EqualiserBands = std::array<int, kEqualiserBandCount>;

inline constexpr std::array<EqualiserBands, kEqualiserPresetCount> kEqualiserPresets = {{
    {7, 11, 2, -3, -1, 4, 9, 12, 9, 5},     // 1
    {7, 11, 6, -3, -11, -1, 6, 13, 6, 13},  // 2
    {10, 4, 0, -3, -4, -3, -2, -1, 0, 0},   // 3
    {2, 1, -2, -3, -5, -7, 0, 4, 9, 8},     // 4
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},         // 5
    {7, 14, -13, -6, -1, 8, 13, 7, 2, 6},   // 6
    {14, 10, 4, 0, -4, -3, -1, 1, 2, 3},    // 7
    {2, 1, -2, -3, -5, -1, 7, 11, 15, 13},  // 8
    {8, 2, -4, -8, 1, 3, 8, 11, 14, 16},    // 9
    {-3, 4, 10, 0, -11, 3, 9, 13, 6, 0},    // 10
    {18, 14, 8, 2, -3, -6, -1, 2, 5, 6},    // 11
    {2, 1, -2, -4, -8, 4, 12, 16, 18, 15},  // 12
}};

}  // namespace warden
