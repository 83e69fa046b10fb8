#pragma once
// A painter that draws nothing and remembers every call, for tests and
// benchmarks.

#include <string>
#include <vector>

#include "ui/Painter.h"

namespace warden {

class RecordingPainter : public Painter {
public:
    enum class Op {
        FillRect,
        DrawRect,
        DrawLine,
        DrawImage,
        DrawText,
        FillEllipse,
        DrawEllipse,
        FillPie,
        DrawArc,
        FillPolygon,
        PushClip,
        PopClip
    };

    struct Call {
        Op op;
        Rect rect;  // the shape's bounds, the text rectangle or the image destination
        Color color = 0;
        std::string text;
        FontInfo font;
        uint32_t format = 0;
        const NativeImage* image = nullptr;
        ImageDrawParams image_params;
        double start = 0;
        double sweep = 0;
    };

    void FillRect(const Rect& rect, Color color) override;
    void DrawRect(const Rect& rect, int width, Color color) override;
    void DrawLine(Point from, Point to, int width, Color color) override;
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

    const std::vector<Call>& Calls() const { return m_calls; }
    size_t Count(Op op) const;
    // The first DrawText call with exactly `text`, or null.
    const Call* FindText(std::string_view text) const;
    void Clear() { m_calls.clear(); }
    // Clip pushes not yet popped (0 after a balanced paint).
    int ClipDepth() const { return m_clipDepth; }

private:
    std::vector<Call> m_calls;
    int m_clipDepth = 0;
};

}  // namespace warden
