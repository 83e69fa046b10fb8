#include "ui/AttributeParse.h"

#include <charconv>
#include <vector>

#include "platform/Text.h"

namespace warden {
namespace {

std::string_view Trim(std::string_view t) {
    while (!t.empty() &&
           (t.front() == ' ' || t.front() == '\t' || t.front() == '\n' || t.front() == '\r'))
        t.remove_prefix(1);
    while (!t.empty() &&
           (t.back() == ' ' || t.back() == '\t' || t.back() == '\n' || t.back() == '\r'))
        t.remove_suffix(1);
    return t;
}

std::optional<std::vector<int>> ParseInts(std::string_view text, size_t count) {
    std::vector<int> values;
    size_t start = 0;
    while (values.size() < count) {
        size_t comma = text.find(',', start);
        std::string_view part = text.substr(
            start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
        auto value = ParseInt(part);
        if (!value) return std::nullopt;
        values.push_back(*value);
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    if (values.size() != count) return std::nullopt;
    return values;
}

}  // namespace

std::optional<int> ParseInt(std::string_view text) {
    text = Trim(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

std::optional<Color> ParseColor(std::string_view text) {
    text = Trim(text);
    int base = 10;
    bool shortForm = false;
    if (!text.empty() && text.front() == '#') {
        text.remove_prefix(1);
        base = 16;
        shortForm = text.size() == 6;
    } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    if (text.empty() || text.size() > 10) return std::nullopt;
    uint64_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (ec != std::errc() || end != text.data() + text.size() || value > 0xFFFFFFFFull)
        return std::nullopt;
    auto color = static_cast<Color>(value);
    if (shortForm) color |= 0xFF000000u;
    return color;
}

std::optional<bool> ParseBool(std::string_view text) {
    text = Trim(text);
    if (EqualsNoCase(text, "true")) return true;
    if (EqualsNoCase(text, "false")) return false;
    return std::nullopt;
}

std::optional<Rect> ParseRect(std::string_view text) {
    auto v = ParseInts(text, 4);
    if (!v) return std::nullopt;
    return Rect{(*v)[0], (*v)[1], (*v)[2], (*v)[3]};
}

std::optional<Size> ParseSize(std::string_view text) {
    auto v = ParseInts(text, 2);
    if (!v) return std::nullopt;
    return Size{(*v)[0], (*v)[1]};
}

TDrawInfo ParseImageString(std::string_view text) {
    TDrawInfo info;
    info.sDrawString = std::string(text);
    std::string_view rest = Trim(text);
    if (rest.find('=') == std::string_view::npos) {
        info.sImageName = std::string(rest);
        return info;
    }
    while (!rest.empty()) {
        size_t eq = rest.find('=');
        if (eq == std::string_view::npos) break;
        std::string key = ToLowerAscii(Trim(rest.substr(0, eq)));
        rest = rest.substr(eq + 1);
        if (rest.empty() || (rest.front() != '\'' && rest.front() != '"')) break;
        char quote = rest.front();
        size_t close = rest.find(quote, 1);
        if (close == std::string_view::npos) break;
        std::string_view value = rest.substr(1, close - 1);
        rest = Trim(rest.substr(close + 1));
        if (key == "file" || key == "res") {
            info.sImageName = std::string(value);
        } else if (key == "restype") {
            info.sResType = std::string(value);
        } else if (key == "dest") {
            if (auto r = ParseRect(value)) {
                info.rcDest = *r;
                info.bHasDest = true;
            }
        } else if (key == "source") {
            if (auto r = ParseRect(value)) info.rcSource = *r;
        } else if (key == "corner") {
            if (auto r = ParseRect(value)) info.rcCorner = *r;
        } else if (key == "mask") {
            if (auto c = ParseColor(value)) {
                info.dwMask = *c;
                info.bHasMask = true;
            }
        } else if (key == "fade") {
            if (auto f = ParseInt(value); f && *f >= 0 && *f <= 255)
                info.uFade = static_cast<uint8_t>(*f);
        } else if (key == "hole") {
            info.bHole = ParseBool(value).value_or(false);
        } else if (key == "xtiled") {
            info.bTiledX = ParseBool(value).value_or(false);
        } else if (key == "ytiled") {
            info.bTiledY = ParseBool(value).value_or(false);
        } else if (key == "hsl") {
            info.bHSL = ParseBool(value).value_or(false);
        }
    }
    return info;
}

}  // namespace warden
