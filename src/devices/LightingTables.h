#pragma once
// The constant tables of the lighting primitives. Every device kind and the
// keyboard's lighting engine read them from here.

#include <array>
#include <cstddef>
#include <cstdint>

namespace warden::lighting {

struct Rgb {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};

// Zone level for brightness settings 0-4: the dimmest setting is never dark.
inline constexpr std::array<uint8_t, 5> kBrightnessLevels{30, 80, 135, 195, 255};

// Lighting-thread ticks per effect step for speed settings 0-4.
inline constexpr std::array<uint8_t, 5> kStepPeriods{28, 23, 18, 13, 7};

inline constexpr std::array<uint8_t, 64> kBreathingRise{
    0,   1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  12,  14,  16,  18,  20,
    22,  24,  27,  30,  33,  36,  39,  42,  45,  49,  53,  57,  61,  65,  69,  73,
    77,  81,  85,  89,  94,  99,  104, 109, 114, 119, 124, 129, 134, 140, 146, 152,
    158, 164, 170, 176, 182, 188, 194, 200, 206, 213, 220, 227, 234, 241, 248, 255};

// 128 entries: the rise, then the same values falling.
inline constexpr std::array<uint8_t, 128> kBreathingCurve = [] {
    std::array<uint8_t, 128> curve{};
    for (size_t i = 0; i < 64; ++i) {
        curve[i] = kBreathingRise[i];
        curve[127 - i] = kBreathingRise[i];
    }
    return curve;
}();

inline constexpr std::array<uint8_t, 32> kWheelRise{
    1,  3,  5,  7,  10, 14, 18, 22, 26, 32, 38, 44, 50, 57, 65, 73,
    81, 89, 99, 109, 119, 129, 140, 152, 164, 176, 188, 200, 213, 227, 241, 255};
inline constexpr std::array<uint8_t, 32> kWheelFall{
    248, 234, 220, 206, 194, 182, 170, 158, 146, 134, 124, 114, 104, 94, 85, 77,
    69,  61,  53,  47,  41,  35,  29,  24,  20,  16,  12,  8,   6,   4,  2,  0};

// 193 entries: six segments of 32 around the hue circle, the last repeating
// the first so that colour index 192 is valid.
inline constexpr std::array<Rgb, 193> kColourWheel = [] {
    std::array<Rgb, 193> wheel{};
    for (size_t i = 0; i < 32; ++i) {
        const uint8_t u = kWheelRise[i];
        const uint8_t d = kWheelFall[i];
        wheel[i] = {255, u, 0};
        wheel[32 + i] = {d, 255, 0};
        wheel[64 + i] = {0, 255, u};
        wheel[96 + i] = {0, d, 255};
        wheel[128 + i] = {u, 0, 255};
        wheel[160 + i] = {255, 0, d};
    }
    wheel[192] = wheel[0];
    return wheel;
}();

inline constexpr std::array<Rgb, 4> kFixedColours{
    Rgb{0, 255, 180}, Rgb{0, 255, 0}, Rgb{255, 255, 255}, Rgb{255, 0, 0}};

}  // namespace warden::lighting
