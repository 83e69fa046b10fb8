#pragma once
// Win32-style events: manual- or auto-reset, waitable alone or several at
// once. Every blocking wait in a worker thread goes through these so that a
// stop request always wakes it.

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

namespace warden {

inline constexpr uint32_t kInfinite = 0xFFFFFFFFu;
inline constexpr int kWaitTimeout = -1;

class Event {
public:
    enum class ResetMode { Manual, Auto };

    explicit Event(ResetMode mode = ResetMode::Manual, bool initiallySet = false);
    ~Event();
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    void Set();
    void Reset();
    // True while signalled; does not consume an auto-reset event.
    bool IsSet() const;

    // Waits until signalled or `timeoutMs` passed (kInfinite: forever).
    // Returns true when signalled; an auto-reset event is consumed.
    bool Wait(uint32_t timeoutMs);

    // Waits until any of `events` is signalled. Returns the index of the one
    // that fired (the lowest when several are set), or kWaitTimeout.
    static int WaitAny(std::span<Event* const> events, uint32_t timeoutMs);

private:
    struct Waiter;
    bool TryConsumeLocked();

    const ResetMode m_mode;
    mutable std::mutex m_mutex;
    bool m_signalled;
    std::vector<Waiter*> m_waiters;
};

}  // namespace warden
