#pragma once
// The program's private fonts, in load order (removed in reverse).

#include <array>

namespace warden {

inline constexpr std::array<const char*, 4> kFontFiles = {
    "Font\\Simplified_Chinese.ttf",
    "Font\\Solvanta-Regular.otf",
    "Font\\NotoSansThai-Regular.ttf",
    "Font\\NotoSansCJKtc-Regular.otf",
};

}  // namespace warden
