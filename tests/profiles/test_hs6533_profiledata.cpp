#include <gtest/gtest.h>

#include "profiles/Hs6533Profiledata.h"
#include "profiles/ProfileTestSupport.h"

namespace warden {
namespace {

using test::Parse;

using Hs6533ProfiledataTest = test::ProfiledataEntryTest<CHs6533Profiledata>;

std::string Row(int base) {
    std::string row = "[";
    for (int i = 0; i < 10; ++i)
        row += (i ? "," : "") + ("{\"value\":" + std::to_string(base + i) + "}");
    return row + "]";
}

TEST(Hs6533Slots, PresetNumbersMapToSlots) {
    const std::pair<int, int> cases[] = {{0, 1},   {1, 1},  {2, 2},   {12, 12},
                                         {13, -1}, {14, 1}, {200, 1}, {-4, 1}};
    for (const auto& [preset, slot] : cases) {
        EXPECT_EQ(CHs6533Profiledata::EqualiserSlot(preset), slot) << preset;
    }
}

TEST_F(Hs6533ProfiledataTest, PresetsZeroAndFourteenReadSlotOneAndThirteenNothing) {
    Load(R"({"EQHzValueInfo":[)" + Row(100) + "," + Row(10) + "," + Row(20) + "]}");
    const std::vector<int> slot1 = {10, 11, 12, 13, 14, 15, 16, 17, 18, 19};
    EXPECT_EQ(m_data.GetEQValues(0), slot1);
    EXPECT_EQ(m_data.GetEQValues(14), slot1);
    EXPECT_EQ(m_data.GetEQValues(2)[0], 20);
    EXPECT_TRUE(m_data.GetEQValues(13).empty());
}

TEST_F(Hs6533ProfiledataTest, AbsentPresetIsWrittenAsZeros) {
    Load("{}");
    EXPECT_EQ(m_data.GetEQValues(4), std::vector<int>(10, 0));
    const Json::Value table = SavedEntry()["EQHzValueInfo"];
    ASSERT_EQ(table[4].size(), 10u);
    EXPECT_EQ(table[4][9]["value"].asInt(), 0);
}

TEST_F(Hs6533ProfiledataTest, SetEqValuesWritesTheSlotAndNothingForCustom) {
    Load("{}");
    const std::vector<int> bands = {-3, 4, 10, 0, -11, 3, 9, 13, 6, 0};
    m_data.SetEQValues(10, bands);
    m_data.SetEQValues(13, bands);
    const Json::Value table = SavedEntry()["EQHzValueInfo"];
    EXPECT_EQ(table.size(), 11u);
    EXPECT_EQ(table[10][4]["value"].asInt(), -11);
    EXPECT_EQ(m_data.GetEQValues(10), bands);
}

TEST_F(Hs6533ProfiledataTest, SystemValuesRoundTrip) {
    Load("{}");
    EXPECT_EQ(m_data.GetSystemSetStages(), CHs6533Profiledata::SystemValues{});
    const CHs6533Profiledata::SystemValues values = {1, 3, 13, 2, 1, 80, 0, 50};
    m_data.SetSystemSetStages(values);
    const Json::Value stages = SavedEntry()["SystemSetStages"];
    EXPECT_EQ(stages["CustomEqSeletIndex"].asInt(), 2);
    EXPECT_EQ(stages["MicMoniterValue"].asInt(), 50);
    CHs6533Profiledata fresh;
    fresh.LoadProfile(m_dir / "p.Json");
    EXPECT_EQ(fresh.GetSystemSetStages(), values);
}

TEST_F(Hs6533ProfiledataTest, CustomEqualisersAreNamedAndStored) {
    Load(R"({"CustomEQNameInfo":[{"Name":"Bass"}]})");
    EXPECT_EQ(m_data.GetCustomEQNames(), std::vector<std::string>{"Bass"});
    m_data.SetCustomEQNames({"Bass", "Stimme"});
    m_data.SetCustomEQValues(1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    const Json::Value entry = SavedEntry();
    EXPECT_EQ(entry["CustomEQNameInfo"], Parse(R"([{"Name":"Bass"},{"Name":"Stimme"}])"));
    EXPECT_EQ(entry["CustomEQHzValueInfo"][1][9]["value"].asInt(), 10);
    EXPECT_EQ(m_data.GetCustomEQValues(1)[2], 3);
    EXPECT_EQ(m_data.GetCustomEQValues(0), std::vector<int>(10, 0));
}

TEST_F(Hs6533ProfiledataTest, ImpossibleCustomIndexLeavesTheEntryAlone) {
    Load("{}");
    EXPECT_EQ(m_data.GetCustomEQValues(-1), std::vector<int>(10, 0));
    EXPECT_EQ(m_data.GetCustomEQValues(2000000000), std::vector<int>(10, 0));
    m_data.SetCustomEQValues(2000000000, std::vector<int>(10, 1));
    EXPECT_FALSE(m_data.GetEntry().isMember("CustomEQHzValueInfo"));
}

TEST_F(Hs6533ProfiledataTest, WrongTypesReadAsAbsent) {
    m_data.LoadProfile(test::Fixture("wrong_types.Json"));
    EXPECT_EQ(m_data.GetCustomEQNames(), (std::vector<std::string>{"", "", "Mine"}));
    const auto values = m_data.GetSystemSetStages();
    EXPECT_EQ(values[2], 0);                                    // "EqType": "13"
    EXPECT_EQ(values[5], 0);                                    // 2^32 cut to 32 bits
    EXPECT_EQ(m_data.GetEQValues(1), std::vector<int>(10, 0));  // table was an object
}

}  // namespace
}  // namespace warden
