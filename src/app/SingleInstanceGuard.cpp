#include "app/SingleInstanceGuard.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstring>
#include <string_view>
#include <thread>

#include "platform/RegisteredMessages.h"
#include "platform/Trace.h"

namespace warden {
namespace {

constexpr size_t kMaxLine = 512;
constexpr int kPollSliceMs = 50;
// A peer that connects and dawdles must not stall the listener: the whole
// request must arrive within this bound.
constexpr int kPeerReadBoundMs = 200;

bool FillAddress(const std::filesystem::path& path, sockaddr_un& address) {
    const std::string text = path.string();
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (text.size() >= sizeof address.sun_path) {
        Trace("single instance: socket path too long: %s\n", text.c_str());
        return false;
    }
    std::memcpy(address.sun_path, text.c_str(), text.size());
    return true;
}

template <typename T>
bool ParseNumber(std::string_view text, T& out) {
    if (text.empty()) return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return error == std::errc() && end == text.data() + text.size();
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::send(fd, data.data(), data.size(), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

}  // namespace

SingleInstanceGuard::SingleInstanceGuard(std::filesystem::path folder, std::string name)
    : m_folder(std::move(folder)), m_name(std::move(name)) {}

SingleInstanceGuard::~SingleInstanceGuard() {
    StopListening();
    if (m_lockFd >= 0) ::close(m_lockFd);
}

std::filesystem::path SingleInstanceGuard::SocketPath() const {
    return m_folder / (m_name + ".sock");
}

SingleInstanceGuard::Claim SingleInstanceGuard::TryClaim() {
    if (m_lockFd >= 0) return Claim::First;
    if (m_folder.empty()) {
        Trace("single instance: no runtime folder\n");
        return Claim::Failed;
    }
    const std::string lockPath = (m_folder / (m_name + ".lock")).string();
    const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        Trace("single instance: cannot open %s: %s\n", lockPath.c_str(), std::strerror(errno));
        return Claim::Failed;
    }
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc == 0) {
        m_lockFd = fd;
        return Claim::First;
    }
    const int error = errno;
    ::close(fd);
    if (error == EWOULDBLOCK) return Claim::Second;
    Trace("single instance: cannot lock %s: %s\n", lockPath.c_str(), std::strerror(error));
    return Claim::Failed;
}

bool SingleInstanceGuard::SendToFirst(const std::string& messageName, uintptr_t wParam,
                                      intptr_t lParam, uint32_t patienceMs) const {
    sockaddr_un address;
    if (!FillAddress(SocketPath(), address)) return false;
    const std::string line =
        messageName + "\t" + std::to_string(wParam) + "\t" + std::to_string(lParam) + "\n";
    constexpr uint32_t kRetryMs = 20;
    for (uint32_t waited = 0;; waited += kRetryMs) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) {
            Trace("single instance: socket: %s\n", std::strerror(errno));
            return false;
        }
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
            const bool sent = WriteAll(fd, line);
            ::close(fd);
            if (!sent) Trace("single instance: sending to the running instance failed\n");
            return sent;
        }
        const int error = errno;
        ::close(fd);
        if (waited >= patienceMs) {
            Trace("single instance: running instance unreachable: %s\n", std::strerror(error));
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(kRetryMs));
    }
}

bool SingleInstanceGuard::Listen(std::vector<std::string> acceptedNames, Deliver deliver) {
    if (m_lockFd < 0 || m_listenFd >= 0) return m_listenFd >= 0;
    sockaddr_un address;
    if (!FillAddress(SocketPath(), address)) return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        Trace("single instance: socket: %s\n", std::strerror(errno));
        return false;
    }
    // We hold the lock, so a socket file here is a leftover of a crashed run.
    ::unlink(address.sun_path);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, 8) != 0) {
        Trace("single instance: cannot listen on %s: %s\n", address.sun_path, std::strerror(errno));
        ::close(fd);
        return false;
    }
    m_listenFd = fd;
    m_accepted = std::move(acceptedNames);
    m_deliver = std::move(deliver);
    m_listener.Start(this, [this](WorkerContext context) { ListenLoop(context); });
    return true;
}

void SingleInstanceGuard::StopListening() {
    if (m_listenFd < 0) return;
    m_listener.Stop();
    ::close(m_listenFd);
    m_listenFd = -1;
    std::error_code error;
    std::filesystem::remove(SocketPath(), error);
}

void SingleInstanceGuard::ListenLoop(WorkerContext context) {
    while (!context.stop->IsSet()) {
        pollfd entry{m_listenFd, POLLIN, 0};
        const int ready = ::poll(&entry, 1, kPollSliceMs);
        if (ready == 0) continue;
        const int client = ready > 0 ? ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC) : -1;
        if (client < 0) {
            // Out of descriptors or a broken socket: pause instead of spinning.
            context.stop->Wait(kPollSliceMs);
            continue;
        }
        ServeConnection(client);
        ::close(client);
    }
}

void SingleInstanceGuard::ServeConnection(int client) {
    std::string line;
    char buffer[128];
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kPeerReadBoundMs);
    while (line.find('\n') == std::string::npos && line.size() <= kMaxLine) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd entry{client, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&entry, 1, static_cast<int>(left.count())) <= 0) break;
        const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        line.append(buffer, static_cast<size_t>(n));
    }
    const size_t end = line.find('\n');
    if (end == std::string::npos || end > kMaxLine) {
        Trace("single instance: dropped an incomplete or oversized request\n");
        return;
    }
    std::string_view text(line.data(), end);
    const size_t tab1 = text.find('\t');
    const size_t tab2 = tab1 == std::string_view::npos ? tab1 : text.find('\t', tab1 + 1);
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
    if (tab2 == std::string_view::npos ||
        !ParseNumber(text.substr(tab1 + 1, tab2 - tab1 - 1), wParam) ||
        !ParseNumber(text.substr(tab2 + 1), lParam)) {
        Trace("single instance: dropped a malformed request\n");
        return;
    }
    const std::string_view name = text.substr(0, tab1);
    for (const auto& accepted : m_accepted) {
        if (accepted == name) {
            m_deliver(RegisterWindowMessage(name), wParam, lParam);
            return;
        }
    }
    Trace("single instance: dropped a request for an unknown message\n");
}

}  // namespace warden
