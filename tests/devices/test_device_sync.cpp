// The device base class against emulated devices: the synchronisation
// thread, the power status read, and unplugging and replugging.

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "devices/COrmandelUSBDevice.h"
#include "devices/DeviceEvents.h"
#include "devices/DeviceTestSupport.h"
#include "devices/LightingEngine.h"
#include "emulator/CVirtualDevice.h"
#include "platform/Trace.h"
#include "platform/hid/EmulatedHidBackend.h"

namespace warden {
namespace {

constexpr const char* kStopEndedTrace = "线程退出：：对象处于激发状态\n";
constexpr const char* kStopTimedOutTrace = "线程退出：：对象处于非激发状态，超时\n";

struct KeyEvent {
    int position;
    int kind;
    bool operator==(const KeyEvent&) const = default;
};

// A kind that records its key events and counts its effect steps.
class RecordingDevice : public COrmandelUSBDevice {
public:
    ~RecordingDevice() override {
        StopLightingThread();
        StopSyncThread();
    }
    void OnConnected() override { StartLightingThread(); }

    std::vector<KeyEvent> WaitForKeyEvents(size_t count) {
        test::WaitFor(m_mutex, m_changed, [&] { return m_keys.size() >= count; });
        std::lock_guard lock(m_mutex);
        return m_keys;
    }
    // Waits until the effect stepped more than `than` times; returns the count.
    int WaitForStepsAbove(int than) {
        test::WaitFor(m_mutex, m_changed, [&] { return m_steps > than; });
        std::lock_guard lock(m_mutex);
        return m_steps;
    }
    int Steps() {
        std::lock_guard lock(m_mutex);
        return m_steps;
    }
    // From now on each step also fills the frame with the static colour.
    void FillFrameOnEachStep() { m_fillFrame.store(true); }

protected:
    void OnDeviceKeyEvent(int position, int eventKind) override {
        std::lock_guard lock(m_mutex);
        m_keys.push_back({position, eventKind});
        m_changed.notify_all();
    }
    void StepEffect() override {
        if (m_fillFrame.load()) StepStatic();
        std::lock_guard lock(m_mutex);
        ++m_steps;
        m_changed.notify_all();
    }
    bool CountsSystemTicks() const override { return false; }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<KeyEvent> m_keys;
    int m_steps = 0;
    std::atomic<bool> m_fillFrame{false};
};

class DeviceWithEmulator : public ::testing::Test {
protected:
    std::unique_ptr<CVirtualDevice> Plug(EmulatedKind kind) {
        return CVirtualDevice::Plug(*m_backend, kind);
    }
    static DeviceCatalogueEntry CommandSlot(const CVirtualDevice& virtualDevice, uint16_t kind) {
        DeviceCatalogueEntry slot;
        slot.deviceKind = kind;
        slot.interfaceRole = kRoleCommand;
        slot.present = 1;
        slot.devicePath = virtualDevice.CommandPath();
        return slot;
    }
    // Waits until the synchronisation thread sits in its read.
    static bool WaitForPendingRead(COrmandelUSBDevice& device) {
        for (int i = 0; i < 10000; ++i) {
            if (device.NotificationChannel().Connection().ReadInProgress()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }

    std::shared_ptr<EmulatedHidBackend> m_backend = std::make_shared<EmulatedHidBackend>();
    ScopedHidBackend m_scoped{m_backend};
    TraceCapture m_traces;
};

struct ReloadCase {
    EmulatedKind emulated;
    uint16_t kind;
    uint32_t delayMs;
};

void PrintTo(const ReloadCase& c, std::ostream* os) {
    *os << test::DeviceKindName(c.kind);
}

class SyncRequest : public DeviceWithEmulator, public ::testing::WithParamInterface<ReloadCase> {};

TEST_P(SyncRequest, StartsTheReloadTimerWithTheKindsDelay) {
    const ReloadCase& c = GetParam();
    auto virtualDevice = Plug(c.emulated);
    ASSERT_NE(virtualDevice, nullptr);
    RecordingDevice device;
    test::RecordingListEntry entry;
    DeviceCatalogueEntry slot;
    slot.deviceKind = c.kind;
    device.SetCatalogueEntry(slot);
    device.AttachListEntry(&entry);

    ASSERT_EQ(device.OpenNotification(virtualDevice->NotificationPath()), 1);
    EXPECT_TRUE(device.IsSyncThreadRunning());
    ASSERT_EQ(virtualDevice->Notify(device::kCodeSyncRequest), 1u);

    const auto requests = entry.WaitForRequests(1);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].id, device::kTimerReload);
    EXPECT_EQ(requests[0].elapseMs, c.delayMs);
    EXPECT_TRUE(m_traces.Contains("接收到自动添加设备的同步信息要求  TEST"));
    EXPECT_EQ(m_traces.Count("接收到自动添加设备的同步信息要求"), 2u);
}

INSTANTIATE_TEST_SUITE_P(Kinds, SyncRequest,
                         ::testing::Values(ReloadCase{EmulatedKind::Keyboard, kKindKeyboard, 100},
                                           ReloadCase{EmulatedKind::Mouse, kKindMouse, 500},
                                           ReloadCase{EmulatedKind::MousePad, kKindMousePad, 500}),
                         [](const ::testing::TestParamInfo<ReloadCase>& p) {
                             return test::DeviceKindName(p.param.kind);
                         });

TEST_F(DeviceWithEmulator, CounterAndKeyEventsReachTheirTargets) {
    auto keyboard = Plug(EmulatedKind::Keyboard);
    RecordingDevice device;
    ASSERT_EQ(device.OpenNotification(keyboard->NotificationPath()), 1);

    // Without a list entry a synchronisation request changes nothing.
    ASSERT_EQ(keyboard->Notify(device::kCodeSyncRequest), 1u);
    for (int i = 0; i < 5; ++i) ASSERT_EQ(keyboard->Notify(device::kCodeCounter), 1u);
    ASSERT_EQ(keyboard->NotifyKey(17, device::kKeyEventDown), 1u);
    ASSERT_EQ(keyboard->NotifyKey(17, device::kKeyEventUp), 1u);
    ASSERT_EQ(keyboard->NotifyKey(0, device::kKeyEventDown), 1u);

    // Reports are handled in order, so the key events come after the counts.
    const auto keys = device.WaitForKeyEvents(3);
    EXPECT_EQ(keys, (std::vector<KeyEvent>{{17, 1}, {17, 2}, {0, 1}}));
    EXPECT_EQ(device.GetNotificationCounter(), 1) << "five steps through 0-3";
}

TEST_F(DeviceWithEmulator, StoppingCutsThePendingReadShort) {
    auto mouse = Plug(EmulatedKind::Mouse);
    RecordingDevice device;
    ASSERT_EQ(device.OpenNotification(mouse->NotificationPath()), 1);
    ASSERT_TRUE(WaitForPendingRead(device));

    device.CloseNotification();
    EXPECT_FALSE(device.IsSyncThreadRunning());
    EXPECT_FALSE(device.NotificationChannel().IsOpen());
    EXPECT_FALSE(device.NotificationChannel().Connection().IsOpen());
    EXPECT_TRUE(m_traces.Contains("MS设备同步线程设定退出"));
    EXPECT_TRUE(m_traces.Contains(kStopEndedTrace));
    EXPECT_FALSE(m_traces.Contains(kStopTimedOutTrace));

    // The interface can come back, and its thread reads again.
    ASSERT_EQ(device.OpenNotification(mouse->NotificationPath()), 1);
    ASSERT_EQ(mouse->NotifyKey(3, device::kKeyEventDown), 1u);
    EXPECT_EQ(device.WaitForKeyEvents(1).size(), 1u);
}

TEST_F(DeviceWithEmulator, DestroyingTheDeviceStopsAThreadInItsRead) {
    auto mouse = Plug(EmulatedKind::Mouse);
    {
        RecordingDevice device;
        ASSERT_EQ(device.OpenNotification(mouse->NotificationPath()), 1);
        ASSERT_TRUE(WaitForPendingRead(device));
    }
    EXPECT_TRUE(m_traces.Contains(kStopEndedTrace));
    EXPECT_FALSE(m_traces.Contains(kStopTimedOutTrace));
}

TEST_F(DeviceWithEmulator, FailedNotificationOpenLeavesAnIdleThreadUntilTheNextOpen) {
    RecordingDevice device;
    EXPECT_EQ(device.OpenNotification("emulated/missing"), 0);
    EXPECT_TRUE(device.IsSyncThreadRunning());
    EXPECT_FALSE(device.NotificationChannel().IsOpen());
    device.CloseNotification();  // nothing open: the thread keeps idling
    EXPECT_TRUE(device.IsSyncThreadRunning());

    auto keyboard = Plug(EmulatedKind::Keyboard);
    ASSERT_EQ(device.OpenNotification(keyboard->NotificationPath()), 1);
    ASSERT_EQ(keyboard->NotifyKey(9, device::kKeyEventUp), 1u);
    EXPECT_EQ(device.WaitForKeyEvents(1), (std::vector<KeyEvent>{{9, 2}}));
    device.CloseNotification();
    EXPECT_FALSE(m_traces.Contains(kStopTimedOutTrace));
}

struct PowerCase {
    EmulatedKind emulated;
    uint16_t slotKind;
    uint8_t wirelessByte;
};

void PrintTo(const PowerCase& c, std::ostream* os) {
    *os << test::DeviceKindName(c.slotKind);
}

class PowerStatus : public DeviceWithEmulator, public ::testing::WithParamInterface<PowerCase> {};

TEST_P(PowerStatus, GoesToThePanelAndTheMainWindow) {
    const PowerCase& c = GetParam();
    auto virtualDevice = Plug(c.emulated);
    virtualDevice->Firmware().SetStatus({80, 1, 2, 9, 7, 5});
    COrmandelUSBDevice device;
    test::RecordingPowerPanel panel;
    test::RecordingWindow window;
    device.SetMainWindow(&window);
    device.AttachPowerPanel(&panel);
    ASSERT_EQ(device.OpenCommand(CommandSlot(*virtualDevice, c.slotKind)), 1);
    EXPECT_EQ(device.CommandChannel().IsWireless(), c.slotKind == kKindWirelessMouse);

    device.ReadPowerStatus();
    ASSERT_EQ(panel.shown, 1);
    EXPECT_EQ(panel.status, (std::array<uint8_t, 6>{80, 1, 2, c.wirelessByte, 7, 5}));
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].message, device::kMsgPowerStatus);
    EXPECT_EQ(window.messages[0].wParam, 7u);
    EXPECT_EQ(window.messages[0].lParam, 0);
}

