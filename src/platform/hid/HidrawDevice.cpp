#include "platform/hid/HidrawDevice.h"

#include <linux/hidraw.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/Trace.h"
#include "platform/hid/HidWait.h"

namespace warden {

HidrawDevice::HidrawDevice(int fd, std::shared_ptr<const HidPreparsedData> data,
                           HidAttributes attributes, std::unique_ptr<HidShareTable::Lease> lease)
    : m_fd(fd),
      m_cancelFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)),
      m_data(std::move(data)),
      m_attributes(attributes),
      m_lease(std::move(lease)) {}

HidrawDevice::~HidrawDevice() {
    if (m_cancelFd >= 0) close(m_cancelFd);
    close(m_fd);
}

HidTransferResult HidrawDevice::Read(std::span<uint8_t> buffer, uint32_t timeoutMs,
                                     HidAbortEvent& abort, size_t& transferred) {
    transferred = 0;
    HidWait wait(timeoutMs);
    for (;;) {
        const HidWaitResult woke = wait.Wait(m_fd, POLLIN, abort, m_cancelFd);
        if (woke != HidWaitResult::Ready) return TransferResultOf(woke);
        const ssize_t n = read(m_fd, m_raw.data(), m_raw.size());
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR) continue;
            Trace("hidraw read failed (errno %d)\n", errno);
            return HidTransferResult::Failed;
        }
        if (n == 0) return HidTransferResult::Failed;  // peer gone
        // Reports of the node's other collections are not ours to deliver.
        const size_t shaped =
            m_data->ShapeInputReport(std::span(m_raw.data(), static_cast<size_t>(n)), buffer);
        if (shaped == 0) continue;
        transferred = shaped;
        return HidTransferResult::Completed;
    }
}

HidTransferResult HidrawDevice::Write(std::span<const uint8_t> report, uint32_t timeoutMs,
                                      HidAbortEvent& abort, size_t& transferred) {
    transferred = 0;
    if (!m_data->AcceptsOutputReport(report)) return HidTransferResult::Failed;
    HidWait wait(timeoutMs);
    for (;;) {
        const HidWaitResult woke = wait.Wait(m_fd, POLLOUT, abort, m_cancelFd);
        if (woke != HidWaitResult::Ready) return TransferResultOf(woke);
        const ssize_t n = write(m_fd, report.data(), report.size());
        if (n < 0) {
            if (errno == EAGAIN || errno == EINTR) continue;
            Trace("hidraw write failed (errno %d)\n", errno);
            return HidTransferResult::Failed;
        }
        transferred = static_cast<size_t>(n);
        return HidTransferResult::Completed;
    }
}

bool HidrawDevice::SetOutputReport(std::span<const uint8_t> report) {
    if (!m_data->AcceptsOutputReport(report)) return false;
    if (ioctl(m_fd, HIDIOCSOUTPUT(report.size()), report.data()) >= 0) return true;
    // Kernels before 5.11 lack the ioctl; the interrupt path reaches the
    // same report handler of the device.
    if (errno != ENOTTY && errno != EINVAL) {
        Trace("hidraw set output report failed (errno %d)\n", errno);
        return false;
    }
    const ssize_t n = write(m_fd, report.data(), report.size());
    if (n != static_cast<ssize_t>(report.size())) {
        Trace("hidraw output report write failed (errno %d)\n", errno);
        return false;
    }
    return true;
}

void HidrawDevice::Cancel() {
    const uint64_t one = 1;
    if (m_cancelFd < 0 || ::write(m_cancelFd, &one, sizeof one) != sizeof one) {
        Trace("hidraw cancel could not be signalled (errno %d)\n", errno);
    }
}

}  // namespace warden
