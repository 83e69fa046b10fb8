#pragma once
// Conversions between the UI library's plain values and Qt's.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <string_view>

#include "ui/Geometry.h"
#include "ui/Painter.h"

namespace warden {

inline QRect ToQRect(const Rect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}
inline Rect FromQRect(const QRect& r) {
    return {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
}

// 0xAARRGGBB to QColor.
inline QColor ToQColor(Color c) {
    return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF, (c >> 24) & 0xFF);
}

inline QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Sizes are pixels; an empty face keeps the application's default family.
inline QFont ToQFont(const FontInfo& info) {
    QFont font;
    if (!info.face.empty()) font.setFamily(ToQString(info.face));
    font.setPixelSize(info.size > 0 ? info.size : 12);
    font.setBold(info.bold);
    font.setUnderline(info.underline);
    font.setItalic(info.italic);
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

}  // namespace warden
