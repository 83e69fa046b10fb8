#include "platform/hid/EmulatedHidBackend.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <deque>

#include "platform/Trace.h"
#include "platform/hid/HidDescriptorParser.h"
#include "platform/hid/HidInterfacePath.h"
#include "platform/hid/HidShareTable.h"
#include "platform/hid/HidWait.h"

namespace warden {
namespace {

constexpr std::string_view kBackendName = "emu";
// As hidraw, a reader that falls this far behind loses the newest reports.
constexpr size_t kMaxQueuedReports = 64;

void SignalFd(int fd) {
    const uint64_t one = 1;
    if (fd >= 0 && write(fd, &one, sizeof one) != sizeof one) {
        Trace("emulated HID wake-up could not be signalled (errno %d)\n", errno);
    }
}

void DrainFd(int fd) {
    uint64_t count = 0;
    if (fd >= 0 && read(fd, &count, sizeof count) < 0 && errno != EAGAIN) {
        Trace("emulated HID wake-up could not be cleared (errno %d)\n", errno);
    }
}

}  // namespace

class EmulatedHidBackend::Interface : public EmulatedHidInterface {
public:
    Interface(EmulatedHidInterfaceConfig config, uint32_t instance,
              std::vector<std::shared_ptr<const HidPreparsedData>> collections);

    size_t QueueInputReport(std::span<const uint8_t> report) override;
    void Unplug() override;
    bool IsPlugged() const override;
    std::vector<std::string> Paths() const override { return m_paths; }
    size_t OpenCount() const override;

    // Registers an open handle; false when the interface is gone.
    bool Attach(Handle* handle);
    void Detach(Handle* handle);
    bool DeliverOutput(std::span<const uint8_t> report, EmulatedOutputPath path);

    const std::vector<std::string>& PathList() const { return m_paths; }
    const std::shared_ptr<const HidPreparsedData>& Collection(size_t i) const {
        return m_collections[i];
    }
    const HidAttributes& Attributes() const { return m_attributes; }

private:
    const EmulatedOutputHandler m_handler;
    const HidAttributes m_attributes;
    const std::vector<std::shared_ptr<const HidPreparsedData>> m_collections;
    std::vector<std::string> m_paths;
    mutable std::mutex m_lock;
    bool m_plugged = true;
    std::vector<Handle*> m_handles;
    std::mutex m_handlerLock;  // one output report at a time
};

class EmulatedHidBackend::Handle : public HidDevice {
public:
    Handle(std::shared_ptr<Interface> iface, std::shared_ptr<const HidPreparsedData> data,
           std::unique_ptr<HidShareTable::Lease> lease)
        : m_iface(std::move(iface)),
          m_data(std::move(data)),
          m_lease(std::move(lease)),
          m_wakeFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}
    ~Handle() override {
        m_iface->Detach(this);
        if (m_wakeFd >= 0) close(m_wakeFd);
    }

    const HidAttributes& Attributes() const override { return m_iface->Attributes(); }
    const std::shared_ptr<const HidPreparsedData>& PreparsedData() const override { return m_data; }

    HidTransferResult Read(std::span<uint8_t> buffer, uint32_t timeoutMs, HidAbortEvent& abort,
                           size_t& transferred) override {
        transferred = 0;
        HidWait wait(timeoutMs);
        for (;;) {
            const HidWaitResult woke = wait.Wait(m_wakeFd, POLLIN, abort, -1);
            if (woke != HidWaitResult::Ready) return TransferResultOf(woke);
            std::lock_guard lock(m_lock);
            if (m_dead) return HidTransferResult::Failed;
            if (m_queue.empty()) {
                DrainFd(m_wakeFd);
                continue;
            }
            transferred = m_data->ShapeInputReport(m_queue.front(), buffer);
            m_queue.pop_front();
            if (m_queue.empty()) DrainFd(m_wakeFd);
            if (transferred > 0) return HidTransferResult::Completed;
        }
    }

    HidTransferResult Write(std::span<const uint8_t> report, uint32_t, HidAbortEvent&,
                            size_t& transferred) override {
        transferred = 0;
        if (IsDead() || !m_data->AcceptsOutputReport(report) ||
            !m_iface->DeliverOutput(report, EmulatedOutputPath::Write)) {
            return HidTransferResult::Failed;
        }
        transferred = report.size();
        return HidTransferResult::Completed;
    }

    bool SetOutputReport(std::span<const uint8_t> report) override {
        return !IsDead() && m_data->AcceptsOutputReport(report) &&
               m_iface->DeliverOutput(report, EmulatedOutputPath::SetOutputReport);
    }

    void Cancel() override {
        std::lock_guard lock(m_lock);
        if (!m_dead) {
            m_dead = true;
            if (m_queue.empty()) SignalFd(m_wakeFd);
        }
    }

    // Queues a copy when this handle's collection owns the report.
    bool Offer(std::span<const uint8_t> report, uint8_t reportId) {
        if (!m_data->OwnsReportId(HidReportType::Input, reportId)) return false;
        std::lock_guard lock(m_lock);
        if (m_dead) return false;
        if (m_queue.size() >= kMaxQueuedReports) {
            Trace("emulated HID input report dropped: reader %zu reports behind\n", m_queue.size());
            return false;
        }
        m_queue.emplace_back(report.begin(), report.end());
        if (m_queue.size() == 1) SignalFd(m_wakeFd);
        return true;
    }

private:
    bool IsDead() {
        std::lock_guard lock(m_lock);
        return m_dead;
    }