INSTANTIATE_TEST_SUITE_P(Modes, PowerStatus,
                         ::testing::Values(PowerCase{EmulatedKind::MousePad, kKindMousePad, 0},
                                           PowerCase{EmulatedKind::Mouse, kKindWirelessMouse, 1}),
                         [](const ::testing::TestParamInfo<PowerCase>& p) {
                             return test::DeviceKindName(p.param.slotKind);
                         });

TEST_F(DeviceWithEmulator, PowerStatusFailuresReachNobody) {
    auto pad = Plug(EmulatedKind::MousePad);
    COrmandelUSBDevice device;
    test::RecordingPowerPanel panel;
    test::RecordingWindow window;
    device.SetMainWindow(&window);
    device.AttachPowerPanel(&panel);

    device.ReadPowerStatus();  // channel closed
    ASSERT_EQ(device.OpenCommand(CommandSlot(*pad, kKindMousePad)), 1);
    pad->Firmware().InjectFault(MakeFault(FaultKind::StatusFF));
    device.ReadPowerStatus();
    EXPECT_EQ(panel.shown, 0);
    EXPECT_TRUE(window.messages.empty());
    EXPECT_TRUE(m_traces.Contains("power status read failed (-102)"));
}

TEST_F(DeviceWithEmulator, UnplugAndReplugKeepProfileAndPanelsAndResumeLighting) {
    test::RecordingPowerPanel powerPanel;
    CControlUI lightingPanel;
    RecordingDevice device;
    device.SetZoneCount(6);
    device.SetProfileBaseName("20260101120000");
    device.SetDeviceFolderName("mouse");
    device.AttachPowerPanel(&powerPanel);
    device.AttachLightingPanel(&lightingPanel);
    device.SetLightInfo(0x00040201u, 0x00FF0000u, 0);
    device.SetZoneColour(5, 0x12345678u);
    const LightInfoRecord settings = device.GetLightSettings();

    auto mouse = Plug(EmulatedKind::Mouse);
    ASSERT_EQ(device.OpenCommand(CommandSlot(*mouse, kKindMouse)), 1);
    device.OnConnected();
    const int beforeUnplug = device.WaitForStepsAbove(0);

    mouse->Unplug();
    device.CloseCommand();
    EXPECT_FALSE(device.CommandChannel().IsOpen());
    DeviceInfoBlock info;
    EXPECT_EQ(device.CommandChannel().ReadInfo(info), kResultNoReply);

    mouse = Plug(EmulatedKind::Mouse);
    ASSERT_EQ(device.OpenCommand(CommandSlot(*mouse, kKindMouse)), 1);
    EXPECT_EQ(device.CommandChannel().ReadInfo(info), kResultOk);
    EXPECT_GT(device.WaitForStepsAbove(device.Steps()), beforeUnplug);
    EXPECT_TRUE(device.IsLightingThreadRunning());
    EXPECT_EQ(device.GetLightSettings(), settings);
    EXPECT_EQ(device.GetLightingPanel(), &lightingPanel);
    EXPECT_EQ(device.GetPowerPanel(), &powerPanel);
    EXPECT_EQ(device.GetZoneControls().size(), 6u);
    EXPECT_EQ(device.GetZoneColour(5), 0x12345678u);
    EXPECT_EQ(device.GetDeviceKind(), kKindMouse);
}

