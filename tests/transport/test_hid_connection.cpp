#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <thread>

#include "platform/Event.h"
#include "platform/hid/EmulatedHidBackend.h"
#include "platform/hid/EmulatedTestMouse.h"
#include "platform/hid/FakeHidrawTree.h"
#include "platform/hid/HidTestDescriptors.h"
#include "platform/hid/HidrawBackend.h"
#include "transport/CHidConnection.h"

namespace warden {
namespace {

std::vector<uint8_t> Frame(uint8_t id, uint8_t code, size_t size = 64) {
    std::vector<uint8_t> report(size, 0);
    report[0] = id;
    if (size > 1) report[1] = code;
    return report;
}

// --- Path helpers --------------------------------------------------------

struct PathCase {
    const char* name;
    const char* path;
    uint16_t vendor, product, interface, collection;
};

void PrintTo(const PathCase& c, std::ostream* os) {
    *os << c.name;
}

class PathHelpers : public testing::TestWithParam<PathCase> {};

TEST_P(PathHelpers, ReadTheNumbersWithoutRegardToCase) {
    const PathCase& c = GetParam();
    EXPECT_EQ(ParseVendorId(c.path), c.vendor);
    EXPECT_EQ(ParseProductId(c.path), c.product);
    EXPECT_EQ(ParseInterfaceNumber(c.path), c.interface);
    EXPECT_EQ(ParseCollectionNumber(c.path), c.collection);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, PathHelpers,
    testing::Values(
        PathCase{"Hidraw", "hid#vid_320f&pid_220f&mi_01&col04#hidraw3", 0x320F, 0x220F, 1, 4},
        PathCase{"WindowsUpperCase", "\\\\?\\HID#VID_320F&PID_220F&MI_01&COL03#7&1&0000#{4d1e55b2}",
                 0x320F, 0x220F, 1, 3},
        PathCase{"Emulated", "emu#vid_0000&pid_0000&mi_03#2", 0, 0, 3, 0},
        PathCase{"NoInterfaceOrCollection", "hid#vid_1234&pid_abcd#hidraw0", 0x1234, 0xABCD, 0, 0},
        PathCase{"NoKeys", "no keys at all", 0, 0, 0, 0},
        PathCase{"KeysWithoutNumbers", "vid_&pid_zz&mi_&col", 0, 0, 0, 0},
        PathCase{"OverlongNumbers", "vid_12345678&pid_1ffff", 0x5678, 0xFFFF, 0, 0}),
    [](const testing::TestParamInfo<PathCase>& p) { return std::string(p.param.name); });

// --- Enumeration --------------------------------------------------------

class HidConnectionEmulated : public testing::Test {
protected:
    HidConnectionEmulated()
        : m_backend(std::make_shared<EmulatedHidBackend>()), m_scope(m_backend) {}

    std::shared_ptr<EmulatedHidInterface> PlugMouse(EmulatedOutputHandler handler = {}) {
        return m_backend->Plug(test::MouseInterfaceConfig(0x0101, std::move(handler)));
    }

