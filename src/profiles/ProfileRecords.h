#pragma once
// The records that profile data exchanges with the device kinds and panels.

#include <cstdint>
#include <string>

namespace warden {

// Current lighting of a profile. Crosses object boundaries as three words:
// word 1 = SelectItem, Light, Speed, Fx; word 2 = MultiColor, Red, Green, Blue;
// word 3 = LogoSelectItem and the two further bytes (bits 0-7, 8-15, ...).
struct LightInfoRecord {
    uint8_t selectItem = 0;
    uint8_t light = 0;
    uint8_t speed = 0;
    uint8_t fx = 0;
    uint8_t multiColor = 0;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t logoSelectItem = 0;
    uint8_t extra1 = 0;  // not stored in the file
    uint8_t extra2 = 0;  // not stored in the file

    static LightInfoRecord FromWords(uint32_t word1, uint32_t word2, uint32_t word3);
    uint32_t Word1() const;
    uint32_t Word2() const;
    uint32_t Word3() const;
    bool operator==(const LightInfoRecord&) const = default;
};

// One "LightList" element; `present` is 0 for a null element (all else 0).
struct LightZoneRecord {
    uint8_t mode = 0;
    uint8_t brightness = 0;
    uint8_t speed = 0;
    uint8_t direction = 0;
    uint8_t multiColor = 0;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t present = 0;
    bool operator==(const LightZoneRecord&) const = default;
};

// One "KeyList" element: current and default assignment as code bytes.
struct KeyAssignmentRecord {
    uint16_t keyIndex = 0;
    uint8_t kind = 0;
    uint8_t high = 0;
    uint8_t low = 0;
    uint16_t defaultKeyIndex = 0;
    uint8_t defaultKind = 0;
    uint8_t defaultHigh = 0;
    uint8_t defaultLow = 0;

    uint32_t Assignment() const { return (uint32_t{kind} << 16) | (uint32_t{high} << 8) | low; }
    uint32_t DefaultAssignment() const {
        return (uint32_t{defaultKind} << 16) | (uint32_t{defaultHigh} << 8) | defaultLow;
    }
    bool operator==(const KeyAssignmentRecord&) const = default;
};

// One "StageDPIs" element; X and Y are slider positions, not resolutions.
struct DPIStageRecord {
    uint8_t enable = 0;
    uint8_t xy = 0;
    uint16_t dpiX = 0;
    uint16_t dpiY = 0;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const DPIStageRecord&) const = default;
};

// One "CorrectInfo" element: a named correction preset of the mouse sensor.
struct CorrectRecord {
    uint8_t pixThresh = 0;
    uint8_t minSq = 0;
    uint8_t select = 0;
    std::string name;  // UTF-8
    bool operator==(const CorrectRecord&) const = default;
};

struct ColorRGBA {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 0;
    bool operator==(const ColorRGBA&) const = default;
};

// One step of a custom light effect (a ".light" file's "LEDEffectList").
struct LightEffectStep {
    uint8_t mode = 0;
    uint8_t brightness = 0;
    uint8_t speed = 0;
    uint8_t direction = 0;
    uint8_t multiColor = 0;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint32_t time = 0;
    uint32_t cyle = 0;
    bool operator==(const LightEffectStep&) const = default;
};

// Two 16-bit values in one word, low half first: the system stage words.
inline constexpr uint32_t PackHalves(uint32_t low, uint32_t high) {
    return ((high & 0xFFFFu) << 16) | (low & 0xFFFFu);
}
inline constexpr uint16_t LowHalf(uint32_t word) {
    return static_cast<uint16_t>(word & 0xFFFFu);
}
inline constexpr uint16_t HighHalf(uint32_t word) {
    return static_cast<uint16_t>(word >> 16);
}

}  // namespace warden