TEST_F(DeviceWithEmulator, ZonesCrossThreadsAsWholeRecords) {
    RecordingDevice device;
    device.SetZoneCount(3);
    device.SetLightInfo(0x00040201u, 0x00FF0000u, 0);
    LightingEngine reference;
    reference.SetZoneCount(1);
    reference.Settings() = device.GetLightSettings();
    reference.StepStatic();
    const uint32_t filled = reference.GetZoneColour(0);
    const uint32_t synchronised = 0x0A0B0C0Du;

    device.FillFrameOnEachStep();
    auto mouse = Plug(EmulatedKind::Mouse);
    ASSERT_EQ(device.OpenCommand(CommandSlot(*mouse, kKindMouse)), 1);
    device.OnConnected();
    // The lighting thread fills the frame while the synchronised lighting
    // sets a zone and the UI reads them back, none of them locking.
    int steps = device.WaitForStepsAbove(0);
    for (int round = 0; round < 3; ++round) {
        device.SetZoneColour(1, synchronised);
        for (int zone = 0; zone < 3; ++zone) {
            const uint32_t seen = device.GetZoneColour(zone);
            EXPECT_TRUE(seen == filled || seen == synchronised) << std::hex << seen;
        }
        steps = device.WaitForStepsAbove(steps);
    }
    // A step that began after the last set has filled that zone again.
    device.WaitForStepsAbove(device.Steps() + 1);
    EXPECT_EQ(device.GetZoneColour(1), filled);
}

}  // namespace
}  // namespace warden
