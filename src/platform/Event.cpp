#include "platform/Event.h"

#include <algorithm>
#include <chrono>

namespace warden {

// One blocked caller of Wait/WaitAny. Events that fire notify every waiter
// registered with them; the waiter then re-checks its events itself.
struct Event::Waiter {
    std::mutex mutex;
    std::condition_variable cv;
    bool woken = false;

    void Wake() {
        {
            std::lock_guard lock(mutex);
            woken = true;
        }
        cv.notify_all();
    }
};

Event::Event(ResetMode mode, bool initiallySet) : m_mode(mode), m_signalled(initiallySet) {}

Event::~Event() = default;

void Event::Set() {
    std::lock_guard lock(m_mutex);
    m_signalled = true;
    for (Waiter* waiter : m_waiters) waiter->Wake();
}

void Event::Reset() {
    std::lock_guard lock(m_mutex);
    m_signalled = false;
}

bool Event::IsSet() const {
    std::lock_guard lock(m_mutex);
    return m_signalled;
}

bool Event::TryConsumeLocked() {
    if (!m_signalled) return false;
    if (m_mode == ResetMode::Auto) m_signalled = false;
    return true;
}

bool Event::Wait(uint32_t timeoutMs) {
    Event* self = this;
    return WaitAny(std::span<Event* const>(&self, 1), timeoutMs) == 0;
}

int Event::WaitAny(std::span<Event* const> events, uint32_t timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    Waiter waiter;

    auto tryConsume = [&]() -> int {
        for (size_t i = 0; i < events.size(); ++i) {
            std::lock_guard lock(events[i]->m_mutex);
            if (events[i]->TryConsumeLocked()) return static_cast<int>(i);
        }
        return kWaitTimeout;
    };
    auto enrol = [&](bool add) {
        for (Event* event : events) {
            std::lock_guard lock(event->m_mutex);
            auto& list = event->m_waiters;
            if (add) {
                list.push_back(&waiter);
            } else {
                list.erase(std::remove(list.begin(), list.end(), &waiter), list.end());
            }
        }
    };

    int fired = tryConsume();
    if (fired != kWaitTimeout || timeoutMs == 0 || events.empty()) return fired;

    enrol(true);
    while (true) {
        fired = tryConsume();
        if (fired != kWaitTimeout) break;
        std::unique_lock lock(waiter.mutex);
        if (!waiter.woken) {
            if (timeoutMs == kInfinite) {
                waiter.cv.wait(lock, [&] { return waiter.woken; });
            } else if (!waiter.cv.wait_until(lock, deadline, [&] { return waiter.woken; })) {
                lock.unlock();
                fired = tryConsume();  // a Set racing the deadline still counts
                break;
            }
        }
        waiter.woken = false;
    }
    enrol(false);
    return fired;
}

}  // namespace warden
