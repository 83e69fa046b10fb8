#pragma once
// Shared helpers of the profile tests: files in a fresh folder, read back.

#include <gtest/gtest.h>
#include <json/json.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "profiles/JsonFile.h"
#include "support/TempDir.h"

namespace warden::test {

inline void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

inline std::string ReadText(const std::filesystem::path& path) {
    std::string text;
    std::ifstream in(path, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return text;
}

inline Json::Value Parse(const std::string& text) {
    Json::Value value;
    ParseJsonText(text, value);
    return value;
}

inline std::filesystem::path DefaultProfile(const char* kind) {
    return std::filesystem::path(WARDEN_SOURCE_DIR) / "data" / "DefaultData" /
           (std::string(kind) + ".Json");
}

inline std::filesystem::path Fixture(const char* name) {
    return std::filesystem::path(WARDEN_TESTDATA_DIR) / "profiles" / name;
}

// Files in this folder whose name starts with `prefix`.
inline int CountFilesStartingWith(const std::filesystem::path& folder, const std::string& prefix) {
    int count = 0;
    for (const auto& item : std::filesystem::directory_iterator(folder)) {
        if (item.path().filename().string().rfind(prefix, 0) == 0) ++count;
    }
    return count;
}

// A profile data object of type `Profiledata` reading and saving one
// "Device" entry in a fresh folder.
template <typename Profiledata>
class ProfiledataEntryTest : public ::testing::Test {
protected:
    // Writes a file whose only "Device" entry is `entry` and loads it.
    void Load(const std::string& entry) {
        WriteText(m_dir / "p.Json", R"({"Device":[)" + entry + "]}");
        m_data.SetProfilePath(m_dir / "p.Json");
        m_data.LoadProfile(m_dir / "p.Json");
    }
    // Saves and returns the first "Device" entry of the file written.
    Json::Value SavedEntry() {
        m_data.Save();
        return Parse(ReadText(m_dir / "p.Json"))["Device"][0];
    }

    TempDir m_dir;
    Profiledata m_data;
};

}  // namespace warden::test
