#include "platform/hid/HidShareTable.h"

namespace warden {

HidShareTable::Lease::~Lease() {
    m_table->Release(m_path, m_flags);
}

std::unique_ptr<HidShareTable::Lease> HidShareTable::Acquire(const std::string& path,
                                                             const HidOpenFlags& flags) {
    std::lock_guard lock(m_lock);
    Claims& claims = m_claims[path];
    const bool refused =
        (flags.write && claims.exclusive > 0) || (flags.exclusive && claims.writers > 0);
    if (refused) {
        if (claims.writers == 0 && claims.exclusive == 0) m_claims.erase(path);
        return nullptr;
    }
    claims.writers += flags.write ? 1 : 0;
    claims.exclusive += flags.exclusive ? 1 : 0;
    return std::make_unique<Lease>(shared_from_this(), path, flags);
}

void HidShareTable::Release(const std::string& path, const HidOpenFlags& flags) {
    std::lock_guard lock(m_lock);
    auto it = m_claims.find(path);
    if (it == m_claims.end()) return;
    it->second.writers -= flags.write ? 1 : 0;
    it->second.exclusive -= flags.exclusive ? 1 : 0;
    if (it->second.writers <= 0 && it->second.exclusive <= 0) m_claims.erase(it);
}

}  // namespace warden