    const std::shared_ptr<Interface> m_iface;
    const std::shared_ptr<const HidPreparsedData> m_data;
    const std::unique_ptr<HidShareTable::Lease> m_lease;
    const int m_wakeFd;  // readable while reports are queued or the handle is dead
    std::mutex m_lock;
    std::deque<std::vector<uint8_t>> m_queue;
    bool m_dead = false;
};

EmulatedHidBackend::Interface::Interface(
    EmulatedHidInterfaceConfig config, uint32_t instance,
    std::vector<std::shared_ptr<const HidPreparsedData>> collections)
    : m_handler(std::move(config.onOutputReport)),
      m_attributes{config.vendorId, config.productId, config.version},
      m_collections(std::move(collections)) {
    HidPathIdentity identity;
    identity.vendorId = config.vendorId;
    identity.productId = config.productId;
    identity.interfaceNumber = config.interfaceNumber < 0 ? -1 : config.interfaceNumber & 0xFF;
    for (size_t i = 0; i < m_collections.size(); ++i) {
        identity.collection = m_collections.size() > 1 ? static_cast<int>(i + 1) : 0;
        m_paths.push_back(FormatHidInterfacePath(kBackendName, identity, std::to_string(instance)));
    }
}

size_t EmulatedHidBackend::Interface::QueueInputReport(std::span<const uint8_t> report) {
    if (report.empty() || report.size() > kHidMaxReportBytes) return 0;
    const uint8_t reportId = m_collections.front()->UsesReportIds() ? report[0] : 0;
    std::lock_guard lock(m_lock);
    if (!m_plugged) return 0;
    size_t delivered = 0;
    for (Handle* handle : m_handles) delivered += handle->Offer(report, reportId) ? 1 : 0;
    return delivered;
}

void EmulatedHidBackend::Interface::Unplug() {
    std::lock_guard lock(m_lock);
    m_plugged = false;
    for (Handle* handle : m_handles) handle->Cancel();
}

bool EmulatedHidBackend::Interface::IsPlugged() const {
    std::lock_guard lock(m_lock);
    return m_plugged;
}

size_t EmulatedHidBackend::Interface::OpenCount() const {
    std::lock_guard lock(m_lock);
    return m_handles.size();
}

bool EmulatedHidBackend::Interface::Attach(Handle* handle) {
    std::lock_guard lock(m_lock);
    if (!m_plugged) return false;
    m_handles.push_back(handle);
    return true;
}

void EmulatedHidBackend::Interface::Detach(Handle* handle) {
    std::lock_guard lock(m_lock);
    std::erase(m_handles, handle);
}

bool EmulatedHidBackend::Interface::DeliverOutput(std::span<const uint8_t> report,
                                                  EmulatedOutputPath path) {
    std::lock_guard handlerLock(m_handlerLock);
    if (!IsPlugged()) return false;
    return !m_handler || m_handler(*this, report, path);
}

EmulatedHidBackend::EmulatedHidBackend() : m_shares(std::make_shared<HidShareTable>()) {}

EmulatedHidBackend::~EmulatedHidBackend() {
    UnplugAll();
}

std::shared_ptr<EmulatedHidInterface> EmulatedHidBackend::Plug(EmulatedHidInterfaceConfig config) {
    HidDescriptorParseResult parsed = HidDescriptorParser::Parse(config.reportDescriptor);
    if (!parsed.ok) {
        Trace("emulated HID interface refused: %s\n", parsed.error.c_str());
        return nullptr;
    }
    std::lock_guard lock(m_lock);
    auto iface = std::make_shared<Interface>(std::move(config), m_nextInstance++,
                                             std::move(parsed.collections));
    m_interfaces.push_back(iface);
    return iface;
}

void EmulatedHidBackend::UnplugAll() {
    std::vector<std::shared_ptr<Interface>> all;
    {
        std::lock_guard lock(m_lock);
        all.swap(m_interfaces);
    }
    for (const auto& iface : all) iface->Unplug();
}

bool EmulatedHidBackend::EnumerateInterfaces(std::vector<std::string>& paths) {
    std::lock_guard lock(m_lock);
    std::erase_if(m_interfaces, [](const auto& iface) { return !iface->IsPlugged(); });
    for (const auto& iface : m_interfaces) {
        const auto& own = iface->PathList();
        paths.insert(paths.end(), own.begin(), own.end());
    }
    return true;
}

std::shared_ptr<EmulatedHidBackend::Interface> EmulatedHidBackend::FindPlugged(
    const std::string& path, size_t& collection) const {
    if (HidInterfacePathNode(path, kBackendName).empty()) return nullptr;
    std::lock_guard lock(m_lock);
    for (const auto& iface : m_interfaces) {
        const auto& own = iface->PathList();
        auto it = std::find(own.begin(), own.end(), path);
        if (it != own.end() && iface->IsPlugged()) {
            collection = static_cast<size_t>(it - own.begin());
            return iface;
        }
    }
    return nullptr;
}

std::unique_ptr<HidDevice> EmulatedHidBackend::Open(const std::string& path,
                                                    const HidOpenFlags& flags) {
    size_t collection = 0;
    std::shared_ptr<Interface> iface = FindPlugged(path, collection);
    if (iface == nullptr) return nullptr;
    std::unique_ptr<HidShareTable::Lease> lease = m_shares->Acquire(path, flags);
    if (lease == nullptr) return nullptr;
    auto handle = std::make_unique<Handle>(iface, iface->Collection(collection), std::move(lease));
    if (!iface->Attach(handle.get())) return nullptr;
    return handle;
}

bool EmulatedHidBackend::IsPresent(const std::string& path) {
    size_t collection = 0;
    return FindPlugged(path, collection) != nullptr;
}

}  // namespace warden