    std::shared_ptr<EmulatedHidBackend> m_backend;
    ScopedHidBackend m_scope;
    CHidConnection m_connection;
};

TEST_F(HidConnectionEmulated, NoInterfacesGivesAnEmptyList) {
    EXPECT_EQ(m_connection.NextPath(), nullptr);  // no list yet
    EXPECT_EQ(m_connection.EnumeratePaths(), 1);
    EXPECT_EQ(m_connection.PathCount(), 0);
    EXPECT_EQ(m_connection.NextPath(), nullptr);
}

TEST_F(HidConnectionEmulated, NineInterfacesComeBackInOrder) {
    for (int i = 0; i < 9; ++i) {
        EmulatedHidInterfaceConfig config;
        config.vendorId = static_cast<uint16_t>(0x100 + i);
        config.interfaceNumber = i;
        config.reportDescriptor = test::kBootMouse;
        ASSERT_NE(m_backend->Plug(config), nullptr);
    }
    ASSERT_EQ(m_connection.EnumeratePaths(), 1);
    EXPECT_EQ(m_connection.PathCount(), 9);
    for (int i = 0; i < 9; ++i) {
        const char* path = m_connection.NextPath();
        ASSERT_NE(path, nullptr);
        EXPECT_EQ(ParseVendorId(path), 0x100 + i);
        EXPECT_EQ(ParseInterfaceNumber(path), i);
    }
    EXPECT_EQ(m_connection.NextPath(), nullptr);
    // A new pass starts from the first path again.
    ASSERT_EQ(m_connection.EnumeratePaths(), 1);
    EXPECT_EQ(ParseVendorId(m_connection.NextPath()), 0x100);
    m_connection.FreePaths();
    EXPECT_EQ(m_connection.NextPath(), nullptr);
}

// --- Open and the report tables -----------------------------------------

TEST_F(HidConnectionEmulated, OpenLoadsAttributesCapsAndItems) {
    auto mouse = PlugMouse();
    const std::string path = mouse->Paths()[3];
    ASSERT_EQ(m_connection.Open(path, 1, 1, 1, 0), 1);
    EXPECT_TRUE(m_connection.IsOpen());
    EXPECT_EQ(m_connection.DevicePath(), path);
    EXPECT_EQ(m_connection.Attributes().vendorId, 0x320F);
    EXPECT_EQ(m_connection.Attributes().versionNumber, 0x0101);
    EXPECT_EQ(m_connection.Caps().usagePage, 0xFF1C);
    EXPECT_EQ(m_connection.Caps().usage, 0x92);
    EXPECT_EQ(m_connection.Caps().inputReportByteLength, 64);
    EXPECT_EQ(m_connection.Caps().outputReportByteLength, 64);
    EXPECT_EQ(m_connection.InterfaceNumber(), 1);
    EXPECT_EQ(m_connection.CollectionNumber(), 4);
    ASSERT_NE(m_connection.ReportBuffer(HidReportType::Input), nullptr);
    EXPECT_EQ(m_connection.ReportBuffer(HidReportType::Feature), nullptr);
    ASSERT_EQ(m_connection.ItemCount(HidReportType::Input), 1u);
    const HidReportItem& value = m_connection.Items(HidReportType::Input)[0];
    EXPECT_FALSE(value.isButton);
    EXPECT_EQ(value.usage, 0x01);
    EXPECT_EQ(value.reportId, 4u);
    EXPECT_EQ(value.status, kHidpStatusSuccess);

    ASSERT_EQ(m_connection.Open(mouse->Paths()[2], 1, 0, 1, 0), 1);  // closes the first
    EXPECT_EQ(mouse->OpenCount(), 1u);
    EXPECT_EQ(m_connection.CollectionNumber(), 3);
    ASSERT_EQ(m_connection.ItemCount(HidReportType::Input), 1u);
    const HidReportItem& buttons = m_connection.Items(HidReportType::Input)[0];
    EXPECT_TRUE(buttons.isButton);
    EXPECT_EQ(buttons.usageMin, 0u);
    EXPECT_EQ(buttons.usageMax, 0xFFFu);
    EXPECT_EQ(buttons.usageListLength, 1u);
    EXPECT_EQ(buttons.usageList, std::vector<uint16_t>{0});

    m_connection.Close();
    EXPECT_FALSE(m_connection.IsOpen());
    EXPECT_EQ(mouse->OpenCount(), 0u);
    EXPECT_EQ(m_connection.ItemCount(HidReportType::Input), 0u);
    EXPECT_EQ(m_connection.Caps().inputReportByteLength, 0);
}

TEST_F(HidConnectionEmulated, FailedOpensLeaveTheConnectionClosed) {
    auto mouse = PlugMouse();
    const std::string path = mouse->Paths()[3];
    ASSERT_EQ(m_connection.Open(path, 1, 1, 1, 0), 1);
    EXPECT_EQ(m_connection.Open(path + std::string(300, 'x'), 1, 1, 1, 0), 0);
    EXPECT_FALSE(m_connection.IsOpen());
    EXPECT_EQ(m_connection.Open("emu#vid_320f&pid_220f&mi_01&col09#1", 1, 1, 1, 0), 0);
    mouse->Unplug();  // vanished between enumeration and open
    EXPECT_EQ(m_connection.Open(path, 1, 1, 1, 0), 0);
    EXPECT_FALSE(m_connection.IsOpen());
    uint8_t buffer[64];
    uint32_t bytes = 99;
    EXPECT_EQ(m_connection.ReadReport(buffer, 64, 0, &bytes), 0);
    EXPECT_EQ(bytes, 0u);
}

TEST_F(HidConnectionEmulated, ExclusiveOpenSharesForReadingOnly) {
    auto mouse = PlugMouse();
    const std::string path = mouse->Paths()[3];
    ASSERT_EQ(m_connection.Open(path, 1, 0, 1, 1), 1);
    EXPECT_TRUE(m_connection.OpenedExclusive());
    CHidConnection writer, reader;
    EXPECT_EQ(writer.Open(path, 1, 1, 1, 0), 0);
    EXPECT_EQ(reader.Open(path, 1, 0, 1, 0), 1);
    m_connection.Close();
    EXPECT_EQ(writer.Open(path, 1, 1, 1, 0), 1);
}

// --- Decoding -----------------------------------------------------------

TEST_F(HidConnectionEmulated, NotificationCodeIsTheFirstUsageOfTheFirstItem) {
    auto mouse = PlugMouse();
    ASSERT_EQ(m_connection.Open(mouse->Paths()[2], 1, 1, 1, 0), 1);
    const std::vector<uint8_t> notification = {3, 0x01, 0x04};
    mouse->QueueInputReport(notification);
    uint8_t* buffer = m_connection.ReportBuffer(HidReportType::Input);
    uint32_t bytes = 0;
    ASSERT_EQ(m_connection.ReadReport(buffer, 3, kInfinite, &bytes), 1);
    EXPECT_EQ(bytes, 3u);
    HidReportItem* items = m_connection.Items(HidReportType::Input);
    EXPECT_TRUE(CHidConnection::DecodeReport(buffer, bytes, HidReportType::Input, items,
                                             m_connection.ItemCount(HidReportType::Input),
                                             m_connection.ParserData()));
    EXPECT_TRUE(items[0].isSet);
    EXPECT_EQ(items[0].usageList[0], 0x401);
    // A report of another id leaves the items alone.
    items[0].isSet = false;
    const uint8_t other[3] = {4, 0, 0};
    EXPECT_TRUE(CHidConnection::DecodeReport(other, 3, HidReportType::Input, items, 1,
                                             m_connection.ParserData()));
    EXPECT_FALSE(items[0].isSet);
}

TEST_F(HidConnectionEmulated, UnreadableValueStopsDecoding) {
    auto mouse = PlugMouse();
    ASSERT_EQ(m_connection.Open(mouse->Paths()[3], 1, 1, 1, 0), 1);
    HidReportItem items[3];
    for (HidReportItem& item : items) {
        item.usagePage = 0xFF1C;
        item.reportId = 4;
        item.usage = 0x01;
    }
    items[1].usage = 0x77;  // not in the collection
    const auto report = Frame(4, 0x33);
    EXPECT_FALSE(CHidConnection::DecodeReport(report.data(), 64, HidReportType::Input, items, 3,
                                              m_connection.ParserData()));
    EXPECT_TRUE(items[0].isSet);
    EXPECT_EQ(items[0].value, 0x33u);
    EXPECT_EQ(items[1].status, kHidpStatusUsageNotFound);
    EXPECT_FALSE(items[1].isSet);
    EXPECT_FALSE(items[2].isSet);
    EXPECT_EQ(items[2].status, kHidpStatusSuccess);
}

// --- Transfers against the emulated backend ------------------------------

TEST_F(HidConnectionEmulated, ExchangeAndHeadsetOutputReport) {
    std::vector<EmulatedOutputPath> paths;
    auto mouse = PlugMouse(
        [&](EmulatedHidInterface& iface, std::span<const uint8_t> report, EmulatedOutputPath path) {
            paths.push_back(path);
            if (path == EmulatedOutputPath::Write) iface.QueueInputReport(report);
            return true;
        });
    ASSERT_EQ(m_connection.Open(mouse->Paths()[3], 1, 1, 1, 0), 1);
    const auto request = Frame(4, 0x03);
    uint32_t bytes = 0;
    ASSERT_EQ(m_connection.WriteReport(request.data(), 64, 1000, &bytes), 1);
    EXPECT_EQ(bytes, 64u);
    std::vector<uint8_t> reply(64);
    ASSERT_EQ(m_connection.ReadReport(reply.data(), 64, 1000, &bytes), 1);
    EXPECT_EQ(reply, request);
    EXPECT_TRUE(m_connection.SetOutputReport(request.data(), 64));
    EXPECT_EQ(paths.back(), EmulatedOutputPath::SetOutputReport);
    // A buffer shorter than the input report is refused.
    EXPECT_EQ(m_connection.ReadReport(reply.data(), 63, 0, &bytes), 0);
    m_connection.Close();
    EXPECT_FALSE(m_connection.SetOutputReport(request.data(), 64));
}

TEST_F(HidConnectionEmulated, UnplugEndsAnInfiniteRead) {
    auto mouse = PlugMouse();
    ASSERT_EQ(m_connection.Open(mouse->Paths()[3], 1, 1, 1, 0), 1);
    std::atomic<int> result{-1};
    std::thread reader([&] {
        uint8_t buffer[64];
        result = m_connection.ReadReport(buffer, 64, kInfinite, nullptr);
    });
    mouse->Unplug();
    reader.join();
    EXPECT_EQ(result.load(), 0);
}

TEST_F(HidConnectionEmulated, WriteNeedsWriteAccess) {
    auto mouse = PlugMouse();
    ASSERT_EQ(m_connection.Open(mouse->Paths()[3], 1, 0, 1, 0), 1);
    const auto request = Frame(4, 1);
    uint32_t bytes = 5;
    EXPECT_EQ(m_connection.WriteReport(request.data(), 64, 100, &bytes), 0);
    EXPECT_EQ(bytes, 0u);
}

// The emulated backend, telling through an event when a handle it opened is
// cancelled: the moment Close has signalled its abort.
class CancelWatchingBackend : public HidBackend {
public:
    explicit CancelWatchingBackend(std::shared_ptr<HidBackend> inner) : m_inner(std::move(inner)) {}

