// The device's interfaces coming and going, and the power status read that
// every kind shares.

#include <array>

#include "devices/COrmandelUSBDevice.h"
#include "devices/DeviceEvents.h"
#include "devices/IPowerPanel.h"
#include "platform/Trace.h"

namespace warden {

int COrmandelUSBDevice::OpenCommand(const DeviceCatalogueEntry& slot) {
    ScopedLock lock(m_command.IoLock());
    if (m_command.Connection().Open(slot.devicePath, 1, 1, 1, 0) != 1) {
        Trace("command interface %s could not be opened\n", slot.devicePath.c_str());
        return 0;
    }
    m_command.SetOpen(true);
    m_command.SetWireless(slot.deviceKind == kKindWirelessMouse);
    SetCatalogueEntry(slot);
    return 1;
}

void COrmandelUSBDevice::CloseCommand() {
    m_command.Disconnect();
}

int COrmandelUSBDevice::OpenNotification(const std::string& path) {
    if (m_notification.IsOpen()) return 1;
    // A thread left idling by an earlier failed open must be gone before the
    // channel opens, or it could enter a read that nothing cuts short.
    StopSyncThread();
    {
        ScopedLock lock(m_notification.IoLock());
        if (m_notification.Connection().Open(path, 1, 1, 1, 0) == 1) {
            m_notification.SetOpen(true);
        } else {
            Trace("notification interface %s could not be opened\n", path.c_str());
        }
    }
    m_syncThread.Start(this, [this](WorkerContext context) { RunSyncThread(*context.stop); });
    return m_notification.IsOpen() ? 1 : 0;
}

void COrmandelUSBDevice::CloseNotification() {
    if (!m_notification.IsOpen()) return;
    StopSyncThread();
    ScopedLock lock(m_notification.IoLock());
    m_notification.SetOpen(false);
    m_notification.Connection().Close();
}

void COrmandelUSBDevice::ReadPowerStatus() {
    if (!m_command.IsOpen()) return;
    std::array<uint8_t, device::kPowerStatusSize> status{};
    const int result = m_command.ReadStatus(status, 0);
    if (result != kResultOk) {
        Trace("power status read failed (%d)\n", result);
        return;
    }
    status[device::kPowerStatusWirelessByte] = m_command.IsWireless() ? 1 : 0;
    if (m_powerPanel != nullptr) m_powerPanel->ShowPowerStatus(status);
    if (m_mainWindow != nullptr) {
        m_mainWindow->Send(device::kMsgPowerStatus, status[device::kPowerStatusMessageByte], 0);
    }
}

}  // namespace warden
