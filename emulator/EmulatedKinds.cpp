#include "emulator/EmulatedKinds.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "platform/Text.h"

namespace warden {

namespace {

constexpr std::array<EmulatedKind, 4> kPlugOrder{EmulatedKind::Keyboard, EmulatedKind::Mouse,
                                                 EmulatedKind::MousePad, EmulatedKind::Headset};

std::string Normalise(std::string_view word) {
    while (!word.empty() && std::isspace(static_cast<unsigned char>(word.front()))) {
        word.remove_prefix(1);
    }
    while (!word.empty() && std::isspace(static_cast<unsigned char>(word.back()))) {
        word.remove_suffix(1);
    }
    return ToLowerAscii(word);
}

}  // namespace

std::string_view EmulatedKindName(EmulatedKind kind) {
    switch (kind) {
        case EmulatedKind::Keyboard:
            return "keyboard";
        case EmulatedKind::Mouse:
            return "mouse";
        case EmulatedKind::MousePad:
            return "mousepad";
        case EmulatedKind::Headset:
            return "headset";
    }
    return "";
}

std::optional<std::vector<EmulatedKind>> ParseEmulatedKinds(std::string_view text,
                                                            std::string* error) {
    std::array<bool, kPlugOrder.size()> wanted{};
    bool any = false;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t comma = std::min(text.find(',', start), text.size());
        const std::string word = Normalise(text.substr(start, comma - start));
        start = comma + 1;
        if (word.empty()) continue;
        bool known = false;
        for (size_t i = 0; i < kPlugOrder.size(); ++i) {
            if (word == "all" || word == EmulatedKindName(kPlugOrder[i])) {
                wanted[i] = true;
                known = true;
            }
        }
        if (!known) {
            if (error) {
                *error = "--emulate: unknown device kind \"" + word +
                         "\" (expected mouse, keyboard, mousepad, headset or all)";
            }
            return std::nullopt;
        }
        any = true;
    }
    if (!any) {
        if (error)
            *error = "--emulate: no device kind given (mouse, keyboard, mousepad, headset or all)";
        return std::nullopt;
    }
    std::vector<EmulatedKind> kinds;
    for (size_t i = 0; i < kPlugOrder.size(); ++i) {
        if (wanted[i]) kinds.push_back(kPlugOrder[i]);
    }
    return kinds;
}

}  // namespace warden
