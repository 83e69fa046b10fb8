#pragma once
// Where a worker thread sends its window messages. The discovery thread and
// other workers take this interface so that tests can give them a recorder
// instead of a window.

#include "platform/Event.h"
#include "ui/Messages.h"

namespace warden {

class MessageTarget {
public:
    virtual ~MessageTarget() = default;
    // Blocks until handled; 0 when the target is gone or `abort` fired first.
    virtual LResult Send(uint32_t message, WParam wParam, LParam lParam,
                         Event* abort = nullptr) = 0;
    // False when the target is gone.
    virtual bool Post(uint32_t message, WParam wParam, LParam lParam) = 0;
};

// A window of the process message queue as a target.
class WindowMessageTarget : public MessageTarget {
public:
    explicit WindowMessageTarget(WindowHandle window) : m_window(window) {}
    LResult Send(uint32_t message, WParam wParam, LParam lParam, Event* abort = nullptr) override;
    bool Post(uint32_t message, WParam wParam, LParam lParam) override;
    WindowHandle Window() const { return m_window; }

private:
    WindowHandle m_window;
};

}  // namespace warden
