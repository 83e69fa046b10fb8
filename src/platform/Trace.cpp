#include "platform/Trace.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "platform/Text.h"

namespace warden {
namespace {

struct TraceState {
    std::mutex mutex;
    std::vector<std::string> captured;
    int captures = 0;
};

TraceState& State() {
    static TraceState state;
    return state;
}

bool StderrEnabled() {
    static const bool enabled = [] {
        const char* value = std::getenv("WARDEN_TRACE");
        return value != nullptr && std::strcmp(value, "1") == 0;
    }();
    return enabled;
}

std::atomic<int> g_captures{0};

}  // namespace

bool TraceEnabled() { return StderrEnabled() || g_captures.load() > 0; }

void TraceText(std::string_view text) {
    if (!TraceEnabled()) return;
    TraceState& state = State();
    std::lock_guard lock(state.mutex);
    if (state.captures > 0) state.captured.emplace_back(text);
    if (StderrEnabled()) {
        std::fwrite(text.data(), 1, text.size(), stderr);
        if (text.empty() || text.back() != '\n') std::fputc('\n', stderr);
    }
}

void Trace(const char* format, ...) {
    if (!TraceEnabled()) return;
    va_list args;
    va_start(args, format);
    const std::string text = FormatV(format, args);
    va_end(args);
    TraceText(text);
}

TraceCapture::TraceCapture() {
    std::lock_guard lock(State().mutex);
    if (State().captures++ == 0) State().captured.clear();
    g_captures.fetch_add(1);
}

TraceCapture::~TraceCapture() {
    std::lock_guard lock(State().mutex);
    --State().captures;
    g_captures.fetch_sub(1);
}

std::vector<std::string> TraceCapture::Entries() const {
    std::lock_guard lock(State().mutex);
    return State().captured;
}

bool TraceCapture::Contains(std::string_view fragment) const { return Count(fragment) > 0; }

size_t TraceCapture::Count(std::string_view fragment) const {
    std::lock_guard lock(State().mutex);
    size_t count = 0;
    for (const std::string& entry : State().captured) {
        if (entry.find(fragment) != std::string::npos) ++count;
    }
    return count;
}

void TraceCapture::Clear() {
    std::lock_guard lock(State().mutex);
    State().captured.clear();
}

}  // namespace warden
