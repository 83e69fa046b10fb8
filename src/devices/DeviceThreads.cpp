// The device's two worker threads: the lighting thread that computes zone
// colours, and the synchronisation thread that reads the notification
// interface.

#include "devices/COrmandelUSBDevice.h"
#include "devices/DeviceEvents.h"
#include "devices/IDeviceListEntry.h"
#include "platform/Clock.h"
#include "platform/Trace.h"

namespace warden {

namespace {

constexpr uint32_t kPollMs = 1;
constexpr uint32_t kClosedChannelSleepMs = 100;

}  // namespace

int NotificationEventCode(CHidConnection& connection, const uint8_t* report, uint32_t length) {
    HidReportItem* items = connection.Items(HidReportType::Input);
    const uint32_t count = connection.ItemCount(HidReportType::Input);
    if (items == nullptr || count == 0) return -1;
    if (!CHidConnection::DecodeReport(report, length, HidReportType::Input, items, count,
                                      connection.ParserData())) {
        return -1;
    }
    const HidReportItem& first = items[0];
    if (!first.isButton || first.usageListLength == 0 || first.usageList.empty()) return -1;
    return first.usageList[0];
}

// --- Lighting thread -------------------------------------------------------

const char* COrmandelUSBDevice::LightingExitTrace() const {
    return "MS灯光线程设定退出";
}

void COrmandelUSBDevice::StartLightingThread() {
    m_lightingThread.Start(this,
                           [this](WorkerContext context) { RunLightingThread(*context.stop); });
}

void COrmandelUSBDevice::StopLightingThread() {
    m_lightingThread.Stop(device::kThreadStopBoundMs);
}

void COrmandelUSBDevice::RunLightingThread(warden::Event& stop) {
    uint32_t ticks = 0;
    uint32_t lastTick = GetTickCount();
    while (!stop.Wait(kPollMs)) {
        if (!m_command.IsOpen()) {
            if (SleepUnlessStopped(stop, kClosedChannelSleepMs)) break;
            continue;
        }
        if (m_command.SyncLightingMark()) continue;
        if (CountsSystemTicks()) {
            const uint32_t now = GetTickCount();
            if (now - lastTick > 1) {
                ++ticks;
                lastTick = now;
            }
        } else {
            if (SleepUnlessStopped(stop, kPollMs)) break;
            ++ticks;
        }
        if (ticks >= m_engine.StepPeriod()) {
            StepEffect();
            ticks = 0;
        }
        ScopedLock lock(m_zoneLock);
        RunZonePass();
    }
    TraceText(LightingExitTrace());
}

// --- Synchronisation thread ------------------------------------------------

void COrmandelUSBDevice::StopSyncThread() {
    if (!m_syncThread.IsRunning()) return;
    // Signal first, then cut the read short: the thread either sees the stop
    // event or finds the abort pending when it enters its next read.
    if (warden::Event* stop = m_syncThread.StopEvent()) stop->Set();
    m_notification.Connection().Abort();
    m_syncThread.Stop(device::kThreadStopBoundMs);
}

void COrmandelUSBDevice::RunSyncThread(warden::Event& stop) {
    while (!stop.Wait(kPollMs)) {
        if (!m_notification.IsOpen()) continue;
        CHidConnection& connection = m_notification.Connection();
        const uint32_t length = connection.Caps().inputReportByteLength;
        uint8_t* report = connection.ReportBuffer(HidReportType::Input);
        if (report == nullptr || length == 0) continue;
        uint32_t read = 0;
        if (connection.ReadReport(report, length, kInfinite, &read) != 1) continue;
        const int code = NotificationEventCode(connection, report, read);
        if (code < 0) {
            Trace("notification report without an event code\n");
            continue;
        }
        HandleNotification(static_cast<uint32_t>(code));
    }
    TraceText("MS设备同步线程设定退出");
}

void COrmandelUSBDevice::HandleNotification(uint32_t code) {
    TraceText("接收到自动添加设备的同步信息要求  TEST");
    if (code == device::kCodeSyncRequest) {
        TraceText("接收到自动添加设备的同步信息要求");
        if (IDeviceListEntry* entry = m_listEntry.load()) {
            entry->StartDeviceTimer(device::kTimerReload, GetDeviceKind() == kKindKeyboard
                                                              ? device::kReloadDelayKeyboardMs
                                                              : device::kReloadDelayOtherMs);
        }
    } else if (code == device::kCodeCounter) {
        m_notificationCounter.store((m_notificationCounter.load() + 1) % 4);
    } else if (code >= device::kCodeKeyDownFirst && code <= device::kCodeKeyUpLast) {
        const int eventKind =
            code >= device::kCodeKeyUpFirst ? device::kKeyEventUp : device::kKeyEventDown;
        OnDeviceKeyEvent(static_cast<int>(code & 0xFF), eventKind);
    }
}

}  // namespace warden
