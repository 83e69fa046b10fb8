#pragma once
// The UI library's painter on a QPainter: crisp rectangles and lines,
// anti-aliased shapes, skin pictures with source rectangles, nine-grid
// corners, tiling, fade, colour masks and tints, and text in the font
// table's faces.

#include <QPainter>
#include <span>

#include "ui/Painter.h"

namespace warden {

class QtPainter : public Painter {
public:
    // Draws on `painter`, which must stay active while this object is used.
    explicit QtPainter(QPainter& painter);
    ~QtPainter() override;

    void FillRect(const Rect& rect, Color color) override;
    void DrawRect(const Rect& rect, int width, Color color) override;
    void DrawLine(Point from, Point to, int width, Color color) override;
    // Pictures not made by the Qt host are ignored.
    void DrawImage(const NativeImage& image, const ImageDrawParams& params) override;
    void DrawText(const Rect& rect, std::string_view text, const FontInfo& font, Color color,
                  uint32_t format) override;
    void FillEllipse(const Rect& bounds, Color color) override;
    void DrawEllipse(const Rect& bounds, int width, Color color) override;
    void FillPie(const Rect& bounds, double startDeg, double sweepDeg, Color color) override;
    void DrawArc(const Rect& bounds, double startDeg, double sweepDeg, int width,
                 Color color) override;
    void FillPolygon(std::span<const Point> points, Color color) override;
    void PushClip(const Rect& rect) override;
    void PopClip() override;

private:
    void DrawPart(const QImage& pixels, const QRectF& dest, const QRectF& source, bool xTiled,
                  bool yTiled);

    QPainter& m_painter;
    int m_clipDepth = 0;
};

}  // namespace warden
