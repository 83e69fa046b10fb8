#pragma once
// A recursive lock as Win32's critical section: the owning thread may enter
// again without deadlock.

#include <mutex>

namespace warden {

class CriticalSection {
public:
    void Enter() { m_mutex.lock(); }
    bool TryEnter() { return m_mutex.try_lock(); }
    void Leave() { m_mutex.unlock(); }

    // BasicLockable, so std::lock_guard / std::unique_lock work too.
    void lock() { Enter(); }
    bool try_lock() { return TryEnter(); }
    void unlock() { Leave(); }

private:
    std::recursive_mutex m_mutex;
};

using ScopedLock = std::lock_guard<CriticalSection>;

}  // namespace warden
