#include "platform/Folders.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "platform/Trace.h"

namespace warden::folders {
namespace fs = std::filesystem;
namespace {

fs::path FromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    // XDG says relative values are invalid and must be ignored.
    if (value == nullptr || value[0] != '/') return {};
    return fs::path(value);
}

fs::path Home() {
    fs::path home = FromEnvironment("HOME");
    return home.empty() ? fs::path("/tmp") : home;
}

fs::path XdgFolder(const char* variable, const char* fallbackBelowHome) {
    fs::path base = FromEnvironment(variable);
    if (base.empty()) base = Home() / fallbackBelowHome;
    fs::path folder = base / kProductName;
    return EnsureFolder(folder) ? folder : fs::path();
}

bool HasData(const fs::path& folder) { return fs::is_directory(folder / "skin"); }

}  // namespace

bool EnsureFolder(const fs::path& folder) {
    std::error_code error;
    if (fs::is_directory(folder, error)) return true;
    fs::create_directories(folder, error);
    if (error) {
        Trace("cannot create folder %s: %s\n", folder.c_str(), error.message().c_str());
        return false;
    }
    return true;
}

fs::path ProgramFolder() {
    std::error_code error;
    fs::path exe = fs::read_symlink("/proc/self/exe", error);
    if (error) return fs::current_path(error);
    return exe.parent_path();
}

fs::path DataFolder() {
    fs::path overridden = FromEnvironment("WARDEN_DATA_DIR");
    if (!overridden.empty()) return overridden;
    const fs::path program = ProgramFolder();
    if (HasData(program)) return program;
    const fs::path installed = program.parent_path() / "share" / "vdl-k42-warden";
    if (HasData(installed)) return installed;
    return program;
}

fs::path UserDataFolder() { return XdgFolder("XDG_DATA_HOME", ".local/share"); }
fs::path ConfigFolder() { return XdgFolder("XDG_CONFIG_HOME", ".config"); }
fs::path CacheFolder() { return XdgFolder("XDG_CACHE_HOME", ".cache"); }

fs::path RuntimeFolder() {
    fs::path base = FromEnvironment("XDG_RUNTIME_DIR");
    fs::path folder = base.empty() ? fs::path("/tmp") / ("vdl-k42-warden-" + std::to_string(getuid()))
                                   : base / kProductName;
    if (!EnsureFolder(folder)) return {};
    // Lock and socket live here: keep other users out.
    std::error_code error;
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace, error);
    return folder;
}

}  // namespace warden::folders
