#pragma once
// The HID class driver seen from the program: a backend lists interface
// paths (one per top-level collection) and opens them; an open interface
// reads and writes reports under a time-out that an abort event cuts short.
// Two backends exist: hidraw (real devices) and emulated (in-process virtual
// devices); one is chosen for the whole process at start.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/hid/HidAbortEvent.h"
#include "platform/hid/HidPreparsedData.h"
#include "platform/hid/HidTypes.h"

namespace warden {

// The access an open asks for, as CreateFileW's access and share modes:
// exclusive shares the interface for reading only.
struct HidOpenFlags {
    bool read = false;
    bool write = false;
    bool overlapped = false;
    bool exclusive = false;
};

enum class HidTransferResult { Completed, TimedOut, Aborted, Failed };

// One open interface path. Safe for one reader and one writer at a time plus
// Cancel() from any thread.
class HidDevice {
public:
    virtual ~HidDevice() = default;

    virtual const HidAttributes& Attributes() const = 0;
    // The parsed top-level collection this path stands for; never null.
    virtual const std::shared_ptr<const HidPreparsedData>& PreparsedData() const = 0;

    // Waits up to `timeoutMs` (kInfinite: forever) for the next input report
    // of this collection and copies it into `buffer` shaped as hid.dll gives
    // it: report id first (0 when the interface numbers no reports), padded
    // with zeros to the input report byte length, cut to the buffer. The
    // abort event, Cancel() and unplugging end the wait. `transferred` is 0
    // unless the result is Completed.
    virtual HidTransferResult Read(std::span<uint8_t> buffer, uint32_t timeoutMs,
                                   HidAbortEvent& abort, size_t& transferred) = 0;
    // Sends one output report (report id first, 0 when not numbered) over the
    // interrupt path. Fails for a report id outside this collection.
    virtual HidTransferResult Write(std::span<const uint8_t> report, uint32_t timeoutMs,
                                    HidAbortEvent& abort, size_t& transferred) = 0;
    // HidD_SetOutputReport: the same report sent as a control transfer.
    // Returns false when it could not be sent.
    virtual bool SetOutputReport(std::span<const uint8_t> report) = 0;
    // Ends every waiting transfer with Failed and fails all later ones.
    virtual void Cancel() = 0;
};

class HidBackend {
public:
    virtual ~HidBackend() = default;

    // Appends the path of every present top-level collection to `paths`, in
    // a stable order (node order, then descriptor order). Interfaces that
    // cannot be read or parsed are skipped with a trace. Returns false only
    // when the interfaces cannot be listed at all.
    virtual bool EnumerateInterfaces(std::vector<std::string>& paths) = 0;
    // Opens `path`; null when it is malformed, gone, refused by the share
    // rules or cannot be opened with the access asked for.
    virtual std::unique_ptr<HidDevice> Open(const std::string& path, const HidOpenFlags& flags) = 0;
    // True while the interface behind `path` is still present (an open with
    // no access, as the presence check of discovery does).
    virtual bool IsPresent(const std::string& path) = 0;
};

// The process-wide backend: hidraw over /sys and /dev unless another one was
// installed. Never null.
std::shared_ptr<HidBackend> CurrentHidBackend();
// Installs `backend` for the whole process (start-up, --emulate); null
// restores the hidraw backend. Connections already open keep their backend.
void SetHidBackend(std::shared_ptr<HidBackend> backend);

// Installs a backend for the lifetime of the guard (tests, benchmarks).
class ScopedHidBackend {
public:
    explicit ScopedHidBackend(std::shared_ptr<HidBackend> backend);
    ~ScopedHidBackend();
    ScopedHidBackend(const ScopedHidBackend&) = delete;
    ScopedHidBackend& operator=(const ScopedHidBackend&) = delete;

private:
    std::shared_ptr<HidBackend> m_previous;
};

}  // namespace warden
