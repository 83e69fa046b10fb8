#include "profiles/BasicProfiledata.h"

#include <system_error>
#include <utility>

#include "platform/Trace.h"
#include "profiles/JsonFile.h"

namespace warden {
namespace fs = std::filesystem;
namespace {

uint8_t Byte(const Json::Value* value) {
    return static_cast<uint8_t>(ReadNumber(value));
}
uint8_t FlagByte(const Json::Value* value) {
    return ReadFlag(value) ? 1 : 0;
}

bool FileHasContent(const fs::path& path) {
    std::error_code error;
    return fs::file_size(path, error) > 0 && !error;
}

}  // namespace

void CBasicProfiledata::SetProfilePath(const fs::path& path) {
    if (!path.empty()) m_profilePath = path;
}

void CBasicProfiledata::SetDefaultPath(const fs::path& path) {
    if (!path.empty()) m_defaultPath = path;
}

void CBasicProfiledata::SetLightConfigPath(const fs::path& path) {
    if (!path.empty()) m_lightConfigPath = path;
}

void CBasicProfiledata::SetDeviceIndex(int index) {
    m_deviceIndex = (index < 0 || index > kMaxJsonListIndex) ? 0 : index;
}

Json::Value* CBasicProfiledata::EntryMember(const char* key) {
    return m_entry.isObject() ? Member(&m_entry, key) : nullptr;
}

Json::Value CBasicProfiledata::ReadForUpdate(const fs::path& path, bool& writable) {
    writable = true;
    Json::Value root;
    const std::string text = readjsonFile(path);
    bool usable = text.empty() ? !FileHasContent(path) : ParseJsonText(text, root);
    usable = usable && (root.isNull() || root.isObject());
    if (usable) {
        const Json::Value* device = root.isObject() ? &std::as_const(root)["Device"] : nullptr;
        if (device != nullptr && !device->isNull()) {
            const Json::Value* entry =
                device->isArray() ? &(*device)[static_cast<Json::ArrayIndex>(m_deviceIndex)]
                                  : nullptr;
            usable = entry != nullptr && (entry->isNull() || entry->isObject());
        }
    }
    if (usable) return root;
    // Whatever the user had must survive our rewrite.
    writable = !KeepCorruptFile(path).empty();
    return root.isObject() ? root : Json::Value();
}

Json::Value CBasicProfiledata::LoadProfile(const fs::path& path) {
    bool writable = true;
    Json::Value file = ReadForUpdate(path, writable);
    Json::Value* slot = Element(Member(&file, "Device"), m_deviceIndex);
    m_entry = (slot != nullptr && slot->isObject()) ? *slot : Json::Value();
    if (m_entry.isNull()) {
        Json::Value defaults = ReadJsonValue(m_defaultPath);
        const Json::Value* defaultEntry = Element(Member(&defaults, "Device"), m_deviceIndex);
        if (defaultEntry != nullptr && defaultEntry->isObject()) m_entry = *defaultEntry;
        if (Json::Value* target = WritableElement(WritableMember(file, "Device"), m_deviceIndex)) {
            *target = m_entry;
        }
        if (writable) {
            WriteJson(file, path);
        } else {
            Trace("LoadProfile: %s left untouched\n", path.c_str());
        }
    }
    return m_entry;
}

void CBasicProfiledata::SaveEntry(const Json::Value& entry, const fs::path& path) {
    if (path.empty()) {
        Trace("SaveEntry: no profile file\n");
        return;
    }
    bool writable = true;
    Json::Value file = ReadForUpdate(path, writable);
    if (!writable) {
        Trace("SaveEntry: %s left untouched\n", path.c_str());
        return;
    }
    if (Json::Value* target = WritableElement(WritableMember(file, "Device"), m_deviceIndex)) {
        *target = entry;
    }
    WriteJson(file, path);
}

void CBasicProfiledata::Save() {
    // Before a load there is nothing of the user's in memory: writing would
    // put null over the device entry on disk.
    if (m_entry.isNull()) {
        Trace("Save: no profile loaded, %s left untouched\n", m_profilePath.c_str());
        return;
    }
    SaveEntry(m_entry, m_profilePath);
}

void CBasicProfiledata::WriteJson(const Json::Value& value, const fs::path& path) {
    WriteJsonFile(path, value);
}

Json::Value CBasicProfiledata::LoadLightConfig(const fs::path& path) {
    m_lightConfig = ReadJsonValue(path);
    return m_lightConfig;
}

LightInfoRecord CBasicProfiledata::GetLightInfo() {
    Json::Value* info = EntryMember("LightInfo");
    if (!IsObject(info)) return m_lightInfo;
    m_lightInfo.selectItem = Byte(Member(info, "SelectItem"));
    m_lightInfo.logoSelectItem = Byte(Member(info, "LogoSelectItem"));
    m_lightInfo.light = Byte(Member(info, "Light"));
    m_lightInfo.speed = Byte(Member(info, "Speed"));
    m_lightInfo.multiColor = FlagByte(Member(info, "MultiColor"));
    m_lightInfo.red = Byte(Member(info, "Red"));
    m_lightInfo.green = Byte(Member(info, "Green"));
    m_lightInfo.blue = Byte(Member(info, "Blue"));
    m_lightInfo.fx = Byte(Member(info, "Fx"));
    return m_lightInfo;
}

void CBasicProfiledata::SetLightInfo(uint32_t word1, uint32_t word2, uint32_t word3) {
    m_lightInfo = LightInfoRecord::FromWords(word1, word2, word3);
    Json::Value info(Json::objectValue);
    info["SelectItem"] = m_lightInfo.selectItem;
    info["LogoSelectItem"] = m_lightInfo.logoSelectItem;
    info["Light"] = m_lightInfo.light;
    info["Speed"] = m_lightInfo.speed;
    info["MultiColor"] = m_lightInfo.multiColor;
    info["Red"] = m_lightInfo.red;
    info["Green"] = m_lightInfo.green;
    info["Blue"] = m_lightInfo.blue;
    info["Fx"] = m_lightInfo.fx;
    WritableEntryMember("LightInfo") = info;
}

std::vector<LightZoneRecord> CBasicProfiledata::GetLightList() {
    std::vector<LightZoneRecord> zones;
    Json::Value* list = EntryMember("LightList");
    for (Json::ArrayIndex i = 0; i < ListSize(list); ++i) {
        Json::Value* element = &(*list)[i];
        LightZoneRecord zone;
        if (IsObject(element)) {
            zone.mode = Byte(Member(element, "LEDREGMode"));
            zone.brightness = Byte(Member(element, "LEDBrightness"));
            zone.speed = Byte(Member(element, "LEDSpeed"));
            zone.direction = FlagByte(Member(element, "LEDDirection"));
            zone.multiColor = FlagByte(Member(element, "LEDMultiColor"));
            zone.red = Byte(Member(element, "red"));
            zone.green = Byte(Member(element, "green"));
            zone.blue = Byte(Member(element, "blue"));
            zone.present = 1;
        }
        zones.push_back(zone);
    }
    m_lightList = zones;
    return zones;
}

std::vector<LightEffectStep> CBasicProfiledata::GetEffectSteps() {
    std::vector<LightEffectStep> steps;
    const int custom = m_lightInfo.selectItem - m_builtInEffectCount;
    if (!m_lightConfig.isNull() && custom >= 0) {
        Json::Value* lights = Element(Member(&m_lightConfig, "LightInfo"), m_deviceIndex);
        const std::string guid = ReadText(Member(Element(lights, custom), "Guid"));
        Json::Value file = ReadJsonValue(guid + ".light");
        Json::Value* list = IsObject(&file) ? Member(&file, "LEDEffectList") : nullptr;
        for (Json::ArrayIndex i = 0; i < ListSize(list); ++i) {
            Json::Value* element = &(*list)[i];
            if (!IsObject(element)) {
                Trace("%s.light: step %u is not an object\n", guid.c_str(), i);
                steps.clear();
                break;
            }
            LightEffectStep step;
            step.mode = Byte(Member(element, "LEDREGMode"));
            step.direction = Byte(Member(element, "LEDDirection"));
            step.brightness = Byte(Member(element, "LEDBrightness"));
            step.speed = Byte(Member(element, "LEDSpeed"));
            step.multiColor = Byte(Member(element, "LEDMultiColor"));
            step.red = Byte(Member(element, "red"));
            step.green = Byte(Member(element, "green"));
            step.blue = Byte(Member(element, "blue"));
            step.time = static_cast<uint32_t>(ReadNumber(Member(element, "Time")));
            step.cyle = static_cast<uint32_t>(ReadNumber(Member(element, "Cyle")));
            steps.push_back(step);
        }
    }
    m_effectSteps = steps;
    return steps;
}

std::vector<KeyAssignmentRecord> CBasicProfiledata::GetKeyList() {
    std::vector<KeyAssignmentRecord> keys;
    Json::Value* list = EntryMember("KeyList");
    for (Json::ArrayIndex i = 0; i < ListSize(list); ++i) {
        Json::Value* element = &(*list)[i];
        const bool isObject = IsObject(element);
        const auto assignment =
            static_cast<uint32_t>(isObject ? ReadNumber(Member(element, "Assignment")) : 0);
        const auto defaults =
            static_cast<uint32_t>(isObject ? ReadNumber(Member(element, "DefaultAssignment")) : 0);
        KeyAssignmentRecord key;
        key.keyIndex = static_cast<uint16_t>(i);
        key.kind = static_cast<uint8_t>(assignment >> 16);
        key.high = static_cast<uint8_t>(assignment >> 8);
        key.low = static_cast<uint8_t>(assignment);
        key.defaultKeyIndex = key.keyIndex;
        key.defaultKind = static_cast<uint8_t>(defaults >> 16);
        key.defaultHigh = static_cast<uint8_t>(defaults >> 8);
        key.defaultLow = static_cast<uint8_t>(defaults);
        keys.push_back(key);
    }
    m_keyList = keys;
    return keys;
}

void CBasicProfiledata::SetKeyList(const std::vector<KeyAssignmentRecord>& list) {
    m_keyList = list;
    Json::Value& keys = WritableEntryMember("KeyList");
    for (size_t i = 0; i < list.size(); ++i) {
        Json::Value* element = WritableElement(keys, static_cast<int64_t>(i));
        if (element == nullptr) break;
        WritableMember(*element, "Assignment") = static_cast<int>(list[i].Assignment());
    }
}

}  // namespace warden
