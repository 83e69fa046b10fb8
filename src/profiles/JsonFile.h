#pragma once
// The JSON file helpers behind every JSON file of the program: profiles,
// profile lists, light configuration, macro files and the rest. None of them
// throws; JsonCpp's exceptions stop here.

#include <json/json.h>

#include <filesystem>
#include <string>

namespace warden {

// The whole content of the file as bytes; an empty string when the file
// cannot be opened or read (or is implausibly large for a settings file).
std::string readjsonFile(const std::filesystem::path& path);

// The parsed file (comments kept); a null value when the file is missing,
// empty or does not parse.
Json::Value ReadJsonValue(const std::filesystem::path& path);

// Parses JSON text (a leading byte-order mark is skipped); false, with `out`
// null, when it does not parse.
bool ParseJsonText(const std::string& text, Json::Value& out);

// The styled text of `value`: indented, members in sorted key order, UTF-8
// strings as they stand, CR LF line ends, ending with a line end.
std::string StyledJsonText(const Json::Value& value);

// Replaces the file at `path` with the styled text of `value`, atomically.
// Returns 0 in every case, as callers expect; a failed write is traced and
// leaves the old file intact.
int WriteJsonFile(const std::filesystem::path& path, const Json::Value& value);

// As WriteJsonFile, for callers that need to know: true when the file now
// holds `value`.
bool StoreJsonFile(const std::filesystem::path& path, const Json::Value& value);

// A new profile UUID: the local time as "%d_%02d_%02d_%02d_%02d_%02d_%03d"
// (year ... millisecond). Never the same name twice in one run: within one
// millisecond the later call takes the next millisecond.
std::string MakeTimeStampName();

// Moves an unreadable file aside as "<name>.corrupt-<time stamp>" so that what
// replaces it does not destroy what the user had. Returns the new path, or an
// empty path when the file could not be moved (traced).
std::filesystem::path KeepCorruptFile(const std::filesystem::path& path);

}  // namespace warden