    bool EnumerateInterfaces(std::vector<std::string>& paths) override {
        return m_inner->EnumerateInterfaces(paths);
    }
    std::unique_ptr<HidDevice> Open(const std::string& path, const HidOpenFlags& flags) override {
        std::unique_ptr<HidDevice> device = m_inner->Open(path, flags);
        if (device == nullptr) return nullptr;
        return std::make_unique<Watched>(std::move(device), m_cancelled);
    }
    bool IsPresent(const std::string& path) override { return m_inner->IsPresent(path); }

    Event& Cancelled() { return *m_cancelled; }

private:
    class Watched : public HidDevice {
    public:
        Watched(std::unique_ptr<HidDevice> inner, std::shared_ptr<Event> cancelled)
            : m_inner(std::move(inner)), m_cancelled(std::move(cancelled)) {}
        const HidAttributes& Attributes() const override { return m_inner->Attributes(); }
        const std::shared_ptr<const HidPreparsedData>& PreparsedData() const override {
            return m_inner->PreparsedData();
        }
        HidTransferResult Read(std::span<uint8_t> buffer, uint32_t timeoutMs, HidAbortEvent& abort,
                               size_t& transferred) override {
            return m_inner->Read(buffer, timeoutMs, abort, transferred);
        }
        HidTransferResult Write(std::span<const uint8_t> report, uint32_t timeoutMs,
                                HidAbortEvent& abort, size_t& transferred) override {
            return m_inner->Write(report, timeoutMs, abort, transferred);
        }
        bool SetOutputReport(std::span<const uint8_t> report) override {
            return m_inner->SetOutputReport(report);
        }
        void Cancel() override {
            m_inner->Cancel();
            m_cancelled->Set();
        }

