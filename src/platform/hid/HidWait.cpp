#include "platform/hid/HidWait.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

#include "platform/Event.h"

namespace warden {
namespace {

int64_t NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

HidWait::HidWait(uint32_t timeoutMs)
    : m_infinite(timeoutMs == kInfinite), m_deadlineNs(NowNs() + int64_t{timeoutMs} * 1000000) {}

int HidWait::RemainingMs() const {
    if (m_infinite) return -1;
    const int64_t left = m_deadlineNs - NowNs();
    if (left <= 0) return 0;
    return static_cast<int>(std::min<int64_t>((left + 999999) / 1000000, INT32_MAX));
}

HidWaitResult HidWait::Wait(int fd, short events, HidAbortEvent& abort, int cancelFd) {
    for (;;) {
        pollfd fds[3] = {{abort.Fd(), POLLIN, 0}, {cancelFd, POLLIN, 0}, {fd, events, 0}};
        const int timeout = RemainingMs();
        const int n = poll(fds, 3, timeout);
        if (n < 0) {
            if (errno == EINTR) continue;
            return HidWaitResult::Failed;
        }
        // Another transfer may have consumed the abort first: keep waiting.
        if ((fds[0].revents & POLLIN) != 0 && abort.TryConsume()) return HidWaitResult::Aborted;
        if (fds[1].revents != 0) return HidWaitResult::Cancelled;
        if ((fds[2].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) return HidWaitResult::Failed;
        if ((fds[2].revents & events) != 0) return HidWaitResult::Ready;
        if (n == 0 && timeout == 0) return HidWaitResult::TimedOut;
    }
}

HidTransferResult TransferResultOf(HidWaitResult wait) {
    switch (wait) {
        case HidWaitResult::Aborted:
            return HidTransferResult::Aborted;
        case HidWaitResult::TimedOut:
            return HidTransferResult::TimedOut;
        default:
            return HidTransferResult::Failed;
    }
}

}  // namespace warden
