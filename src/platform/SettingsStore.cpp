#include "platform/SettingsStore.h"

#include <json/json.h>

#include <memory>
#include <mutex>
#include <sstream>

#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "platform/Trace.h"

namespace warden {
namespace {

std::mutex g_mutex;

// A missing or unreadable file reads as an empty store.
Json::Value Load(const std::filesystem::path& file) {
    std::string text;
    Json::Value root(Json::objectValue);
    if (!ReadWholeFile(file, text)) return root;
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value parsed;
    std::string errors;
    if (reader->parse(text.data(), text.data() + text.size(), &parsed, &errors) &&
        parsed.isObject()) {
        return parsed;
    }
    Trace("settings file %s is not a JSON object; starting empty\n", file.c_str());
    return root;
}

bool Store(const std::filesystem::path& file, const Json::Value& root) {
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "  ";
    return WriteFileAtomic(file, Json::writeString(builder, root) + "\n");
}

template <typename Mutate>
bool Update(const std::filesystem::path& file, Mutate mutate) {
    std::lock_guard lock(g_mutex);
    Json::Value root = Load(file);
    mutate(root);
    return Store(file, root);
}

}  // namespace

SettingsStore& SettingsStore::User() {
    static SettingsStore store(folders::ConfigFolder() / "settings.json");
    return store;
}

SettingsStore::SettingsStore(std::filesystem::path file) : m_file(std::move(file)) {}

std::optional<std::string> SettingsStore::GetString(const std::string& name) const {
    std::lock_guard lock(g_mutex);
    const Json::Value root = Load(m_file);
    const Json::Value& value = root[name];
    if (!value.isString()) return std::nullopt;
    return value.asString();
}

std::optional<int64_t> SettingsStore::GetInt(const std::string& name) const {
    std::lock_guard lock(g_mutex);
    const Json::Value root = Load(m_file);
    const Json::Value& value = root[name];
    if (!value.isInt64()) return std::nullopt;
    return value.asInt64();
}

bool SettingsStore::SetString(const std::string& name, const std::string& value) {
    return Update(m_file, [&](Json::Value& root) { root[name] = value; });
}

bool SettingsStore::SetInt(const std::string& name, int64_t value) {
    return Update(m_file, [&](Json::Value& root) { root[name] = Json::Int64(value); });
}

bool SettingsStore::Remove(const std::string& name) {
    return Update(m_file, [&](Json::Value& root) { root.removeMember(name); });
}

}  // namespace warden
