#pragma once
// The paint manager's font table and the face that goes with each language.

#include <array>
#include <string_view>

namespace warden::mainwnd {

struct FontRow {
    int id;  // -1: the default font
    int size;
    bool bold;
    bool underline;
};

inline constexpr std::array<FontRow, 14> kFontTable = {{
    {-1, 15, false, false},
    {0, 15, false, false},
    {1, 14, false, true},
    {2, 18, false, false},
    {3, 30, false, false},
    {4, 16, false, false},
    {5, 20, false, false},
    {6, 22, false, false},
    {7, 14, false, false},
    {8, 12, false, false},
    {9, 11, false, false},
    {10, 10, false, false},
    {11, 28, false, false},
    {50, 18, true, false},
}};

struct LanguageFace {
    int languageIndex;
    std::string_view face;
};

inline constexpr std::array<LanguageFace, 4> kLanguageFaces = {{
    {0, "汉仪菱心体简"},
    {1, "Solvanta"},
    {2, "Noto Sans CJK TC Regular"},
    {15, "Noto Sans Thai"},
}};
inline constexpr std::string_view kOtherLanguageFace = "Verdana Unicode MS";

}  // namespace warden::mainwnd
