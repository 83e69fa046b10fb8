#pragma once
// The worker-thread protocol shared by every background thread: the body
// receives {owner, stop event}; Start stops a running thread first; Stop sets
// the event and waits up to the bound. Threads are never killed: every wait in
// a body honours the stop event, and an overrun is traced and then joined.

#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include "platform/Event.h"

namespace warden {

struct WorkerContext {
    void* owner;
    Event* stop;
};

enum class StopOutcome { NotRunning, Ended, TimedOut };

class WorkerThread {
public:
    using Body = std::function<void(WorkerContext)>;

    WorkerThread() = default;
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Stops a running thread, then starts `body` with a new manual-reset,
    // non-signalled stop event.
    void Start(void* owner, Body body);

    // Sets the stop event and waits up to `boundMs` for the body to return,
    // tracing "线程退出：：对象处于激发状态\n" when it did and
    // "线程退出：：对象处于非激发状态，超时\n" when it did not (the thread is
    // then joined all the same).
    StopOutcome Stop(uint32_t boundMs = 1000);

    bool IsRunning() const { return m_thread.joinable(); }
    // The stop event of the running thread, or null.
    Event* StopEvent() const { return m_stop.get(); }

private:
    std::unique_ptr<Event> m_stop;
    std::unique_ptr<Event> m_finished;
    std::thread m_thread;
};

// Sleeps `ms` unless `stop` is set first; returns true when stopped.
bool SleepUnlessStopped(Event& stop, uint32_t ms);

}  // namespace warden
