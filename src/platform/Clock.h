#pragma once
// Millisecond tick count and sleep, replaceable as a whole so that tests run
// time-driven logic (lighting steps, timers, time-outs) deterministically.

#include <atomic>
#include <cstdint>

namespace warden {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary start; wraps like GetTickCount.
    virtual uint32_t TickCount() = 0;
    virtual void Sleep(uint32_t ms) = 0;
};

// The process clock: the monotonic system clock unless a test installed
// another one.
Clock& CurrentClock();
uint32_t GetTickCount();
void Sleep(uint32_t ms);

// A clock that only moves when told to. Sleep advances it, so code that
// sleeps in a loop runs at full speed under test.
class ManualClock : public Clock {
public:
    explicit ManualClock(uint32_t start = 0) : m_now(start) {}
    uint32_t TickCount() override { return m_now.load(); }
    void Sleep(uint32_t ms) override { Advance(ms); }
    void Advance(uint32_t ms) { m_now.fetch_add(ms); }
    void Set(uint32_t now) { m_now.store(now); }

private:
    std::atomic<uint32_t> m_now;
};

// Installs a clock for the lifetime of the guard (tests).
class ScopedClock {
public:
    explicit ScopedClock(Clock& clock);
    ~ScopedClock();
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;

private:
    Clock* m_previous;
};

}  // namespace warden
