#pragma once
// Per-user program settings (what Windows keeps in the registry under the
// product's key), stored as one JSON object in settings.json of the config
// folder. Every Set writes the file atomically.

#include <filesystem>
#include <optional>
#include <string>

namespace warden {

class SettingsStore {
public:
    // The store in ConfigFolder()/settings.json.
    static SettingsStore& User();

    explicit SettingsStore(std::filesystem::path file);

    std::optional<std::string> GetString(const std::string& name) const;
    std::optional<int64_t> GetInt(const std::string& name) const;
    // False when the file could not be written; the value is not kept then.
    bool SetString(const std::string& name, const std::string& value);
    bool SetInt(const std::string& name, int64_t value);
    bool Remove(const std::string& name);

    const std::filesystem::path& File() const { return m_file; }

private:
    std::filesystem::path m_file;
};

}  // namespace warden
