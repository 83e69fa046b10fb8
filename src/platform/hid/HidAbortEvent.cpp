#include "platform/hid/HidAbortEvent.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "platform/Trace.h"

namespace warden {

HidAbortEvent::HidAbortEvent() : m_fd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
    if (m_fd < 0) Trace("HID abort event could not be created (errno %d)\n", errno);
}

HidAbortEvent::~HidAbortEvent() {
    if (m_fd >= 0) close(m_fd);
}

void HidAbortEvent::Set() {
    if (m_fd < 0) return;
    const uint64_t one = 1;
    if (write(m_fd, &one, sizeof one) != sizeof one) {
        Trace("HID abort event could not be set (errno %d)\n", errno);
    }
}

bool HidAbortEvent::TryConsume() {
    uint64_t count = 0;
    return m_fd >= 0 && read(m_fd, &count, sizeof count) == sizeof count && count > 0;
}

}  // namespace warden
