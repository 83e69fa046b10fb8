#include "devices/DeviceFiles.h"

#include <string>

#include "platform/Folders.h"

namespace warden::devicefiles {

namespace {

// The folder name comes from the kind table, but it becomes a path
// component: anything that could leave the user data folder is refused.
bool IsSafeComponent(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string_view::npos;
}

std::filesystem::path InUserFolder(std::string_view deviceFolderName, std::string_view baseName,
                                   std::string_view extension) {
    std::filesystem::path folder = UserFolder(deviceFolderName);
    if (folder.empty()) return {};
    return folder / (std::string(baseName) + std::string(extension));
}

}  // namespace

std::filesystem::path DefaultFolder() {
    return folders::DataFolder() / "DefaultData";
}

std::filesystem::path DefaultProfilePath(std::string_view deviceFolderName) {
    return DefaultFolder() / (std::string(deviceFolderName) + ".Json");
}

std::filesystem::path UserFolder(std::string_view deviceFolderName) {
    if (!IsSafeComponent(deviceFolderName)) return {};
    const std::filesystem::path base = folders::UserDataFolder();
    if (base.empty()) return {};
    std::filesystem::path folder = base / std::string(deviceFolderName);
    return folders::EnsureFolder(folder) ? folder : std::filesystem::path{};
}

std::filesystem::path ProfilePath(std::string_view deviceFolderName,
                                  std::string_view profileBaseName) {
    return InUserFolder(deviceFolderName, profileBaseName, ".Json");
}

std::filesystem::path LightConfigPath(std::string_view deviceFolderName,
                                      std::string_view lightConfigBaseName) {
    return InUserFolder(deviceFolderName, lightConfigBaseName, ".config");
}

}  // namespace warden::devicefiles
