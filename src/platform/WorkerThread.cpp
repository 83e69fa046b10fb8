#include "platform/WorkerThread.h"

#include "platform/Trace.h"

namespace warden {

WorkerThread::~WorkerThread() { Stop(); }

void WorkerThread::Start(void* owner, Body body) {
    Stop();
    m_stop = std::make_unique<Event>(Event::ResetMode::Manual, false);
    m_finished = std::make_unique<Event>(Event::ResetMode::Manual, false);
    WorkerContext context{owner, m_stop.get()};
    Event* finished = m_finished.get();
    m_thread = std::thread([body = std::move(body), context, finished] {
        body(context);
        finished->Set();
    });
}

StopOutcome WorkerThread::Stop(uint32_t boundMs) {
    if (!m_thread.joinable()) {
        m_stop.reset();
        m_finished.reset();
        return StopOutcome::NotRunning;
    }
    m_stop->Set();
    StopOutcome outcome = StopOutcome::Ended;
    if (m_finished->Wait(boundMs)) {
        Trace("线程退出：：对象处于激发状态\n");
    } else {
        // A body that ignores its stop event is a bug; it cannot be killed
        // safely, so say so and wait for it.
        Trace("线程退出：：对象处于非激发状态，超时\n");
        outcome = StopOutcome::TimedOut;
    }
    m_thread.join();
    m_stop.reset();
    m_finished.reset();
    return outcome;
}

bool SleepUnlessStopped(Event& stop, uint32_t ms) { return stop.Wait(ms); }

}  // namespace warden
