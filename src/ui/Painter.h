#pragma once
// The only way the UI library draws. The Qt host implements it with
// QPainter; tests use the recording painter of the test host.

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "ui/Geometry.h"

namespace warden {

// Text layout flags; values as Win32's DT_* so that attribute numbers carry over.
inline constexpr uint32_t kDtLeft = 0x0000;
inline constexpr uint32_t kDtCenter = 0x0001;
inline constexpr uint32_t kDtRight = 0x0002;
inline constexpr uint32_t kDtVCenter = 0x0004;
inline constexpr uint32_t kDtBottom = 0x0008;
inline constexpr uint32_t kDtWordBreak = 0x0010;
inline constexpr uint32_t kDtSingleLine = 0x0020;
inline constexpr uint32_t kDtNoPrefix = 0x0800;
inline constexpr uint32_t kDtEndEllipsis = 0x8000;

// One entry of a paint manager's font table. Size is in pixels, already
// scaled to the window's DPI.
struct FontInfo {
    std::string face;
    int size = 12;
    bool bold = false;
    bool underline = false;
    bool italic = false;
    friend bool operator==(const FontInfo&, const FontInfo&) = default;
};

// A decoded picture owned by the host (QImage in the Qt host). Shared by the
// image cache and whoever draws it.
class NativeImage {
public:
    virtual ~NativeImage() = default;
    virtual Size GetSize() const = 0;
    // True when the picture has an alpha channel.
    virtual bool HasAlpha() const = 0;
};
using NativeImagePtr = std::shared_ptr<const NativeImage>;

// How one image is drawn; built from an image string ("file='a.png'
// source='0,0,10,10' corner='2,2,2,2' fade='128'").
struct ImageDrawParams {
    Rect dest;            // window coordinates
    Rect source;          // picture coordinates; empty = the whole picture
    Rect corner;          // nine-grid margins kept unscaled (left, top, right, bottom)
    uint8_t fade = 255;   // overall opacity
    bool hole = false;    // with corners: leave the centre undrawn
    bool xTiled = false;  // tile the centre horizontally instead of stretching
    bool yTiled = false;
    bool useMask = false;  // draw pixels of colour `mask` as transparent
    Color mask = 0;
    // Tint for light previews: when `tintOn`, the picture's shape is drawn in
    // `tint` (0x00BBGGRR, red in the low byte) at opacity `tintLevel`/255.
    bool tintOn = false;
    uint32_t tint = 0;
    uint32_t tintLevel = 255;
};

class Painter {
public:
    virtual ~Painter() = default;

    virtual void FillRect(const Rect& rect, Color color) = 0;
    // An outline `width` pixels wide drawn inside `rect`.
    virtual void DrawRect(const Rect& rect, int width, Color color) = 0;
    virtual void DrawLine(Point from, Point to, int width, Color color) = 0;
    virtual void DrawImage(const NativeImage& image, const ImageDrawParams& params) = 0;
    // `format` is a combination of kDt* flags; `font` already DPI-scaled.
    virtual void DrawText(const Rect& rect, std::string_view text, const FontInfo& font,
                          Color color, uint32_t format) = 0;
    // Anti-aliased shapes (charts, gauges, colour wheel).
    virtual void FillEllipse(const Rect& bounds, Color color) = 0;
    virtual void DrawEllipse(const Rect& bounds, int width, Color color) = 0;
    // Angles in degrees, 0 at three o'clock, positive sweep clockwise.
    virtual void FillPie(const Rect& bounds, double startDeg, double sweepDeg, Color color) = 0;
    virtual void DrawArc(const Rect& bounds, double startDeg, double sweepDeg, int width,
                         Color color) = 0;
    virtual void FillPolygon(std::span<const Point> points, Color color) = 0;

    // Clipping is a stack: PushClip intersects with the current clip.
    virtual void PushClip(const Rect& rect) = 0;
    virtual void PopClip() = 0;
};

}  // namespace warden
