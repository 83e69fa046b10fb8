#include "profiles/Hs6533Profiledata.h"

#include "profiles/EqualiserPresets.h"

namespace warden {
namespace {

constexpr std::array<const char*, CHs6533Profiledata::kSystemValueCount> kSystemKeys = {
    "MagicEnable", "MagicType",  "EqType",           "CustomEqSeletIndex",
    "MicInSelect", "MicInValue", "MicMoniterSelect", "MicMoniterValue"};

// The bands of `table`[slot]; a missing table or slot gets zeros written.
std::vector<int> ReadBands(Json::Value& table, int slot) {
    std::vector<int> bands(kEqualiserBandCount, 0);
    Json::Value* row = WritableElement(table, slot);
    if (row == nullptr) return bands;
    const bool rowPresent = IsList(row);
    for (size_t i = 0; i < kEqualiserBandCount; ++i) {
        Json::Value* band = rowPresent ? Element(row, static_cast<int64_t>(i))
                                       : WritableElement(*row, static_cast<int64_t>(i));
        if (band == nullptr) continue;
        if (!rowPresent) {
            WritableMember(*band, "value") = 0;
            continue;
        }
        bands[i] = static_cast<int>(ReadNumber(Member(band, "value")));
    }
    return bands;
}

void WriteBands(Json::Value& table, int slot, const std::vector<int>& values) {
    Json::Value* row = WritableElement(table, slot);
    for (size_t i = 0; row != nullptr && i < values.size() && i < kEqualiserBandCount; ++i) {
        Json::Value* band = WritableElement(*row, static_cast<int64_t>(i));
        if (band != nullptr) WritableMember(*band, "value") = values[i];
    }
}

bool ValidCustomIndex(int index) {
    return index >= 0 && index <= kMaxJsonListIndex;
}

}  // namespace

CHs6533Profiledata::SystemValues CHs6533Profiledata::GetSystemSetStages() {
    m_systemValues = {};
    Json::Value* stages = EntryMember("SystemSetStages");
    if (IsObject(stages)) {
        for (size_t i = 0; i < kSystemValueCount; ++i) {
            m_systemValues[i] = static_cast<int>(ReadNumber(Member(stages, kSystemKeys[i])));
        }
    }
    return m_systemValues;
}

void CHs6533Profiledata::SetSystemSetStages(const SystemValues& values) {
    m_systemValues = values;
    Json::Value& stages = WritableEntryMember("SystemSetStages");
    for (size_t i = 0; i < kSystemValueCount; ++i) {
        WritableMember(stages, kSystemKeys[i]) = values[i];
    }
}

int CHs6533Profiledata::EqualiserSlot(int preset) {
    if (preset == kCustomEqualiserPreset) return -1;
    if (preset <= 0 || preset > kCustomEqualiserPreset) return 1;
    return preset;
}

std::vector<int> CHs6533Profiledata::GetEQValues(int preset) {
    const int slot = EqualiserSlot(preset);
    if (slot < 0) return {};
    return ReadBands(WritableEntryMember("EQHzValueInfo"), slot);
}

void CHs6533Profiledata::SetEQValues(int preset, const std::vector<int>& values) {
    const int slot = EqualiserSlot(preset);
    if (slot < 0) return;
    WriteBands(WritableEntryMember("EQHzValueInfo"), slot, values);
}

std::vector<std::string> CHs6533Profiledata::GetCustomEQNames() {
    std::vector<std::string> names;
    Json::Value* list = EntryMember("CustomEQNameInfo");
    for (Json::ArrayIndex i = 0; i < ListSize(list); ++i) {
        Json::Value* element = &(*list)[i];
        names.push_back(IsObject(element) ? ReadText(Member(element, "Name")) : std::string());
    }
    return names;
}

void CHs6533Profiledata::SetCustomEQNames(const std::vector<std::string>& names) {
    Json::Value list(Json::arrayValue);
    for (const std::string& name : names) {
        Json::Value element(Json::objectValue);
        element["Name"] = name;
        list.append(element);
    }
    WritableEntryMember("CustomEQNameInfo") = list;
}

std::vector<int> CHs6533Profiledata::GetCustomEQValues(int index) {
    if (!ValidCustomIndex(index)) return std::vector<int>(kEqualiserBandCount, 0);
    return ReadBands(WritableEntryMember("CustomEQHzValueInfo"), index);
}

void CHs6533Profiledata::SetCustomEQValues(int index, const std::vector<int>& values) {
    if (!ValidCustomIndex(index)) return;
    WriteBands(WritableEntryMember("CustomEQHzValueInfo"), index, values);
}

}  // namespace warden
