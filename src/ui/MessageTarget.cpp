#include "ui/MessageTarget.h"

#include "ui/MessageQueue.h"

namespace warden {

LResult WindowMessageTarget::Send(uint32_t message, WParam wParam, LParam lParam, Event* abort) {
    return MessageQueue::Instance().Send(m_window, message, wParam, lParam, abort);
}

bool WindowMessageTarget::Post(uint32_t message, WParam wParam, LParam lParam) {
    return MessageQueue::Instance().Post(m_window, message, wParam, lParam);
}

}  // namespace warden
