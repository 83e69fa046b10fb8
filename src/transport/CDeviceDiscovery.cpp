#include "transport/CDeviceDiscovery.h"

#include "platform/Folders.h"
#include "platform/RegisteredMessages.h"
#include "platform/Trace.h"
#include "platform/WorkerThread.h"
#include "platform/hid/HidBackend.h"

namespace warden {

namespace {

constexpr uint32_t kStopPollMs = 1;

}  // namespace

CDeviceDiscovery::CDeviceDiscovery(CSlotTable& slots, MessageTarget& target)
    : m_slots(slots), m_target(target) {}

void CDeviceDiscovery::Run(Event& stop) {
    // The stop event is deliberately not reset here: a stop requested before
    // the thread got going must still end it.
    for (;;) {
        if (stop.Wait(kStopPollMs)) {
            Trace("抓取设备线程设定退出\n");
            return;
        }
        if (!RunPass(&stop)) {
            Trace("HID enumeration failed; discovery ends\n");
            return;
        }
        SleepUnlessStopped(stop, kDiscoveryPeriodMs);
    }
}

bool CDeviceDiscovery::RunPass(Event* abort) {
    if (!m_slots.AllSlotsTaken()) {
        if (!ClaimNewInterfaces(abort)) return false;
        if (m_firstPass) {
            m_firstPass = false;
            if (!m_target.Post(RegisterWindowMessage(folders::kProductName), 0, 0)) {
                Trace("posting the product message failed\n");
            }
        }
    }
    CheckPresence(abort);
    return true;
}

bool CDeviceDiscovery::ClaimNewInterfaces(Event* abort) {
    if (!m_connection.EnumeratePaths()) return false;
    while (const char* next = m_connection.NextPath()) {
        const std::string path(next);
        DeviceCatalogueEntry identity;
        identity.vendorId = ParseVendorId(path);
        identity.productId = ParseProductId(path);
        identity.collectionNumber = ParseCollectionNumber(path);
        identity.interfaceNumber = ParseInterfaceNumber(path);
        identity.devicePath = path;
        if (!m_slots.IsWanted(identity)) continue;
        // An interface that cannot be opened now is tried again next pass.
        if (!m_connection.Open(path, true, false, true, false)) continue;
        identity.vendorId = m_connection.Attributes().vendorId;
        identity.productId = m_connection.Attributes().productId;
        identity.usagePage = m_connection.Caps().usagePage;
        identity.usage = m_connection.Caps().usage;
        m_connection.Close();
        if (const std::optional<size_t> slot = m_slots.ClaimSlot(identity)) {
            m_target.Send(UWM_DEVICE_ARRIVED, *slot, 0, abort);
        }
    }
    m_connection.FreePaths();
    return true;
}

void CDeviceDiscovery::CheckPresence(Event* abort) {
    const std::shared_ptr<HidBackend> backend = CurrentHidBackend();
    for (const auto& [slot, path] : m_slots.PresentSlots()) {
        if (backend->IsPresent(path)) continue;
        m_slots.Release(slot);
        m_target.Send(UWM_DEVICE_REMOVED, slot, 0, abort);
    }
}

}  // namespace warden