    private:
        const std::unique_ptr<HidDevice> m_inner;
        const std::shared_ptr<Event> m_cancelled;
    };

    const std::shared_ptr<HidBackend> m_inner;
    const std::shared_ptr<Event> m_cancelled = std::make_shared<Event>();
};

TEST_F(HidConnectionEmulated, AbortOfACloseDoesNotReachTheNextOpen) {
    Event entered;
    Event release;
    auto mouse =
        PlugMouse([&](EmulatedHidInterface&, std::span<const uint8_t>, EmulatedOutputPath) {
            entered.Set();
            return release.Wait(kInfinite);
        });
    auto watching = std::make_shared<CancelWatchingBackend>(m_backend);
    ScopedHidBackend scope(watching);
    ASSERT_EQ(m_connection.Open(mouse->Paths()[3], 1, 1, 1, 0), 1);
    const auto request = Frame(4, 0x03);

    // Close while a write is with the device; the write completes without
    // ever waiting, so nothing consumes the abort that Close signals.
    std::atomic<int> written{-1};
    std::thread writer(
        [&] { written = m_connection.WriteReport(request.data(), 64, 1000, nullptr); });
    entered.Wait(kInfinite);
    std::thread closer([&] { m_connection.Close(); });
    watching->Cancelled().Wait(kInfinite);
    release.Set();
    writer.join();
    closer.join();
    EXPECT_EQ(written.load(), 1);

    ASSERT_EQ(m_connection.Open(mouse->Paths()[3], 1, 1, 1, 0), 1);
    EXPECT_EQ(m_connection.WriteReport(request.data(), 64, 1000, nullptr), 1);
    // An abort asked for while open still ends the next transfer.
    m_connection.Abort();
    EXPECT_EQ(m_connection.WriteReport(request.data(), 64, 1000, nullptr), 0);
}

// --- Transfers against a stand-in hidraw node ----------------------------

// The hidraw node is a SOCK_SEQPACKET pair: the connection holds one end,
// the test plays the device on the other.
class HidConnectionHidraw : public testing::Test {
protected:
    HidConnectionHidraw() {
        m_tree.Add({"hidraw5", 0x320F, 0x220F, 0x0100, 1, test::kMouseInterface1});
        m_scope = std::make_unique<ScopedHidBackend>(std::make_shared<HidrawBackend>(
            m_tree.ClassRoot(), m_tree.DevRoot(), [this](const std::string&, int) {
                int pair[2];
                if (socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, pair) !=
                    0) {
                    return -1;
                }
                if (m_device >= 0) close(m_device);
                m_device = pair[1];
                return pair[0];
            }));
    }
    ~HidConnectionHidraw() override {
        m_connection.Close();
        if (m_device >= 0) close(m_device);
    }

