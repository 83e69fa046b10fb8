#pragma once
// Shared helpers of the profile tests: files in a fresh folder, read back.

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

}  // namespace warden::test
