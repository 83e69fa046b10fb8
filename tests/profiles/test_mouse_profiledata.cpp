#include <gtest/gtest.h>

#include "profiles/MouseProfiledata.h"
#include "profiles/ProfileTestSupport.h"

namespace warden {
namespace {

using test::Parse;

using MouseProfiledataTest = test::ProfiledataEntryTest<CMouseProfiledata>;

DPIStageRecord Stage(uint16_t x) {
    return DPIStageRecord{1, 0, x, x, 255, 0, 0};
}

TEST_F(MouseProfiledataTest, StoredStagesMergeIntoHeldStagesByPosition) {
    Load("{}");
    m_data.SetDPIStages({Stage(1), Stage(2), Stage(3), Stage(4), Stage(5)});
    Load(R"({"DPIStages":{"StageActive":1,"StageDPIs":[
        {"StageActive":0,"StageXY":1,"StageDPIX":65546,"StageDPIY":20,
         "StageColorR":300,"StageColorG":1,"StageColorB":2},
        {"StageDPIX":40}]}})");
    const auto stages = m_data.GetDPIStages();
    ASSERT_EQ(stages.size(), 5u);
    EXPECT_EQ(stages[0], (DPIStageRecord{0, 1, 10, 20, 44, 1, 2}));  // cut to field widths
    EXPECT_EQ(stages[1], (DPIStageRecord{0, 0, 40, 0, 0, 0, 0}));
    EXPECT_EQ(stages[2], Stage(3));
    EXPECT_EQ(stages[3], Stage(4));
    EXPECT_EQ(stages[4], Stage(5));
    EXPECT_EQ(m_data.GetActiveStage(), 1);
}

TEST_F(MouseProfiledataTest, StagesAndActiveStageAreWritten) {
    Load("{}");
    EXPECT_EQ(m_data.GetActiveStage(), 0);
    m_data.SetDPIStages({Stage(6), Stage(73)});
    m_data.SetActiveStage(1);
    const Json::Value dpi = SavedEntry()["DPIStages"];
    EXPECT_EQ(dpi["StageActive"].asInt(), 1);
    EXPECT_EQ(dpi["StageDPIs"][1],
              Parse(R"({"StageActive":1,"StageXY":0,"StageDPIX":73,"StageDPIY":73,
                        "StageColorR":255,"StageColorG":0,"StageColorB":0})"));
}

TEST_F(MouseProfiledataTest, SystemWordsIncludeThePollingRate) {
    Load(R"({"SystemStages":{"DoubleClickTime":5,"MouseSpeed":4,"PointerPrecision":1,
                             "ScorllPage":0,"WheelScorlllinse":2},
             "ReportStages":{"StageActive":3}})");
    EXPECT_EQ(m_data.GetSystemStages(),
              (std::array<uint32_t, 3>{(4u << 16) | 5u, 1u, (3u << 16) | 2u}));
    m_data.SetSystemStages((7u << 16) | 6u, (1u << 16), (4u << 16) | 9u);
    const Json::Value entry = SavedEntry();
    EXPECT_EQ(entry["SystemStages"]["MouseSpeed"].asInt(), 7);
    EXPECT_EQ(entry["SystemStages"]["ScorllPage"].asInt(), 1);
    EXPECT_EQ(entry["SystemStages"]["WheelScorlllinse"].asInt(), 9);
    EXPECT_EQ(entry["ReportStages"]["StageActive"].asInt(), 4);
}

TEST_F(MouseProfiledataTest, NoReportStagesLeavesTheHighHalfZero) {
    Load(R"({"SystemStages":{"WheelScorlllinse":2}})");
    EXPECT_EQ(m_data.GetSystemStages()[2], 2u);
}

TEST_F(MouseProfiledataTest, CorrectionPresetsAreRead) {
    Load(R"({"CorrectInfo":[{"CorrectPixThresh":8,"CorrectMinSq":16,"CorrectSelect":1,
                             "CorrectName":"Gerade Linien"},null]})");
    const auto presets = m_data.GetCorrectInfo();
    ASSERT_EQ(presets.size(), 2u);
    EXPECT_EQ(presets[0], (CorrectRecord{8, 16, 1, "Gerade Linien"}));
    EXPECT_EQ(presets[1], CorrectRecord{});
}

TEST_F(MouseProfiledataTest, WrongTypesReadAsAbsent) {
    m_data.LoadProfile(test::Fixture("wrong_types.Json"));
    EXPECT_TRUE(m_data.GetDPIStages().empty());
    EXPECT_EQ(m_data.GetActiveStage(), 0);
    EXPECT_EQ(m_data.GetSystemStages(), (std::array<uint32_t, 3>{}));
    EXPECT_TRUE(m_data.GetCorrectInfo().empty());
}

}  // namespace
}  // namespace warden
