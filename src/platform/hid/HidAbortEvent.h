#pragma once
// The abort event of a HID connection: auto-reset, settable from any thread,
// and waitable together with a device's file descriptor through poll(). A
// signal set while nothing waits stays pending until a transfer consumes it.

namespace warden {

class HidAbortEvent {
public:
    HidAbortEvent();
    ~HidAbortEvent();
    HidAbortEvent(const HidAbortEvent&) = delete;
    HidAbortEvent& operator=(const HidAbortEvent&) = delete;

    // Signals the event; several signals before a consumer collapse into one.
    void Set();
    // Consumes a pending signal. Returns true when one was pending.
    bool TryConsume();
    // The descriptor that poll() reports readable while a signal is pending;
    // -1 when the event could not be created (it then never fires).
    int Fd() const { return m_fd; }

private:
    int m_fd;
};

}  // namespace warden
