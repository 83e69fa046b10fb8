#pragma once
// Whole-file replacement that never leaves a half-written target: the data
// goes to a temporary file in the same folder, is flushed to disk and renamed
// over the target. On any failure the old file stays as it was.

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string_view>

namespace warden {

// Writes `data` as the new content of `target`. Returns false (and traces why)
// when the write failed; the old content is then intact.
bool WriteFileAtomic(const std::filesystem::path& target, std::string_view data);

// As above, with the content produced by `produce` into the temporary file. A
// producer that returns false aborts the replacement.
bool WriteFileAtomic(const std::filesystem::path& target,
                     const std::function<bool(std::FILE*)>& produce);

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::filesystem::path& path, std::string& out);

}  // namespace warden
