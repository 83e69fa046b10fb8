#pragma once
// The effect state of one device and the primitives that compute a frame of
// zone colours from it. Written by the lighting thread, read by the UI
// thread's preview and stream: the zone array is fixed in size after
// SetZoneCount and nothing is allocated per step.

#include <array>
#include <cstdint>
#include <vector>

#include "devices/LightingTables.h"
#include "profiles/ProfileRecords.h"

namespace warden {

// One zone's computed colour: three colour bytes (red, green, blue) and a level.
// Aligned as a word so that a zone moves between threads in one access.
struct alignas(4) ZoneColour {
    uint8_t c1 = 0;
    uint8_t c2 = 0;
    uint8_t c3 = 0;
    uint8_t level = 0;

    // The four bytes as one word, byte 1 lowest.
    uint32_t Packed() const {
        return c1 | (uint32_t{c2} << 8) | (uint32_t{c3} << 16) | (uint32_t{level} << 24);
    }
    static ZoneColour FromPacked(uint32_t word) {
        return {static_cast<uint8_t>(word), static_cast<uint8_t>(word >> 8),
                static_cast<uint8_t>(word >> 16), static_cast<uint8_t>(word >> 24)};
    }
};

class LightingEngine {
public:
    static constexpr size_t kReactiveKeys = 126;
    static constexpr size_t kRippleLength = 23;

    // Resizes the frame and zeroes every zone colour.
    void SetZoneCount(size_t count);
    size_t ZoneCount() const { return m_zones.size(); }

    LightInfoRecord& Settings() { return m_settings; }
    const LightInfoRecord& Settings() const { return m_settings; }

    // Zone access, from any thread once the count is set; an index outside
    // the frame is ignored (Get gives 0, Zone all zeros).
    void SetZoneColour(size_t zone, uint32_t packed);
    uint32_t GetZoneColour(size_t zone) const;
    ZoneColour Zone(size_t zone) const;

    // Lighting-thread ticks per step at the current speed.
    uint32_t StepPeriod() const;

    void StepBreathing();
    void StepBreathingFour();
    void StepStatic();
    void StepSpectrum();
    void StepFlash();
    void StepFlashFour();
    void StepOff();

    // Reactive state of the keyboard's key effects.
    void FadeKey(size_t key, bool modeFlag);
    void LightPressedKeys();
    void ShiftRipple(bool direction);
    void ClearReactive();

    uint8_t Phase() const { return m_phase; }
    uint8_t ColourIndex() const { return m_colourIndex; }
    bool BlinkOn() const { return m_blinkState != 0; }
    std::array<uint8_t, kReactiveKeys>& KeyIntensities() { return m_keyIntensity; }
    std::array<uint8_t, kReactiveKeys>& KeyColourIndices() { return m_keyColourIndex; }
    std::array<uint8_t, kRippleLength>& Ripple() { return m_ripple; }

private:
    void AdvancePhase(uint8_t limit);
    void Breathe(uint8_t indexStep, uint8_t indexLimit, bool fixedColours);
    void Flash(uint8_t indexStep, uint8_t indexLimit, bool fixedColours);
    lighting::Rgb CurrentColour(bool fixedColours) const;
    uint8_t BrightnessLevel() const;
    void Fill(lighting::Rgb colour, uint8_t level);

    LightInfoRecord m_settings;
    std::vector<ZoneColour> m_zones;
    uint8_t m_phase = 0;
    uint8_t m_colourIndex = 0;
    uint8_t m_blinkState = 0;
    uint32_t m_lastBlinkTime = 0;
    std::array<uint8_t, kReactiveKeys> m_keyIntensity{};
    std::array<uint8_t, kReactiveKeys> m_keyColourIndex{};
    std::array<uint8_t, kRippleLength> m_ripple{};
};

}  // namespace warden