    void OpenCommands() {
        ASSERT_EQ(m_connection.Open("hid#vid_320f&pid_220f&mi_01&col04#hidraw5", 1, 1, 1, 0), 1);
    }
    void DeviceSends(const std::vector<uint8_t>& report) {
        ASSERT_EQ(send(m_device, report.data(), report.size(), 0),
                  static_cast<ssize_t>(report.size()));
    }
    std::vector<uint8_t> DeviceReceives() {
        std::vector<uint8_t> buffer(128);
        pollfd fd{m_device, POLLIN, 0};
        if (poll(&fd, 1, 5000) != 1) return {};
        const ssize_t n = recv(m_device, buffer.data(), buffer.size(), 0);
        buffer.resize(n > 0 ? static_cast<size_t>(n) : 0);
        return buffer;
    }
    // Starts an endless read on another thread, calls `interrupt` once the
    // read is under way and returns the read's result.
    int InterruptedRead(const std::function<void()>& interrupt) {
        std::atomic<int> result{-1};
        std::thread reader([&] {
            uint8_t buffer[64];
            result = m_connection.ReadReport(buffer, 64, kInfinite, nullptr);
        });
        while (!m_connection.ReadInProgress()) std::this_thread::yield();
        interrupt();
        reader.join();
        return result.load();
    }

