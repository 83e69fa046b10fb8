#pragma once
// Small text helpers. Case folding is ASCII-only: names compared this way
// (paths, control names, file names) are ASCII, and bytes above 0x7F compare
// as they stand.

#include <cstdarg>
#include <string>
#include <string_view>

namespace warden {

int CompareNoCase(std::string_view a, std::string_view b);
bool EqualsNoCase(std::string_view a, std::string_view b);
// True when `haystack` contains `needle`, ignoring ASCII case.
bool ContainsNoCase(std::string_view haystack, std::string_view needle);
std::string ToLowerAscii(std::string_view text);

// printf-style formatting into a string.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string FormatV(const char* format, va_list args);

}  // namespace warden
