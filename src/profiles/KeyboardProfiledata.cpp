#include "profiles/KeyboardProfiledata.h"

#include <algorithm>

namespace warden {
namespace {

Json::Value ColorObject(const ColorRGBA& color) {
    Json::Value object(Json::objectValue);
    object["Red"] = color.red;
    object["Green"] = color.green;
    object["Blue"] = color.blue;
    object["Alpha"] = color.alpha;
    return object;
}

}  // namespace

std::array<uint32_t, 3> CKeyboardProfiledata::GetSystemStages() {
    m_systemWords = {};
    Json::Value* stages = EntryMember("SystemStages");
    if (IsObject(stages)) {
        m_systemWords[0] = ReadHalves(stages, "Repeat", "RepeatDelay");
        m_systemWords[1] = ReadHalves(stages, "Key6Flag", "PollingRate");
        m_systemWords[2] = ReadHalves(stages, "WFlag", "WinFlag");
    }
    return m_systemWords;
}

void CKeyboardProfiledata::SetSystemStages(uint32_t word1, uint32_t word2, uint32_t word3) {
    m_systemWords = {word1, word2, word3};
    Json::Value& stages = WritableEntryMember("SystemStages");
    WriteHalves(stages, "Repeat", "RepeatDelay", word1);
    WriteHalves(stages, "Key6Flag", "PollingRate", word2);
    WriteHalves(stages, "WFlag", "WinFlag", word3);
}

std::vector<ColorRGBA> CKeyboardProfiledata::GetCustomColors(int group, int count) {
    const size_t wanted = static_cast<size_t>(std::clamp<int64_t>(count, 0, kMaxJsonListIndex + 1));
    std::vector<ColorRGBA> colors(wanted);
    if (group < 0 || group > kMaxJsonListIndex) {
        m_customColors = colors;
        return colors;
    }
    Json::Value& groups = WritableMember(WritableEntryMember("CustomLightMode"), "LightColorInfo");
    Json::Value* slot = WritableElement(groups, group);
    const bool groupPresent = IsList(slot);
    for (size_t j = 0; slot != nullptr && j < wanted; ++j) {
        Json::Value* element =
            groupPresent ? Element(slot, static_cast<int64_t>(j)) : WritableElement(*slot, j);
        if (element == nullptr) break;
        if (!IsObject(element)) {
            *element = ColorObject(ColorRGBA{});
            continue;
        }
        colors[j].red = static_cast<uint8_t>(ReadNumber(Member(element, "Red")));
        colors[j].green = static_cast<uint8_t>(ReadNumber(Member(element, "Green")));
        colors[j].blue = static_cast<uint8_t>(ReadNumber(Member(element, "Blue")));
        colors[j].alpha = static_cast<uint8_t>(ReadNumber(Member(element, "Alpha")));
    }
    m_customColors = colors;
    return colors;
}

void CKeyboardProfiledata::SetCustomColors(const std::vector<ColorRGBA>& colors, int group) {
    m_customColors = colors;
    Json::Value& groups = WritableMember(WritableEntryMember("CustomLightMode"), "LightColorInfo");
    Json::Value* slot = WritableElement(groups, group);
    for (size_t i = 0; slot != nullptr && i < colors.size(); ++i) {
        Json::Value* element = WritableElement(*slot, static_cast<int64_t>(i));
        if (element == nullptr) break;
        *element = ColorObject(colors[i]);
    }
}

int CKeyboardProfiledata::GetCustomGroupIndex() {
    Json::Value* mode = EntryMember("CustomLightMode");
    m_customGroupIndex = static_cast<int>(ReadNumber(Member(mode, "CustomLightModeGroupIndex")));
    return m_customGroupIndex;
}

void CKeyboardProfiledata::SetCustomGroupIndex(int index) {
    m_customGroupIndex = index;
    WritableMember(WritableEntryMember("CustomLightMode"), "CustomLightModeGroupIndex") = index;
}

}  // namespace warden