    test::FakeHidrawTree m_tree;
    std::unique_ptr<ScopedHidBackend> m_scope;
    int m_device = -1;
    CHidConnection m_connection;
};

TEST_F(HidConnectionHidraw, EnumeratesTheNodeAsFourCollections) {
    ASSERT_EQ(m_connection.EnumeratePaths(), 1);
    EXPECT_EQ(m_connection.PathCount(), 4);
    EXPECT_STREQ(m_connection.NextPath(), "hid#vid_320f&pid_220f&mi_01&col01#hidraw5");
}

TEST_F(HidConnectionHidraw, TimeOutGivesZeroBytes) {
    OpenCommands();
    uint8_t buffer[64];
    uint32_t bytes = 99;
    EXPECT_EQ(m_connection.ReadReport(buffer, 64, 10, &bytes), 0);
    EXPECT_EQ(bytes, 0u);
}

TEST_F(HidConnectionHidraw, OnlyReportsOfTheOpenCollectionArrive) {
    OpenCommands();
    DeviceSends({3, 0x01, 0x04});  // the consumer collection's
    DeviceSends(Frame(4, 0x21));
    std::vector<uint8_t> buffer(64);
    uint32_t bytes = 0;
    ASSERT_EQ(m_connection.ReadReport(buffer.data(), 64, 1000, &bytes), 1);
    EXPECT_EQ(bytes, 64u);
    EXPECT_EQ(buffer[0], 4);
    EXPECT_EQ(buffer[1], 0x21);
}

TEST_F(HidConnectionHidraw, AbortWhileWaitingEndsTheRead) {
    OpenCommands();
    EXPECT_EQ(InterruptedRead([&] { m_connection.Abort(); }), 0);
    // The one signal was consumed: the next read waits for its report.
    DeviceSends(Frame(4, 1));
    uint8_t buffer[64];
    EXPECT_EQ(m_connection.ReadReport(buffer, 64, 1000, nullptr), 1);
}

TEST_F(HidConnectionHidraw, PendingAbortEndsTheNextTransferAtOnce) {
    OpenCommands();
    DeviceSends(Frame(4, 1));
    m_connection.Abort();
    uint8_t buffer[64];
    uint32_t bytes = 7;
    EXPECT_EQ(m_connection.ReadReport(buffer, 64, kInfinite, &bytes), 0);
    EXPECT_EQ(bytes, 0u);
    EXPECT_EQ(m_connection.ReadReport(buffer, 64, 1000, &bytes), 1);
    m_connection.Abort();
    const auto request = Frame(4, 2);
    EXPECT_EQ(m_connection.WriteReport(request.data(), 64, 1000, &bytes), 0);
    EXPECT_EQ(m_connection.WriteReport(request.data(), 64, 1000, &bytes), 1);
}

TEST_F(HidConnectionHidraw, ReadAndWriteInFlightTogether) {
    OpenCommands();
    std::atomic<int> result{-1};
    std::vector<uint8_t> reply(64);
    std::thread reader(
        [&] { result = m_connection.ReadReport(reply.data(), 64, kInfinite, nullptr); });
    const auto request = Frame(4, 0x03);
    uint32_t bytes = 0;
    ASSERT_EQ(m_connection.WriteReport(request.data(), 64, 1000, &bytes), 1);
    EXPECT_EQ(bytes, 64u);
    EXPECT_EQ(DeviceReceives(), request);
    DeviceSends(Frame(4, 0x83));
    reader.join();
    EXPECT_EQ(result.load(), 1);
    EXPECT_EQ(reply[1], 0x83);
}

TEST_F(HidConnectionHidraw, CloseFromAnotherThreadEndsTheRead) {
    OpenCommands();
    // Close once the read is under way, so that it has something to end.
    EXPECT_EQ(InterruptedRead([&] { m_connection.Close(); }), 0);
    EXPECT_FALSE(m_connection.IsOpen());
}

TEST_F(HidConnectionHidraw, VanishedNodeFailsTheRead) {
    OpenCommands();
    close(m_device);
    m_device = -1;
    uint8_t buffer[64];
    EXPECT_EQ(m_connection.ReadReport(buffer, 64, kInfinite, nullptr), 0);
}

TEST_F(HidConnectionHidraw, OutputReportReachesTheNode) {
    OpenCommands();
    const auto request = Frame(4, 0x11);
    EXPECT_TRUE(m_connection.SetOutputReport(request.data(), 64));
    EXPECT_EQ(DeviceReceives(), request);
    const auto foreign = Frame(3, 0x11, 3);
    EXPECT_FALSE(m_connection.SetOutputReport(foreign.data(), 3));
}

}  // namespace
}  // namespace warden
