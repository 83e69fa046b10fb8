#pragma once
// Parsers for attribute values. Each returns nothing for a malformed value,
// so that a bad attribute is ignored instead of applied half-way.

#include <optional>
#include <string>
#include <string_view>

#include "ui/Geometry.h"

namespace warden {

// "#AARRGGBB", "#RRGGBB" (opaque), "0xAARRGGBB" or a decimal number.
std::optional<Color> ParseColor(std::string_view text);
// A decimal integer, optionally signed, with surrounding blanks.
std::optional<int> ParseInt(std::string_view text);
// "true"/"false" (any case); anything else is malformed.
std::optional<bool> ParseBool(std::string_view text);
// "l,t,r,b" (four integers).
std::optional<Rect> ParseRect(std::string_view text);
// "cx,cy".
std::optional<Size> ParseSize(std::string_view text);

// An image string parsed: either a bare file name or the pieces
// file='...' / res='...' restype='...' dest='l,t,r,b' source='l,t,r,b'
// corner='l,t,r,b' mask='#AARRGGBB' fade='n' hole='true' xtiled='true'
// ytiled='true' hsl='true'. Unknown pieces are ignored.
struct TDrawInfo {
    std::string sDrawString;
    std::string sImageName;
    std::string sResType;
    Rect rcDest;
    bool bHasDest = false;
    Rect rcSource;
    Rect rcCorner;
    Color dwMask = 0;
    bool bHasMask = false;
    uint8_t uFade = 255;
    bool bHole = false;
    bool bTiledX = false;
    bool bTiledY = false;
    bool bHSL = false;
};

// Empty image name when the string names no picture (then nothing is drawn).
TDrawInfo ParseImageString(std::string_view text);

}  // namespace warden
