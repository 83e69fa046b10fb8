#pragma once
// The settings of one device's selected profile: the parsed device entry of
// the profile file, the conversions between its JSON keys and the records the
// device kinds use, and the read-modify-write of the file. Setters change
// memory only; nothing reaches the file before Save. No operation throws.
// Called from one thread at a time.

#include <json/json.h>

#include <filesystem>
#include <vector>

#include "profiles/JsonAccess.h"
#include "profiles/ProfileRecords.h"

namespace warden {

class CBasicProfiledata {
public:
    CBasicProfiledata() = default;
    virtual ~CBasicProfiledata() = default;
    CBasicProfiledata(const CBasicProfiledata&) = delete;
    CBasicProfiledata& operator=(const CBasicProfiledata&) = delete;

    // Writes the device entry into the profile file, keeping the file's
    // other members. A file that does not parse is kept aside first; when
    // that is impossible, or no profile path is set, nothing is written.
    virtual void Save();
    // Reads the file at `path`, sets its "Device"[device index] to `entry`
    // and writes it back, with the same safeguards as Save.
    virtual void SaveEntry(const Json::Value& entry, const std::filesystem::path& path);
    // Writes `value` as the whole file (atomically; failures are traced).
    virtual void WriteJson(const Json::Value& value, const std::filesystem::path& path);

    // Paths. An empty path leaves the previous one in place.
    void SetProfilePath(const std::filesystem::path& path);
    const std::filesystem::path& GetProfilePath() const { return m_profilePath; }
    void SetDefaultPath(const std::filesystem::path& path);
    const std::filesystem::path& GetDefaultPath() const { return m_defaultPath; }
    void SetLightConfigPath(const std::filesystem::path& path);
    const std::filesystem::path& GetLightConfigPath() const { return m_lightConfigPath; }

    // Which "Device" element is ours; values outside 0..kMaxJsonListIndex
    // count as 0.
    void SetDeviceIndex(int index);
    int GetDeviceIndex() const { return m_deviceIndex; }
    // Number of built-in lighting effects; SelectItem values from here on
    // name custom lights of the light configuration.
    void SetBuiltInEffectCount(int count) { m_builtInEffectCount = count; }
    int GetBuiltInEffectCount() const { return m_builtInEffectCount; }

    // Loads "Device"[device index] of the file at `path` as the device entry
    // and returns a copy. When the file lacks it, it is completed from the
    // default profile file and written back (a missing file becomes a file
    // holding only "Device"); a file that does not parse is kept aside as
    // "<name>.corrupt-<time>" before that. Returns null when neither file
    // gives an entry. The profile path is not changed.
    Json::Value LoadProfile(const std::filesystem::path& path);
    // Reads the light configuration file into memory and returns a copy
    // (null when missing or unparsable).
    Json::Value LoadLightConfig(const std::filesystem::path& path);

    // The entry's "LightInfo"; the record held in memory when there is none.
    LightInfoRecord GetLightInfo();
    void SetLightInfo(uint32_t word1, uint32_t word2, uint32_t word3);
    // One record per "LightList" element; empty without a list.
    std::vector<LightZoneRecord> GetLightList();
    // The steps of the selected custom effect from its ".light" file; empty
    // for a built-in effect or when anything on the way is missing.
    std::vector<LightEffectStep> GetEffectSteps();
    // One record per "KeyList" element; empty without a list.
    std::vector<KeyAssignmentRecord> GetKeyList();
    // Stores the current assignments; "DefaultAssignment" is never written.
    void SetKeyList(const std::vector<KeyAssignmentRecord>& list);

    // The device entry as it stands in memory (null before a load).
    const Json::Value& GetEntry() const { return m_entry; }

protected:
    // A member of the device entry for reading; nullptr while the entry is
    // null or not an object.
    Json::Value* EntryMember(const char* key);
    // A member of the device entry for writing (the entry becomes an object).
    Json::Value& WritableEntryMember(const char* key) {
        return warden::WritableMember(m_entry, key);
    }

private:
    // The file at `path` parsed for a read-modify-write. `writable` is false
    // when an unparsable file could not be kept aside and must not be
    // replaced.
    Json::Value ReadForUpdate(const std::filesystem::path& path, bool& writable);

    std::filesystem::path m_profilePath;
    std::filesystem::path m_defaultPath;
    std::filesystem::path m_lightConfigPath;
    Json::Value m_entry;
    Json::Value m_lightConfig;
    int m_deviceIndex = 0;
    int m_builtInEffectCount = 0;
    LightInfoRecord m_lightInfo;
    std::vector<LightZoneRecord> m_lightList;
    std::vector<LightEffectStep> m_effectSteps;
    std::vector<KeyAssignmentRecord> m_keyList;
};

}  // namespace warden
