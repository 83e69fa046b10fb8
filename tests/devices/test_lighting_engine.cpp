#include "devices/LightingEngine.h"

#include <gtest/gtest.h>

#include "platform/Clock.h"

namespace warden {
namespace {

LightingEngine EngineWith(LightInfoRecord settings, size_t zones = 3) {
    LightingEngine engine;
    engine.SetZoneCount(zones);
    engine.Settings() = settings;
    return engine;
}

TEST(LightingEngine, BreathingCountsUpAndStepsTheWheelOncePerBreath) {
    LightingEngine engine = EngineWith({.light = 4, .fx = 1, .multiColor = 1});
    std::vector<uint8_t> colourIndices;
    for (int breath = 0; breath < 14; ++breath) {
        for (int phase = 1; phase <= 127; ++phase) {
            engine.StepBreathing();
            ASSERT_EQ(engine.Phase(), phase);
        }
        engine.StepBreathing();
        ASSERT_EQ(engine.Phase(), 0);
        colourIndices.push_back(engine.ColourIndex());
    }
    const std::vector<uint8_t> expected{16, 32, 48, 64, 80, 96, 112, 128, 144, 160, 176, 192, 0, 16};
    EXPECT_EQ(colourIndices, expected);
    const lighting::Rgb wheel = lighting::kColourWheel[16];
    const ZoneColour zone = engine.Zone(2);
    EXPECT_EQ(zone.c1, wheel.red);
    EXPECT_EQ(zone.c2, wheel.green);
    EXPECT_EQ(zone.c3, wheel.blue);
    EXPECT_EQ(zone.level, 0) << "phase 0 of the curve is dark";
}

TEST(LightingEngine, BreathingDownwardsRestartsAtTheTop) {
    LightingEngine engine = EngineWith({.light = 2, .fx = 0, .red = 10, .green = 20, .blue = 30});
    engine.StepBreathing();
    EXPECT_EQ(engine.Phase(), 127);
    for (int phase = 126; phase >= 0; --phase) {
        engine.StepBreathing();
        ASSERT_EQ(engine.Phase(), phase);
    }
    engine.StepBreathing();
    EXPECT_EQ(engine.Phase(), 127);
    const ZoneColour zone = engine.Zone(0);
    EXPECT_EQ(zone.c1, 10);
    EXPECT_EQ(zone.c3, 30);
    for (int i = 0; i < 63; ++i) engine.StepBreathing();
    ASSERT_EQ(engine.Phase(), 64);
    EXPECT_EQ(engine.Zone(0).level, 255 * 135 / 256) << "the top of the curve at brightness 2";
}

TEST(LightingEngine, BreathingFourCyclesTheFixedColours) {
    LightingEngine engine = EngineWith({.light = 4, .fx = 1});
    std::vector<uint8_t> indices;
    for (int i = 0; i < 5 * 128; ++i) {
        engine.StepBreathingFour();
        if (engine.Phase() == 0) indices.push_back(engine.ColourIndex());
    }
    EXPECT_EQ(indices, (std::vector<uint8_t>{1, 2, 3, 0, 1}));
    EXPECT_EQ(engine.Zone(0).c1, lighting::kFixedColours[1].red);
}

TEST(LightingEngine, SpectrumRunsThroughTheWheel) {
    LightingEngine engine = EngineWith({.light = 0, .fx = 1});
    for (int entry = 1; entry <= 191; ++entry) {
        engine.StepSpectrum();
        ASSERT_EQ(engine.Phase(), entry);
    }
    engine.StepSpectrum();
    EXPECT_EQ(engine.Phase(), 0);
    EXPECT_EQ(engine.Zone(1).c1, 255);
    EXPECT_EQ(engine.Zone(1).c2, 1);
    EXPECT_EQ(engine.Zone(1).level, 30);
}

TEST(LightingEngine, StaticUsesTheBrightnessTable) {
    for (uint8_t light : {0, 1, 2, 3, 4, 9}) {
        LightingEngine engine = EngineWith({.light = light, .red = 1, .green = 2, .blue = 3});
        engine.StepStatic();
        const uint8_t expected = light > 4 ? 255 : lighting::kBrightnessLevels[light];
        EXPECT_EQ(engine.Zone(0).level, expected) << int(light);
        EXPECT_NE(engine.Zone(0).level, 0);
    }
}

TEST(LightingEngine, FlashTogglesAfterTwoHundredMillisecondsPerStepTick) {
    struct Case {
        uint8_t speed;
        uint32_t periodMs;
    };
    for (const Case c : {Case{4, 1400}, Case{0, 5600}}) {
        ManualClock clock(0);
        ScopedClock scope(clock);
        LightingEngine engine = EngineWith({.light = 4, .speed = c.speed, .red = 255});
        clock.Set(c.periodMs);
        engine.StepFlash();
        EXPECT_TRUE(engine.BlinkOn());
        EXPECT_EQ(engine.Zone(0).c1, 255);
        clock.Advance(c.periodMs - 1);
        engine.StepFlash();
        EXPECT_TRUE(engine.BlinkOn()) << "speed " << int(c.speed);
        clock.Advance(1);
        engine.StepFlash();
        EXPECT_FALSE(engine.BlinkOn()) << "speed " << int(c.speed);
        EXPECT_EQ(engine.Zone(0).Packed(), 0u);
    }
}

TEST(LightingEngine, FadeKeyFollowsBothDecaySequences) {
    struct Case {
        bool mode;
        std::vector<int> sequence;
    };
    const Case cases[] = {
        {true, {215, 175, 135, 95, 65, 35, 25, 17, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 0}},
        {false, {215, 175, 135, 95, 65, 35, 25, 17, 9, 5, 1, 0, 0}},
    };
    for (const Case& c : cases) {
        LightingEngine engine;
        engine.KeyIntensities()[7] = 255;
        std::vector<int> seen;
        for (size_t i = 0; i < c.sequence.size(); ++i) {
            engine.FadeKey(7, c.mode);
            seen.push_back(engine.KeyIntensities()[7]);
        }
        EXPECT_EQ(seen, c.sequence) << "mode " << c.mode;
    }
    LightingEngine engine;
    engine.FadeKey(500, true);  // out of range: ignored
}

TEST(LightingEngine, RippleRotatesBothWaysAndLightsPressedKeys) {
    LightingEngine engine;
    auto& ripple = engine.Ripple();
    ripple[0] = 1;
    ripple[22] = 9;
    engine.ShiftRipple(true);
    EXPECT_EQ(ripple[1], 1);
    EXPECT_EQ(ripple[0], 9);
    engine.ShiftRipple(false);
    EXPECT_EQ(ripple[0], 1);
    EXPECT_EQ(ripple[22], 9);

    engine.LightPressedKeys();
    EXPECT_EQ(engine.KeyIntensities()[0], 255);
    EXPECT_EQ(engine.KeyIntensities()[1], 0);
    engine.ClearReactive();
    EXPECT_EQ(engine.KeyIntensities()[0], 0);
    EXPECT_EQ(ripple[22], 0);
}

TEST(LightingEngine, ZoneAccessIgnoresIndicesOutsideTheFrame) {
    LightingEngine engine;
    engine.SetZoneCount(2);
    engine.SetZoneColour(1, 0x11223344);
    engine.SetZoneColour(2, 0xFFFFFFFF);
    EXPECT_EQ(engine.GetZoneColour(1), 0x11223344u);
    EXPECT_EQ(engine.GetZoneColour(2), 0u);
    engine.SetZoneCount(2);
    EXPECT_EQ(engine.GetZoneColour(1), 0u) << "resizing zeroes the frame";
}

}  // namespace
}  // namespace warden
