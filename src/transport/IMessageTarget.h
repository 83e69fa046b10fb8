#pragma once
// Where a worker thread's window messages go: the main window in the
// program, a recording target in tests.

#include <cstdint>

namespace warden {

class IMessageTarget {
public:
    virtual ~IMessageTarget() = default;
    // Queues the message and returns at once; false when it could not be
    // queued (target gone).
    virtual bool Post(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
    // Returns once the target has handled the message, with the handler's
    // result; 0 at once when the target is being destroyed.
    virtual intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
};

}  // namespace warden
