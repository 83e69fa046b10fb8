#pragma once
// One running instance per user. The first start holds an flock() on a lock
// file in the runtime folder and listens on a Unix socket beside it; a later
// start finds the lock taken and sends the running instance a registered
// message (by name, with wParam and lParam) over that socket.
//
// Wire format, one line per connection: "<name>\t<wParam>\t<lParam>\n", the
// name being one of the names the listener accepts.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/WorkerThread.h"

namespace warden {

class SingleInstanceGuard {
public:
    enum class Claim { First, Second, Failed };
    // Called on the listener thread with the registered message number.
    using Deliver = std::function<void(uint32_t message, uintptr_t wParam, intptr_t lParam)>;

    // `folder` holds the lock and the socket; `name` names both files.
    SingleInstanceGuard(std::filesystem::path folder, std::string name);
    ~SingleInstanceGuard();
    SingleInstanceGuard(const SingleInstanceGuard&) = delete;
    SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

    // Takes the lock. First: this process is the instance (lock held until
    // destruction). Second: another process holds it. Failed: the folder or
    // lock file is unusable (traced); callers then run as the only instance.
    Claim TryClaim();

    // Second instance: sends the message to the running one, retrying for up
    // to `patienceMs` while it is still setting up its socket. False (traced)
    // when nothing could be delivered.
    bool SendToFirst(const std::string& messageName, uintptr_t wParam, intptr_t lParam,
                     uint32_t patienceMs = 1000) const;

    // First instance: binds the socket and starts a listener thread that hands
    // every well-formed line naming one of `acceptedNames` to `deliver`.
    // Malformed lines and other names are traced and dropped. False when the
    // socket could not be set up (traced).
    bool Listen(std::vector<std::string> acceptedNames, Deliver deliver);

    // Stops the listener (bounded wait) and removes the socket file.
    void StopListening();

    std::filesystem::path SocketPath() const;

private:
    void ListenLoop(WorkerContext context);
    void ServeConnection(int client);

    std::filesystem::path m_folder;
    std::string m_name;
    int m_lockFd = -1;
    int m_listenFd = -1;
    std::vector<std::string> m_accepted;
    Deliver m_deliver;
    WorkerThread m_listener;
};

}  // namespace warden
