#include <gtest/gtest.h>

#include "RecordingTarget.h"
#include "emulator/CVirtualDevice.h"
#include "emulator/ReportDescriptors.h"
#include "platform/Folders.h"
#include "platform/RegisteredMessages.h"
#include "platform/Trace.h"
#include "platform/WorkerThread.h"
#include "platform/hid/EmulatedHidBackend.h"
#include "transport/CDeviceDiscovery.h"

namespace warden {
namespace {

RecordedMessage Arrived(size_t slot) {
    return {false, UWM_DEVICE_ARRIVED, slot, 0};
}
RecordedMessage Removed(size_t slot) {
    return {false, UWM_DEVICE_REMOVED, slot, 0};
}
RecordedMessage ProductMessage() {
    return {true, RegisterWindowMessage(folders::kProductName), 0, 0};
}

class DeviceDiscovery : public ::testing::Test {
protected:
    std::unique_ptr<CVirtualDevice> Plug(EmulatedKind kind) {
        return CVirtualDevice::Plug(*m_backend, kind);
    }

    std::shared_ptr<EmulatedHidBackend> m_backend = std::make_shared<EmulatedHidBackend>();
    ScopedHidBackend m_scoped{m_backend};
    CSlotTable m_slots;
    RecordingTarget m_target;
    CDeviceDiscovery m_discovery{m_slots, m_target};
};

using Messages = std::vector<RecordedMessage>;

TEST_F(DeviceDiscovery, BothInterfacesArriveInEnumerationOrder) {
    auto mouse = Plug(EmulatedKind::Mouse);
    ASSERT_TRUE(m_discovery.RunPass());
    // &col03 (notifications, slot 3) is enumerated before &col04 (commands).
    EXPECT_EQ(m_target.Take(), (Messages{Arrived(3), Arrived(2), ProductMessage()}));
    EXPECT_EQ(m_slots.At(2).devicePath, mouse->CommandPath());
    EXPECT_EQ(m_slots.At(3).devicePath, mouse->NotificationPath());
    EXPECT_EQ(mouse->Interface().OpenCount(), 0u) << "discovery closes what it opened";
}

TEST_F(DeviceDiscovery, EveryKindTakesItsOwnSlots) {
    auto keyboard = Plug(EmulatedKind::Keyboard);
    auto pad = Plug(EmulatedKind::MousePad);
    auto headset = Plug(EmulatedKind::Headset);
    ASSERT_TRUE(m_discovery.RunPass());
    EXPECT_EQ(m_target.Take(), (Messages{Arrived(1), Arrived(0), Arrived(5), Arrived(4), Arrived(6),
                                         ProductMessage()}));
    EXPECT_EQ(m_slots.At(6).devicePath, headset->CommandPath());
}

TEST_F(DeviceDiscovery, ProductMessageIsPostedOnceEvenWithNothingFound) {
    for (int pass = 0; pass < 3; ++pass) ASSERT_TRUE(m_discovery.RunPass());
    EXPECT_EQ(m_target.Take(), (Messages{ProductMessage()}));
}

TEST_F(DeviceDiscovery, SecondIdenticalDeviceWaitsForTheFirstToLeave) {
    auto first = Plug(EmulatedKind::Mouse);
    ASSERT_TRUE(m_discovery.RunPass());
    m_target.Take();
    auto second = Plug(EmulatedKind::Mouse);
    ASSERT_TRUE(m_discovery.RunPass());
    EXPECT_TRUE(m_target.Take().empty());

    first->Unplug();
    ASSERT_TRUE(m_discovery.RunPass());
    EXPECT_EQ(m_target.Take(), (Messages{Removed(2), Removed(3)}));
    EXPECT_TRUE(m_slots.At(2).IsFree());
    EXPECT_TRUE(m_slots.At(3).IsFree());

    ASSERT_TRUE(m_discovery.RunPass());
    EXPECT_EQ(m_target.Take(), (Messages{Arrived(3), Arrived(2)}));
    EXPECT_EQ(m_slots.At(2).devicePath, second->CommandPath());
}

TEST_F(DeviceDiscovery, OtherUsagePageIsOpenedButNotClaimed) {
    // The mouse's ids and interface, but a vendor collection of another page.
    std::vector<uint8_t> descriptor = ReportDescriptor(InterfaceShape::MouseInterface1);
    const uint8_t commandPage[] = {0x06, 0x1C, 0xFF, 0x09, 0x92};
    auto at = std::search(descriptor.begin(), descriptor.end(), std::begin(commandPage),
                          std::end(commandPage));
    ASSERT_NE(at, descriptor.end());
    at[1] = 0x00;  // usage page 0xFF00
    EmulatedHidInterfaceConfig config;
    config.vendorId = 0x320F;
    config.productId = 0x220F;
    config.interfaceNumber = 1;
    config.reportDescriptor = descriptor;
    auto iface = m_backend->Plug(config);
    ASSERT_NE(iface, nullptr);

    ASSERT_TRUE(m_discovery.RunPass());
    EXPECT_EQ(m_target.Take(), (Messages{Arrived(3), ProductMessage()}));
    EXPECT_TRUE(m_slots.At(2).IsFree());
    EXPECT_EQ(iface->OpenCount(), 0u);
}

TEST_F(DeviceDiscovery, WithAllSlotsTakenOnlyPresenceIsChecked) {
    auto keyboard = Plug(EmulatedKind::Keyboard);
    auto mouse = Plug(EmulatedKind::Mouse);
    auto pad = Plug(EmulatedKind::MousePad);
    auto headset = Plug(EmulatedKind::Headset);
    ASSERT_TRUE(m_discovery.RunPass());
    EXPECT_TRUE(m_slots.AllSlotsTaken());
    m_target.Take();
    auto spare = Plug(EmulatedKind::Mouse);
    ASSERT_TRUE(m_discovery.RunPass());
    EXPECT_TRUE(m_target.Take().empty());
    headset->Unplug();
    ASSERT_TRUE(m_discovery.RunPass());
    EXPECT_EQ(m_target.Take(), (Messages{Removed(6)}));
}

class FailingBackend : public HidBackend {
public:
    bool EnumerateInterfaces(std::vector<std::string>&) override { return false; }
    std::unique_ptr<HidDevice> Open(const std::string&, const HidOpenFlags&) override {
        return nullptr;
    }
    bool IsPresent(const std::string&) override { return false; }
};

TEST_F(DeviceDiscovery, EnumerationFailureEndsTheThread) {
    ScopedHidBackend failing(std::make_shared<FailingBackend>());
    CDeviceDiscovery discovery(m_slots, m_target);
    Event stop;
    discovery.Run(stop);  // returns on its own
    EXPECT_TRUE(m_target.Take().empty());
}

TEST_F(DeviceDiscovery, ThreadReportsArrivalsAndEndsOnItsStopEvent) {
    auto mouse = Plug(EmulatedKind::Mouse);
    TraceCapture capture;
    WorkerThread thread;
    thread.Start(&m_discovery, [&](WorkerContext context) {
        static_cast<CDeviceDiscovery*>(context.owner)->Run(*context.stop);
    });
    while (m_slots.At(2).present == 0) std::this_thread::yield();
    EXPECT_EQ(thread.Stop(), StopOutcome::Ended);
    EXPECT_EQ(capture.Count("抓取设备线程设定退出"), 1u);
    EXPECT_EQ(m_target.Take().front(), Arrived(3));
}

}  // namespace
}  // namespace warden
