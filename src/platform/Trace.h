#pragma once
// The diagnostic trace: never shown to the user. Off by default; written to
// stderr when WARDEN_TRACE=1, and kept in memory while a TraceCapture lives
// so that tests can read what was traced.

#include <string>
#include <string_view>
#include <vector>

namespace warden {

// printf-style; the text is UTF-8 and emitted as it stands (no newline added).
void Trace(const char* format, ...) __attribute__((format(printf, 1, 2)));
void TraceText(std::string_view text);

// True when some sink listens, so callers can skip expensive formatting.
bool TraceEnabled();

class TraceCapture {
public:
    TraceCapture();
    ~TraceCapture();
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    // Every trace call made since construction, one entry each.
    std::vector<std::string> Entries() const;
    bool Contains(std::string_view fragment) const;
    size_t Count(std::string_view fragment) const;
    void Clear();
};

}  // namespace warden
