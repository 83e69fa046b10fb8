#include "platform/hid/HidBackend.h"

#include <mutex>

#include "platform/hid/HidrawBackend.h"

namespace warden {
namespace {

std::mutex g_backendLock;
std::shared_ptr<HidBackend> g_backend;

}  // namespace

std::shared_ptr<HidBackend> CurrentHidBackend() {
    std::lock_guard lock(g_backendLock);
    if (g_backend == nullptr) g_backend = std::make_shared<HidrawBackend>();
    return g_backend;
}

void SetHidBackend(std::shared_ptr<HidBackend> backend) {
    std::lock_guard lock(g_backendLock);
    g_backend = std::move(backend);
}

ScopedHidBackend::ScopedHidBackend(std::shared_ptr<HidBackend> backend)
    : m_previous(CurrentHidBackend()) {
    SetHidBackend(std::move(backend));
}

ScopedHidBackend::~ScopedHidBackend() {
    SetHidBackend(std::move(m_previous));
}

}  // namespace warden
