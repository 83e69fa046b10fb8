#include "ui/MessageQueue.h"

#include "platform/Trace.h"
#include "ui/CWindowWnd.h"
#include "ui/Host.h"

namespace warden {

struct MessageQueue::SendState {
    Event done{Event::ResetMode::Manual};
    LResult result = 0;
};

MessageQueue& MessageQueue::Instance() {
    static MessageQueue queue;
    return queue;
}

void MessageQueue::BindUiThread() {
    std::lock_guard lock(m_mutex);
    if (m_uiBound) return;
    m_uiThread = std::this_thread::get_id();
    m_uiBound = true;
}

bool MessageQueue::IsUiThread() const {
    std::lock_guard lock(m_mutex);
    return m_uiBound && m_uiThread == std::this_thread::get_id();
}

WindowHandle MessageQueue::Register(CWindowWnd* window) {
    BindUiThread();
    std::lock_guard lock(m_mutex);
    WindowHandle handle = m_nextHandle++;
    m_windows[handle] = Entry{window, false};
    return handle;
}

void MessageQueue::BeginDestroy(WindowHandle handle) {
    std::deque<Item> dropped;
    {
        std::lock_guard lock(m_mutex);
        auto it = m_windows.find(handle);
        if (it == m_windows.end()) return;
        it->second.destroying = true;
        for (auto item = m_items.begin(); item != m_items.end();) {
            if (item->handle == handle) {
                dropped.push_back(*item);
                item = m_items.erase(item);
            } else {
                ++item;
            }
        }
    }
    // Waiting senders return 0 now; posted records are released.
    for (Item& item : dropped) {
        if (item.send)
            item.send->done.Set();
        else if (item.release)
            item.release(item.wParam, item.lParam);
    }
}

void MessageQueue::Unregister(WindowHandle handle) {
    BeginDestroy(handle);
    std::lock_guard lock(m_mutex);
    m_windows.erase(handle);
}

CWindowWnd* MessageQueue::Find(WindowHandle handle) const {
    std::lock_guard lock(m_mutex);
    auto it = m_windows.find(handle);
    if (it == m_windows.end() || it->second.destroying) return nullptr;
    return it->second.window;
}

void MessageQueue::WakeHost() {
    if (Host* host = GetHost()) host->WakeLoop();
}

bool MessageQueue::Post(WindowHandle handle, uint32_t message, WParam wParam, LParam lParam,
                        MessageRelease release) {
    bool queued = false;
    {
        std::lock_guard lock(m_mutex);
        auto it = m_windows.find(handle);
        if (it != m_windows.end() && !it->second.destroying) {
            m_items.push_back(Item{handle, message, wParam, lParam, release, nullptr});
            queued = true;
        }
    }
    if (!queued) {
        if (release) release(wParam, lParam);
        return false;
    }
    WakeHost();
    return true;
}

LResult MessageQueue::Send(WindowHandle handle, uint32_t message, WParam wParam, LParam lParam,
                           Event* abort) {
    if (IsUiThread()) {
        CWindowWnd* window = Find(handle);
        return window ? window->OnNativeMessage(message, wParam, lParam) : 0;
    }
    auto state = std::make_shared<SendState>();
    {
        std::lock_guard lock(m_mutex);
        auto it = m_windows.find(handle);
        if (it == m_windows.end() || it->second.destroying) return 0;
        m_items.push_back(Item{handle, message, wParam, lParam, nullptr, state});
    }
    WakeHost();
    if (abort) {
        Event* events[] = {&state->done, abort};
        if (Event::WaitAny(events, kInfinite) != 0) {
            // Abandoned: take it back if the UI thread has not started it.
            std::lock_guard lock(m_mutex);
            std::erase_if(m_items, [&](const Item& item) { return item.send == state; });
            return 0;
        }
    } else {
        state->done.Wait(kInfinite);
    }
    std::lock_guard lock(m_mutex);
    return state->result;
}

void MessageQueue::PostQuit(int exitCode) {
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
        m_exitCode = exitCode;
    }
    WakeHost();
}

bool MessageQueue::IsQuitPosted() const {
    std::lock_guard lock(m_mutex);
    return m_quit;
}

int MessageQueue::ExitCode() const {
    std::lock_guard lock(m_mutex);
    return m_exitCode;
}

void MessageQueue::ResetQuit() {
    std::lock_guard lock(m_mutex);
    m_quit = false;
    m_exitCode = 0;
}

bool MessageQueue::HasPending() const {
    std::lock_guard lock(m_mutex);
    return !m_items.empty();
}

size_t MessageQueue::DispatchPending() {
    size_t handled = 0;
    for (;;) {
        Item item;
        CWindowWnd* window = nullptr;
        {
            std::lock_guard lock(m_mutex);
            if (m_items.empty()) break;
            item = m_items.front();
            m_items.pop_front();
            auto it = m_windows.find(item.handle);
            if (it != m_windows.end() && !it->second.destroying) window = it->second.window;
        }
        LResult result = 0;
        if (window) {
            result = window->OnNativeMessage(item.message, item.wParam, item.lParam);
        } else if (item.release) {
            item.release(item.wParam, item.lParam);
        }
        if (item.send) {
            {
                std::lock_guard lock(m_mutex);
                item.send->result = result;
            }
            item.send->done.Set();
        }
        ++handled;
    }
    return handled;
}

bool PostMessage(WindowHandle handle, uint32_t message, WParam wParam, LParam lParam) {
    return MessageQueue::Instance().Post(handle, message, wParam, lParam);
}

LResult SendMessage(WindowHandle handle, uint32_t message, WParam wParam, LParam lParam) {
    return MessageQueue::Instance().Send(handle, message, wParam, lParam);
}

void PostQuitMessage(int exitCode) {
    MessageQueue::Instance().PostQuit(exitCode);
}

bool IsWindow(WindowHandle handle) {
    return MessageQueue::Instance().Find(handle) != nullptr;
}

}  // namespace warden
