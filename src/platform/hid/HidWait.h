#pragma once
// The wait under every HID transfer: a descriptor becoming ready, the
// connection's abort event, a cancel descriptor, or the time-out.

#include <cstdint>

#include "platform/hid/HidAbortEvent.h"
#include "platform/hid/HidBackend.h"

namespace warden {

enum class HidWaitResult { Ready, Aborted, Cancelled, TimedOut, Failed };

// A wait that did not end Ready as the transfer's result: Aborted and
// TimedOut as such, everything else (cancelled, failed) Failed.
HidTransferResult TransferResultOf(HidWaitResult wait);

class HidWait {
public:
    // Starts the time-out now; kInfinite (0xFFFFFFFF) never times out.
    explicit HidWait(uint32_t timeoutMs);

    // Waits until `fd` reports `events` (Ready; hang-up or error give
    // Failed), the abort event fires (consumed; it wins over a ready `fd`),
    // `cancelFd` is readable (Cancelled; -1 for none) or the time-out passed.
    // May be called again after Ready with the time that is left.
    HidWaitResult Wait(int fd, short events, HidAbortEvent& abort, int cancelFd);

private:
    int RemainingMs() const;

    bool m_infinite;
    int64_t m_deadlineNs;
};

}  // namespace warden
