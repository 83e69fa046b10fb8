#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/Event.h"
#include "platform/Trace.h"
#include "platform/hid/EmulatedHidBackend.h"
#include "platform/hid/EmulatedTestMouse.h"
#include "platform/hid/HidTestDescriptors.h"

namespace warden {
namespace {

constexpr HidOpenFlags kReadWrite{true, true, true, false};

class EmulatedHidBackendTest : public testing::Test {
protected:
    std::shared_ptr<EmulatedHidInterface> PlugMouse(EmulatedOutputHandler handler = {}) {
        return m_backend.Plug(test::MouseInterfaceConfig(0x0105, std::move(handler)));
    }

    static std::vector<uint8_t> Command(uint8_t code) {
        std::vector<uint8_t> report(64, 0);
        report[0] = 4;
        report[1] = code;
        return report;
    }

    EmulatedHidBackend m_backend;
    HidAbortEvent m_abort;
};

TEST_F(EmulatedHidBackendTest, PlugListsOnePathPerCollection) {
    auto mouse = PlugMouse();
    ASSERT_NE(mouse, nullptr);
    EmulatedHidInterfaceConfig headset;
    headset.interfaceNumber = 3;
    headset.reportDescriptor = test::kConsumerControl;
    ASSERT_NE(m_backend.Plug(headset), nullptr);
    std::vector<std::string> paths;
    ASSERT_TRUE(m_backend.EnumerateInterfaces(paths));
    const std::vector<std::string> expected = {
        "emu#vid_320f&pid_220f&mi_01&col01#1", "emu#vid_320f&pid_220f&mi_01&col02#1",
        "emu#vid_320f&pid_220f&mi_01&col03#1", "emu#vid_320f&pid_220f&mi_01&col04#1",
        "emu#vid_0000&pid_0000&mi_03#2"};
    EXPECT_EQ(paths, expected);
    EXPECT_EQ(mouse->Paths().size(), 4u);
}

TEST_F(EmulatedHidBackendTest, RefusedDescriptorPlugsNothing) {
    TraceCapture traces;
    EmulatedHidInterfaceConfig config;
    config.reportDescriptor = {0xA1, 0x01};
    EXPECT_EQ(m_backend.Plug(config), nullptr);
    EXPECT_TRUE(traces.Contains("emulated HID interface refused"));
    std::vector<std::string> paths;
    EXPECT_TRUE(m_backend.EnumerateInterfaces(paths));
    EXPECT_TRUE(paths.empty());
}

TEST_F(EmulatedHidBackendTest, HandlerAnswersOnTheCollectionOwningTheReport) {
    std::vector<EmulatedOutputPath> seen;
    auto mouse = PlugMouse(
        [&](EmulatedHidInterface& iface, std::span<const uint8_t> report, EmulatedOutputPath path) {
            seen.push_back(path);
            std::vector<uint8_t> reply(report.begin(), report.end());
            reply[2] = 0xAA;
            iface.QueueInputReport(reply);
            return true;
        });
    auto commands = m_backend.Open(mouse->Paths()[3], kReadWrite);
    auto notifications = m_backend.Open(mouse->Paths()[2], kReadWrite);
    ASSERT_NE(commands, nullptr);
    ASSERT_NE(notifications, nullptr);
    EXPECT_EQ(mouse->OpenCount(), 2u);
    EXPECT_EQ(commands->Attributes().versionNumber, 0x0105);

    size_t transferred = 0;
    const auto request = Command(0x03);
    EXPECT_EQ(commands->Write(request, 1000, m_abort, transferred), HidTransferResult::Completed);
    EXPECT_EQ(transferred, 64u);
    std::vector<uint8_t> reply(64);
    EXPECT_EQ(commands->Read(reply, 1000, m_abort, transferred), HidTransferResult::Completed);
    EXPECT_EQ(transferred, 64u);
    EXPECT_EQ(reply[0], 4);
    EXPECT_EQ(reply[1], 0x03);
    EXPECT_EQ(reply[2], 0xAA);
    // The consumer collection never sees report 4.
    std::vector<uint8_t> other(3);
    EXPECT_EQ(notifications->Read(other, 0, m_abort, transferred), HidTransferResult::TimedOut);
    EXPECT_EQ(transferred, 0u);

    EXPECT_TRUE(commands->SetOutputReport(request));
    EXPECT_EQ(seen, (std::vector<EmulatedOutputPath>{EmulatedOutputPath::Write,
                                                     EmulatedOutputPath::SetOutputReport}));
    // A report id the collection does not own is refused before the device.
    const std::vector<uint8_t> foreign = {3, 1, 0};
    EXPECT_EQ(commands->Write(foreign, 1000, m_abort, transferred), HidTransferResult::Failed);
    EXPECT_EQ(seen.size(), 2u);
}

TEST_F(EmulatedHidBackendTest, HandlerRefusalFailsTheWrite) {
    auto mouse = PlugMouse(
        [](EmulatedHidInterface&, std::span<const uint8_t>, EmulatedOutputPath) { return false; });
    auto commands = m_backend.Open(mouse->Paths()[3], kReadWrite);
    size_t transferred = 7;
    EXPECT_EQ(commands->Write(Command(1), 1000, m_abort, transferred), HidTransferResult::Failed);
    EXPECT_EQ(transferred, 0u);
    EXPECT_FALSE(commands->SetOutputReport(Command(1)));
}

TEST_F(EmulatedHidBackendTest, ShortInputReportIsPaddedAndUnnumberedGetsIdZero) {
    auto mouse = PlugMouse();
    auto commands = m_backend.Open(mouse->Paths()[3], kReadWrite);
    const std::vector<uint8_t> shortReport = {4, 9, 8};
    EXPECT_EQ(mouse->QueueInputReport(shortReport), 1u);
    std::vector<uint8_t> buffer(64, 0xEE);
    size_t transferred = 0;
    ASSERT_EQ(commands->Read(buffer, 100, m_abort, transferred), HidTransferResult::Completed);
    EXPECT_EQ(transferred, 64u);
    EXPECT_EQ(buffer[2], 8);
    EXPECT_EQ(buffer[3], 0);
    EXPECT_EQ(buffer[63], 0);

    EmulatedHidInterfaceConfig boot;
    boot.reportDescriptor = test::kBootMouse;
    auto plain = m_backend.Plug(boot);
    auto pointer = m_backend.Open(plain->Paths()[0], kReadWrite);
    const std::vector<uint8_t> motion = {0x01, 0x05, 0xFB};
    EXPECT_EQ(plain->QueueInputReport(motion), 1u);
    std::vector<uint8_t> shaped(4);
    ASSERT_EQ(pointer->Read(shaped, 100, m_abort, transferred), HidTransferResult::Completed);
    EXPECT_EQ(shaped, (std::vector<uint8_t>{0, 0x01, 0x05, 0xFB}));
}

TEST_F(EmulatedHidBackendTest, UnplugWakesABlockedReadAndHidesThePaths) {
    auto mouse = PlugMouse();
    const std::string path = mouse->Paths()[3];
    auto commands = m_backend.Open(path, kReadWrite);
    std::atomic<int> result{-1};
    std::thread reader([&] {
        std::vector<uint8_t> buffer(64);
        size_t transferred = 0;
        result = static_cast<int>(commands->Read(buffer, kInfinite, m_abort, transferred));
    });
    mouse->Unplug();
    reader.join();
    EXPECT_EQ(result.load(), static_cast<int>(HidTransferResult::Failed));
    EXPECT_FALSE(m_backend.IsPresent(path));
    EXPECT_EQ(m_backend.Open(path, kReadWrite), nullptr);
    std::vector<std::string> paths;
    m_backend.EnumerateInterfaces(paths);
    EXPECT_TRUE(paths.empty());
    EXPECT_EQ(mouse->QueueInputReport(Command(1)), 0u);
    size_t transferred = 0;
    EXPECT_EQ(commands->Write(Command(1), 100, m_abort, transferred), HidTransferResult::Failed);
}

TEST_F(EmulatedHidBackendTest, AbortWakesABlockedRead) {
    auto mouse = PlugMouse();
    auto commands = m_backend.Open(mouse->Paths()[3], kReadWrite);
    std::atomic<int> result{-1};
    std::thread reader([&] {
        std::vector<uint8_t> buffer(64);
        size_t transferred = 0;
        result = static_cast<int>(commands->Read(buffer, kInfinite, m_abort, transferred));
    });
    m_abort.Set();
    reader.join();
    EXPECT_EQ(result.load(), static_cast<int>(HidTransferResult::Aborted));
}

TEST_F(EmulatedHidBackendTest, DeviceThreadAnswersLaterAndReaderWaits) {
    Event requested(Event::ResetMode::Auto);
    auto mouse =
        PlugMouse([&](EmulatedHidInterface&, std::span<const uint8_t>, EmulatedOutputPath) {
            requested.Set();
            return true;
        });
    std::thread device([&] {
        requested.Wait(kInfinite);
        mouse->QueueInputReport(Command(0x42));
    });
    auto commands = m_backend.Open(mouse->Paths()[3], kReadWrite);
    size_t transferred = 0;
    ASSERT_EQ(commands->Write(Command(0x42), 1000, m_abort, transferred),
              HidTransferResult::Completed);
    std::vector<uint8_t> buffer(64);
    EXPECT_EQ(commands->Read(buffer, kInfinite, m_abort, transferred),
              HidTransferResult::Completed);
    EXPECT_EQ(buffer[1], 0x42);
    device.join();
}

TEST_F(EmulatedHidBackendTest, ASlowReaderLosesTheNewestReports) {
    TraceCapture traces;
    auto mouse = PlugMouse();
    auto commands = m_backend.Open(mouse->Paths()[3], kReadWrite);
    size_t delivered = 0;
    for (int i = 0; i < 70; ++i)
        delivered += mouse->QueueInputReport(Command(static_cast<uint8_t>(i)));
    EXPECT_EQ(delivered, 64u);
    EXPECT_TRUE(traces.Contains("input report dropped"));
    std::vector<uint8_t> buffer(64);
    size_t transferred = 0;
    ASSERT_EQ(commands->Read(buffer, 0, m_abort, transferred), HidTransferResult::Completed);
    EXPECT_EQ(buffer[1], 0);  // oldest first
}

TEST_F(EmulatedHidBackendTest, CancelEndsEveryWaiter) {
    auto mouse = PlugMouse();
    auto commands = m_backend.Open(mouse->Paths()[3], kReadWrite);
    commands->Cancel();
    std::vector<uint8_t> buffer(64);
    size_t transferred = 0;
    EXPECT_EQ(commands->Read(buffer, kInfinite, m_abort, transferred), HidTransferResult::Failed);
}

}  // namespace
}  // namespace warden
