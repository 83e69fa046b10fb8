#include "ui/testhost/RecordingPainter.h"

#include <algorithm>

namespace warden {
namespace {

RecordingPainter::Call MakeCall(RecordingPainter::Op op, const Rect& rect, Color color = 0) {
    RecordingPainter::Call call;
    call.op = op;
    call.rect = rect;
    call.color = color;
    return call;
}

}  // namespace

void RecordingPainter::FillRect(const Rect& rect, Color color) {
    m_calls.push_back(MakeCall(Op::FillRect, rect, color));
}

void RecordingPainter::DrawRect(const Rect& rect, int, Color color) {
    m_calls.push_back(MakeCall(Op::DrawRect, rect, color));
}

void RecordingPainter::DrawLine(Point from, Point to, int, Color color) {
    m_calls.push_back(MakeCall(Op::DrawLine, {from.x, from.y, to.x, to.y}, color));
}

void RecordingPainter::DrawImage(const NativeImage& image, const ImageDrawParams& params) {
    Call call = MakeCall(Op::DrawImage, params.dest);
    call.image = &image;
    call.image_params = params;
    m_calls.push_back(std::move(call));
}

void RecordingPainter::DrawText(const Rect& rect, std::string_view text, const FontInfo& font,
                                Color color, uint32_t format) {
    Call call = MakeCall(Op::DrawText, rect, color);
    call.text = text;
    call.font = font;
    call.format = format;
    m_calls.push_back(std::move(call));
}

void RecordingPainter::FillEllipse(const Rect& bounds, Color color) {
    m_calls.push_back(MakeCall(Op::FillEllipse, bounds, color));
}

void RecordingPainter::DrawEllipse(const Rect& bounds, int, Color color) {
    m_calls.push_back(MakeCall(Op::DrawEllipse, bounds, color));
}

void RecordingPainter::FillPie(const Rect& bounds, double startDeg, double sweepDeg, Color color) {
    Call call = MakeCall(Op::FillPie, bounds, color);
    call.start = startDeg;
    call.sweep = sweepDeg;
    m_calls.push_back(std::move(call));
}

void RecordingPainter::DrawArc(const Rect& bounds, double startDeg, double sweepDeg, int,
                               Color color) {
    Call call = MakeCall(Op::DrawArc, bounds, color);
    call.start = startDeg;
    call.sweep = sweepDeg;
    m_calls.push_back(std::move(call));
}

void RecordingPainter::FillPolygon(std::span<const Point> points, Color color) {
    Rect bounds;
    if (!points.empty()) bounds = {points[0].x, points[0].y, points[0].x, points[0].y};
    for (Point p : points)
        bounds = {std::min(bounds.left, p.x), std::min(bounds.top, p.y),
                  std::max(bounds.right, p.x), std::max(bounds.bottom, p.y)};
    m_calls.push_back(MakeCall(Op::FillPolygon, bounds, color));
}

void RecordingPainter::PushClip(const Rect& rect) {
    ++m_clipDepth;
    m_calls.push_back(MakeCall(Op::PushClip, rect));
}

void RecordingPainter::PopClip() {
    --m_clipDepth;
    m_calls.push_back(MakeCall(Op::PopClip, {}));
}

size_t RecordingPainter::Count(Op op) const {
    return static_cast<size_t>(
        std::count_if(m_calls.begin(), m_calls.end(), [op](const Call& c) { return c.op == op; }));
}

const RecordingPainter::Call* RecordingPainter::FindText(std::string_view text) const {
    for (const Call& call : m_calls)
        if (call.op == Op::DrawText && call.text == text) return &call;
    return nullptr;
}

}  // namespace warden
