#pragma once
// Where the program and its user's files live. Every folder function creates
// the folder (and its parents) when it is missing and returns it; an empty
// path means it could not be created.

#include <filesystem>

namespace warden::folders {

inline constexpr const char* kProductName = "VDL-K42 WARDEN";

// The folder of the running executable (from /proc/self/exe).
std::filesystem::path ProgramFolder();

// The folder holding skin/, DefaultData/ and Font/: the program folder when
// it has them (a build run in place), else the installed share folder.
// WARDEN_DATA_DIR overrides both.
std::filesystem::path DataFolder();

// $XDG_DATA_HOME/VDL-K42 WARDEN (default ~/.local/share/...): user data.
std::filesystem::path UserDataFolder();
// $XDG_CONFIG_HOME/VDL-K42 WARDEN: settings.
std::filesystem::path ConfigFolder();
// $XDG_CACHE_HOME/VDL-K42 WARDEN: downloads and other disposable files.
std::filesystem::path CacheFolder();
// $XDG_RUNTIME_DIR/VDL-K42 WARDEN (or a private folder under /tmp): the
// single-instance lock and socket.
std::filesystem::path RuntimeFolder();

// Creates `folder` and its parents when missing; false when that failed.
bool EnsureFolder(const std::filesystem::path& folder);

}  // namespace warden::folders
