#include <gtest/gtest.h>

#include "profiles/KeyboardProfiledata.h"
#include "profiles/ProfileTestSupport.h"

namespace warden {
namespace {

using test::Parse;

using KeyboardProfiledataTest = test::ProfiledataEntryTest<CKeyboardProfiledata>;

TEST_F(KeyboardProfiledataTest, SystemStagesPackTwoHalvesPerWord) {
    Load(R"({"SystemStages":{"Repeat":20,"RepeatDelay":2,"Key6Flag":1,"PollingRate":3,
                             "WFlag":0,"WinFlag":1}})");
    EXPECT_EQ(m_data.GetSystemStages(),
              (std::array<uint32_t, 3>{(2u << 16) | 20u, (3u << 16) | 1u, 1u << 16}));
    m_data.SetSystemStages((1u << 16) | 31u, 2u << 16, 1u);
    const Json::Value stages = SavedEntry()["SystemStages"];
    EXPECT_EQ(stages["Repeat"].asInt(), 31);
    EXPECT_EQ(stages["RepeatDelay"].asInt(), 1);
    EXPECT_EQ(stages["Key6Flag"].asInt(), 0);
    EXPECT_EQ(stages["PollingRate"].asInt(), 2);
    EXPECT_EQ(stages["WFlag"].asInt(), 1);
    EXPECT_EQ(stages["WinFlag"].asInt(), 0);
}

TEST_F(KeyboardProfiledataTest, AbsentOrWrongTypedSystemStagesGiveZeros) {
    for (const char* entry : {"{}", R"({"SystemStages":[1,2]})"}) {
        Load(entry);
        EXPECT_EQ(m_data.GetSystemStages(), (std::array<uint32_t, 3>{})) << entry;
    }
}

TEST_F(KeyboardProfiledataTest, MissingCustomGroupIsAddedWithZeros) {
    Load(R"({"CustomLightMode":{"CustomLightModeGroupIndex":0,
              "LightColorInfo":[[{"Red":1,"Green":2,"Blue":3,"Alpha":4}]]}})");
    const auto colors = m_data.GetCustomColors(2, 10);
    EXPECT_EQ(colors, std::vector<ColorRGBA>(10));
    const Json::Value groups = SavedEntry()["CustomLightMode"]["LightColorInfo"];
    ASSERT_EQ(groups.size(), 3u);
    ASSERT_EQ(groups[2].size(), 10u);
    EXPECT_EQ(groups[2][9], Parse(R"({"Red":0,"Green":0,"Blue":0,"Alpha":0})"));
    EXPECT_EQ(groups[0][0]["Alpha"].asInt(), 4);
}

TEST_F(KeyboardProfiledataTest, PresentGroupFillsOnlyNullColours) {
    Load(
        R"({"CustomLightMode":{"LightColorInfo":[[{"Red":1,"Green":2,"Blue":3,"Alpha":4},null]]}})");
    const auto colors = m_data.GetCustomColors(0, 3);
    EXPECT_EQ(colors[0], (ColorRGBA{1, 2, 3, 4}));
    EXPECT_EQ(colors[1], ColorRGBA{});
    const Json::Value group = SavedEntry()["CustomLightMode"]["LightColorInfo"][0];
    EXPECT_EQ(group.size(), 3u);
    EXPECT_EQ(group[1]["Alpha"].asInt(), 0);
}

TEST_F(KeyboardProfiledataTest, ImpossibleGroupGivesZerosWithoutTouchingTheEntry) {
    Load("{}");
    for (int group : {-1, 1000000}) {
        EXPECT_EQ(m_data.GetCustomColors(group, 4), std::vector<ColorRGBA>(4));
    }
    EXPECT_FALSE(m_data.GetEntry().isMember("CustomLightMode"));
}

TEST_F(KeyboardProfiledataTest, CustomColoursAndGroupIndexAreStored) {
    Load("{}");
    EXPECT_EQ(m_data.GetCustomGroupIndex(), 0);
    m_data.SetCustomColors({{9, 8, 7, 6}, {5, 4, 3, 2}}, 1);
    m_data.SetCustomGroupIndex(1);
    const Json::Value mode = SavedEntry()["CustomLightMode"];
    EXPECT_EQ(mode["CustomLightModeGroupIndex"].asInt(), 1);
    EXPECT_EQ(mode["LightColorInfo"][1][1]["Red"].asInt(), 5);

    CKeyboardProfiledata fresh;
    fresh.LoadProfile(m_dir / "p.Json");
    EXPECT_EQ(fresh.GetCustomGroupIndex(), 1);
    EXPECT_EQ(fresh.GetCustomColors(1, 2)[0], (ColorRGBA{9, 8, 7, 6}));
}

}  // namespace
}  // namespace warden
