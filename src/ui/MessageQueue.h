#pragma once
// The process's window message queue. Any thread may post or send; the UI
// thread (the one that created the first window) dispatches. A send from a
// worker thread blocks until the UI thread handled it, and returns 0 at once
// when the target window is gone or being destroyed, so a worker never
// deadlocks against a window that is shutting down.

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <unordered_map>

#include "platform/Event.h"
#include "ui/Messages.h"

namespace warden {

class CWindowWnd;

// Called for a posted message that is dropped because its window went away,
// so that a record passed by pointer is not leaked.
using MessageRelease = void (*)(WParam, LParam);

class MessageQueue {
public:
    static MessageQueue& Instance();

    // Makes the calling thread the UI thread. Done by the first window.
    void BindUiThread();
    bool IsUiThread() const;

    // Window registry (CWindowWnd). Register returns a fresh handle.
    WindowHandle Register(CWindowWnd* window);
    // From now on sends to `handle` return 0 and waiting sends are released.
    void BeginDestroy(WindowHandle handle);
    void Unregister(WindowHandle handle);
    // The live window of `handle`, or null (gone or being destroyed). UI thread.
    CWindowWnd* Find(WindowHandle handle) const;

    // Queues a message. False when the window does not exist (then
    // `release`, if given, has been called).
    bool Post(WindowHandle handle, uint32_t message, WParam wParam, LParam lParam,
              MessageRelease release = nullptr);
    // Delivers a message and returns the handler's result: directly on the
    // UI thread, else through the queue. Returns 0 without delivery when the
    // window is gone or being destroyed, or when `abort` is signalled first.
    LResult Send(WindowHandle handle, uint32_t message, WParam wParam, LParam lParam,
                 Event* abort = nullptr);

    void PostQuit(int exitCode);
    bool IsQuitPosted() const;
    int ExitCode() const;
    // Forgets a quit request (a test starting over, a new message loop).
    void ResetQuit();

    // UI thread: handles every queued message (sends and posts, in order,
    // including those queued meanwhile). Returns how many were handled.
    size_t DispatchPending();
    bool HasPending() const;

private:
    struct SendState;
    struct Item {
        WindowHandle handle;
        uint32_t message;
        WParam wParam;
        LParam lParam;
        MessageRelease release;
        std::shared_ptr<SendState> send;  // null for posted messages
    };
    struct Entry {
        CWindowWnd* window;
        bool destroying;
    };

    void WakeHost();

    mutable std::mutex m_mutex;
    std::thread::id m_uiThread;
    bool m_uiBound = false;
    WindowHandle m_nextHandle = 1;
    std::unordered_map<WindowHandle, Entry> m_windows;
    std::deque<Item> m_items;
    bool m_quit = false;
    int m_exitCode = 0;
};

// Shorthands on the process queue.
bool PostMessage(WindowHandle handle, uint32_t message, WParam wParam = 0, LParam lParam = 0);
LResult SendMessage(WindowHandle handle, uint32_t message, WParam wParam = 0, LParam lParam = 0);
void PostQuitMessage(int exitCode);
bool IsWindow(WindowHandle handle);

}  // namespace warden
