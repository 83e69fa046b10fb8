#include "profiles/MouseProfiledata.h"

namespace warden {
namespace {

int64_t Number(Json::Value* parent, const char* key) {
    return ReadNumber(Member(parent, key));
}
uint8_t Byte(Json::Value* parent, const char* key) {
    return static_cast<uint8_t>(Number(parent, key));
}
uint32_t Word(Json::Value* parent, const char* key) {
    return static_cast<uint32_t>(Number(parent, key));
}

}  // namespace

std::vector<DPIStageRecord> CMouseProfiledata::GetDPIStages() {
    Json::Value* dpi = EntryMember("DPIStages");
    if (IsObject(dpi)) {
        m_activeStage = static_cast<int>(Number(dpi, "StageActive"));
        Json::Value* list = Member(dpi, "StageDPIs");
        for (Json::ArrayIndex j = 0; j < ListSize(list); ++j) {
            Json::Value* element = &(*list)[j];
            DPIStageRecord stage;
            if (IsObject(element)) {
                stage.enable = Byte(element, "StageActive");
                stage.xy = Byte(element, "StageXY");
                stage.dpiX = static_cast<uint16_t>(Number(element, "StageDPIX"));
                stage.dpiY = static_cast<uint16_t>(Number(element, "StageDPIY"));
                stage.red = Byte(element, "StageColorR");
                stage.green = Byte(element, "StageColorG");
                stage.blue = Byte(element, "StageColorB");
            }
            if (j < m_stages.size()) {
                m_stages[j] = stage;
            } else {
                m_stages.push_back(stage);
            }
        }
    }
    return m_stages;
}

void CMouseProfiledata::SetDPIStages(const std::vector<DPIStageRecord>& stages) {
    m_stages = stages;
    Json::Value& list = WritableMember(WritableEntryMember("DPIStages"), "StageDPIs");
    for (size_t i = 0; i < stages.size(); ++i) {
        Json::Value* element = WritableElement(list, static_cast<int64_t>(i));
        if (element == nullptr) break;
        const DPIStageRecord& stage = stages[i];
        WritableMember(*element, "StageActive") = stage.enable;
        WritableMember(*element, "StageXY") = stage.xy;
        WritableMember(*element, "StageDPIX") = stage.dpiX;
        WritableMember(*element, "StageDPIY") = stage.dpiY;
        WritableMember(*element, "StageColorR") = stage.red;
        WritableMember(*element, "StageColorG") = stage.green;
        WritableMember(*element, "StageColorB") = stage.blue;
    }
}

void CMouseProfiledata::SetActiveStage(int index) {
    m_activeStage = index;
    WritableMember(WritableEntryMember("DPIStages"), "StageActive") = index;
}

std::array<uint32_t, 3> CMouseProfiledata::GetSystemStages() {
    m_systemWords = {};
    Json::Value* stages = EntryMember("SystemStages");
    if (IsObject(stages)) {
        m_systemWords[0] = ReadHalves(stages, "DoubleClickTime", "MouseSpeed");
        m_systemWords[1] = ReadHalves(stages, "PointerPrecision", "ScorllPage");
        Json::Value* report = EntryMember("ReportStages");
        const uint32_t polling = IsObject(report) ? Word(report, "StageActive") : 0;
        m_systemWords[2] = PackHalves(Word(stages, "WheelScorlllinse"), polling);
    }
    return m_systemWords;
}

void CMouseProfiledata::SetSystemStages(uint32_t word1, uint32_t word2, uint32_t word3) {
    m_systemWords = {word1, word2, word3};
    Json::Value& stages = WritableEntryMember("SystemStages");
    WriteHalves(stages, "DoubleClickTime", "MouseSpeed", word1);
    WriteHalves(stages, "PointerPrecision", "ScorllPage", word2);
    WritableMember(stages, "WheelScorlllinse") = LowHalf(word3);
    WritableMember(WritableEntryMember("ReportStages"), "StageActive") = HighHalf(word3);
}

std::vector<CorrectRecord> CMouseProfiledata::GetCorrectInfo() {
    std::vector<CorrectRecord> corrections;
    Json::Value* list = EntryMember("CorrectInfo");
    for (Json::ArrayIndex i = 0; i < ListSize(list); ++i) {
        Json::Value* element = &(*list)[i];
        CorrectRecord correction;
        if (IsObject(element)) {
            correction.pixThresh = Byte(element, "CorrectPixThresh");
            correction.minSq = Byte(element, "CorrectMinSq");
            correction.select = Byte(element, "CorrectSelect");
            correction.name = ReadText(Member(element, "CorrectName"));
        }
        corrections.push_back(correction);
    }
    m_corrections = corrections;
    return corrections;
}

}  // namespace warden
