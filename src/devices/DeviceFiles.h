#pragma once
// Where a device kind's files live: the default profile beside the program,
// the user's profiles and light configuration under the user data folder.

#include <filesystem>
#include <string_view>

namespace warden::devicefiles {

// DataFolder()/"DefaultData"; not created (it ships with the program).
std::filesystem::path DefaultFolder();
// The kind's default profile: DefaultFolder()/<device folder>.Json.
std::filesystem::path DefaultProfilePath(std::string_view deviceFolderName);

// UserDataFolder()/<device folder>, created with its parents every time it
// is asked for. Empty when the device folder name is empty or unsafe (a path
// separator, "." or "..") or when the folder cannot be created.
std::filesystem::path UserFolder(std::string_view deviceFolderName);
// UserFolder()/<profile base name>.Json; empty when the user folder is.
std::filesystem::path ProfilePath(std::string_view deviceFolderName,
                                  std::string_view profileBaseName);
// UserFolder()/<light configuration base name>.config; empty when the user
// folder is.
std::filesystem::path LightConfigPath(std::string_view deviceFolderName,
                                      std::string_view lightConfigBaseName);

}  // namespace warden::devicefiles
