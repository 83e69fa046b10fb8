#pragma once
// Profile data of a mouse: the common keys plus "DPIStages", the pointer
// values of "SystemStages", the polling rate of "ReportStages" and the
// sensor's correction presets "CorrectInfo".

#include <array>
#include <vector>

#include "profiles/BasicProfiledata.h"

namespace warden {

class CMouseProfiledata : public CBasicProfiledata {
public:
    // Merges the stored stages into the held list by position (stage j
    // replaces held stage j or is appended; held stages beyond the stored
    // ones stay) and returns a copy. Also refreshes the active stage.
    std::vector<DPIStageRecord> GetDPIStages();
    void SetDPIStages(const std::vector<DPIStageRecord>& stages);
    // The active stage as last read or set; 0 before any.
    int GetActiveStage() const { return m_activeStage; }
    void SetActiveStage(int index);

    // Word 1 = DoubleClickTime, MouseSpeed; word 2 = PointerPrecision,
    // ScorllPage; word 3 = WheelScorlllinse, "ReportStages"."StageActive"
    // (low half first). All 0 without "SystemStages".
    std::array<uint32_t, 3> GetSystemStages();
    void SetSystemStages(uint32_t word1, uint32_t word2, uint32_t word3);

    // One record per "CorrectInfo" element; empty without the list.
    std::vector<CorrectRecord> GetCorrectInfo();

private:
    std::vector<DPIStageRecord> m_stages;
    int m_activeStage = 0;
    std::array<uint32_t, 3> m_systemWords{};
    std::vector<CorrectRecord> m_corrections;
};

}  // namespace warden
