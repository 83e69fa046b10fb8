#include "ui/Host.h"

#include <atomic>

namespace warden {
namespace {
std::atomic<Host*> g_host{nullptr};
}

Host* GetHost() {
    return g_host.load();
}
void SetHost(Host* host) {
    g_host.store(host);
}

}  // namespace warden
