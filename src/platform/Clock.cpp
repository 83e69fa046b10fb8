#include "platform/Clock.h"

#include <chrono>
#include <thread>

namespace warden {
namespace {

class SystemClock : public Clock {
public:
    uint32_t TickCount() override {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<uint32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    }
    void Sleep(uint32_t ms) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
};

SystemClock g_systemClock;
std::atomic<Clock*> g_clock{&g_systemClock};

}  // namespace

Clock& CurrentClock() { return *g_clock.load(); }
uint32_t GetTickCount() { return CurrentClock().TickCount(); }
void Sleep(uint32_t ms) { CurrentClock().Sleep(ms); }

ScopedClock::ScopedClock(Clock& clock) : m_previous(g_clock.exchange(&clock)) {}
ScopedClock::~ScopedClock() { g_clock.store(m_previous); }

}  // namespace warden
