#include "devices/LightingEngine.h"

#include <algorithm>
#include <atomic>

#include "platform/Clock.h"

namespace warden {
using lighting::Rgb;

namespace {

// Profile values come from files the user can edit: clamp them to the tables.
size_t TableIndex(uint8_t setting, size_t size) { return std::min<size_t>(setting, size - 1); }

// The frame has no lock: the lighting thread writes it while the UI shows it
// and the synchronised lighting sets zones. Each zone is one relaxed word, so
// a reader sees a whole old or new zone and no store waits for another.
static_assert(std::atomic_ref<ZoneColour>::is_always_lock_free);

void StoreZone(ZoneColour& zone, ZoneColour value) {
    std::atomic_ref(zone).store(value, std::memory_order_relaxed);
}

ZoneColour LoadZone(const ZoneColour& zone) {
    return std::atomic_ref(const_cast<ZoneColour&>(zone)).load(std::memory_order_relaxed);
}

}  // namespace

void LightingEngine::SetZoneCount(size_t count) { m_zones.assign(count, ZoneColour{}); }

void LightingEngine::SetZoneColour(size_t zone, uint32_t packed) {
    if (zone < m_zones.size()) StoreZone(m_zones[zone], ZoneColour::FromPacked(packed));
}

uint32_t LightingEngine::GetZoneColour(size_t zone) const { return Zone(zone).Packed(); }

ZoneColour LightingEngine::Zone(size_t zone) const {
    return zone < m_zones.size() ? LoadZone(m_zones[zone]) : ZoneColour{};
}

uint32_t LightingEngine::StepPeriod() const {
    return lighting::kStepPeriods[TableIndex(m_settings.speed, lighting::kStepPeriods.size())];
}

uint8_t LightingEngine::BrightnessLevel() const {
    return lighting::kBrightnessLevels[TableIndex(m_settings.light,
                                                  lighting::kBrightnessLevels.size())];
}

void LightingEngine::Fill(Rgb colour, uint8_t level) {
    for (ZoneColour& zone : m_zones) {
        StoreZone(zone, {colour.red, colour.green, colour.blue, level});
    }
}

// Counts the phase up (Fx set) or down through 0 .. limit - 1, wrapping.
void LightingEngine::AdvancePhase(uint8_t limit) {
    if (m_settings.fx != 0) {
        m_phase = static_cast<uint8_t>(m_phase + 1);
        if (m_phase >= limit) m_phase = 0;
    } else {
        m_phase = static_cast<uint8_t>(m_phase - 1);
        if (m_phase >= limit) m_phase = static_cast<uint8_t>(limit - 1);
    }
}

Rgb LightingEngine::CurrentColour(bool fixedColours) const {
    if (fixedColours) return lighting::kFixedColours[m_colourIndex % lighting::kFixedColours.size()];
    if (m_settings.multiColor != 0) {
        return lighting::kColourWheel[m_colourIndex % lighting::kColourWheel.size()];
    }
    return {m_settings.red, m_settings.green, m_settings.blue};
}

void LightingEngine::Breathe(uint8_t indexStep, uint8_t indexLimit, bool fixedColours) {
    AdvancePhase(128);
    if (m_phase == 0) {
        m_colourIndex = static_cast<uint8_t>(m_colourIndex + indexStep);
        if (m_colourIndex > indexLimit) m_colourIndex = 0;
    }
    const auto level =
        static_cast<uint8_t>(lighting::kBreathingCurve[m_phase] * BrightnessLevel() / 256);
    Fill(CurrentColour(fixedColours), level);
}

void LightingEngine::Flash(uint8_t indexStep, uint8_t indexLimit, bool fixedColours) {
    const uint32_t now = GetTickCount();
    if (now - m_lastBlinkTime >= 200u * StepPeriod()) {
        m_blinkState = m_blinkState != 0 ? 0 : 1;
        m_lastBlinkTime = now;
        m_colourIndex = static_cast<uint8_t>(m_colourIndex + indexStep);
        if (m_colourIndex > indexLimit) m_colourIndex = 0;
    }
    if (m_blinkState != 0) {
        Fill(CurrentColour(fixedColours), BrightnessLevel());
    } else {
        StepOff();
    }
}

void LightingEngine::StepBreathing() { Breathe(16, 192, false); }
void LightingEngine::StepBreathingFour() { Breathe(1, 3, true); }
void LightingEngine::StepStatic() {
    Fill({m_settings.red, m_settings.green, m_settings.blue}, BrightnessLevel());
}
void LightingEngine::StepSpectrum() {
    AdvancePhase(192);
    Fill(lighting::kColourWheel[m_phase], BrightnessLevel());
}
void LightingEngine::StepFlash() { Flash(16, 191, false); }
void LightingEngine::StepFlashFour() { Flash(1, 3, true); }
void LightingEngine::StepOff() { Fill({0, 0, 0}, 0); }

void LightingEngine::FadeKey(size_t key, bool modeFlag) {
    if (key >= kReactiveKeys) return;
    const uint8_t c = m_keyIntensity[key];
    uint8_t next = 0;
    if (c & 0x80) {
        next = c - 40;
    } else if (c & 0x40) {
        next = c - 30;
    } else if (c & 0x20) {
        next = c - 10;
    } else if (c > 16) {
        next = c - 8;
    } else if (c > 0) {
        next = modeFlag ? c - 1 : (c > 4 ? c - 4 : 0);
    }
    m_keyIntensity[key] = next;
}

void LightingEngine::LightPressedKeys() {
    for (size_t i = 0; i < 9; ++i) {
        if (m_ripple[i] != 0) m_keyIntensity[i] = 255;
    }
}

void LightingEngine::ShiftRipple(bool direction) {
    if (direction) {
        std::rotate(m_ripple.rbegin(), m_ripple.rbegin() + 1, m_ripple.rend());
    } else {
        std::rotate(m_ripple.begin(), m_ripple.begin() + 1, m_ripple.end());
    }
}

void LightingEngine::ClearReactive() {
    m_keyIntensity.fill(0);
    m_ripple.fill(0);
}

}  // namespace warden
