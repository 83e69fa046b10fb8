#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <condition_variable>
#include <cstring>
#include <fstream>
#include <mutex>

#include "app/SingleInstanceGuard.h"
#include "platform/RegisteredMessages.h"
#include "platform/Trace.h"

namespace warden {
namespace {

namespace fs = std::filesystem;

struct Received {
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
};

class SingleInstanceGuardTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/warden-guard-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        m_folder = pattern;
    }
    void TearDown() override { fs::remove_all(m_folder); }

    SingleInstanceGuard::Deliver Recorder() {
        return [this](uint32_t message, uintptr_t wParam, intptr_t lParam) {
            std::lock_guard lock(m_mutex);
            m_received.push_back({message, wParam, lParam});
            m_changed.notify_all();
        };
    }
    // Waits (bounded) until `count` messages arrived; returns what arrived.
    std::vector<Received> WaitFor(size_t count) {
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock, std::chrono::seconds(5),
                           [&] { return m_received.size() >= count; });
        return m_received;
    }
    // Sends raw bytes as a misbehaving local peer would.
    void SendRaw(const SingleInstanceGuard& guard, const std::string& bytes) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, guard.SocketPath().c_str(), sizeof address.sun_path - 1);
        ASSERT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ASSERT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        ::close(fd);
    }

    fs::path m_folder;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Received> m_received;
};

TEST_F(SingleInstanceGuardTest, SecondClaimWakesTheFirstWithItsParameters) {
    SingleInstanceGuard first(m_folder, "VDL-K42 WARDEN");
    ASSERT_EQ(first.TryClaim(), SingleInstanceGuard::Claim::First);
    ASSERT_TRUE(first.Listen({"VDL-K42 WARDEN"}, Recorder()));

    SingleInstanceGuard second(m_folder, "VDL-K42 WARDEN");
    EXPECT_EQ(second.TryClaim(), SingleInstanceGuard::Claim::Second);
    EXPECT_TRUE(second.SendToFirst("VDL-K42 WARDEN", 0, 1));

    const auto received = WaitFor(1);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].message, RegisterWindowMessage("VDL-K42 WARDEN"));
    EXPECT_EQ(received[0].wParam, 0u);
    EXPECT_EQ(received[0].lParam, 1);
}

TEST_F(SingleInstanceGuardTest, LockIsFreedWhenTheFirstEndsAndStaleSocketIsReplaced) {
    {
        SingleInstanceGuard first(m_folder, "W");
        ASSERT_EQ(first.TryClaim(), SingleInstanceGuard::Claim::First);
    }
    // A crashed run leaves its socket file behind.
    { std::ofstream(m_folder / "W.sock") << "stale"; }
    SingleInstanceGuard next(m_folder, "W");
    ASSERT_EQ(next.TryClaim(), SingleInstanceGuard::Claim::First);
    ASSERT_TRUE(next.Listen({"W"}, Recorder()));
    SingleInstanceGuard other(m_folder, "W");
    EXPECT_EQ(other.TryClaim(), SingleInstanceGuard::Claim::Second);
    EXPECT_TRUE(other.SendToFirst("W", 3, -4));
    const auto received = WaitFor(1);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].lParam, -4);
    next.StopListening();
    EXPECT_FALSE(fs::exists(m_folder / "W.sock"));
}

TEST_F(SingleInstanceGuardTest, DropsMalformedAndUnknownRequests) {
    TraceCapture traces;
    SingleInstanceGuard first(m_folder, "W");
    ASSERT_EQ(first.TryClaim(), SingleInstanceGuard::Claim::First);
    ASSERT_TRUE(first.Listen({"W"}, Recorder()));
    for (const char* bytes :
         {"W\t0\n", "W\tx\t1\n", "W\t0\t1", "Other\t0\t1\n", "W\t0\t99999999999999999999999\n"}) {
        SendRaw(first, bytes);
    }
    SendRaw(first, std::string(4096, 'A'));
    SendRaw(first, "W\t7\t1\n");  // the listener still serves well-formed requests
    const auto received = WaitFor(1);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].wParam, 7u);
    EXPECT_GE(traces.Count("single instance: dropped"), 6u);
}

TEST_F(SingleInstanceGuardTest, SendWithoutRunningInstanceFailsWithinPatience) {
    SingleInstanceGuard lonely(m_folder, "W");
    EXPECT_FALSE(lonely.SendToFirst("W", 0, 1, 40));
}

TEST_F(SingleInstanceGuardTest, UnusableFolderFails) {
    SingleInstanceGuard guard(m_folder / "missing" / "deeper", "W");
    EXPECT_EQ(guard.TryClaim(), SingleInstanceGuard::Claim::Failed);
    SingleInstanceGuard none(fs::path(), "W");
    EXPECT_EQ(none.TryClaim(), SingleInstanceGuard::Claim::Failed);
}

}  // namespace
}  // namespace warden
