#include "transport/CSlotTable.h"

namespace warden {

namespace {

template <typename A, typename B>
bool SameAddress(const A& a, const B& b) {
    return a.vendorId == b.vendorId && a.productId == b.productId &&
           a.interfaceNumber == b.interfaceNumber && a.collectionNumber == b.collectionNumber;
}

template <typename A, typename B>
bool SameAddressAndUsage(const A& a, const B& b) {
    return SameAddress(a, b) && a.usagePage == b.usagePage && a.usage == b.usage;
}

}  // namespace

CSlotTable::CSlotTable() {
    m_slots.reserve(kDeviceCatalogue.size());
    for (const DeviceCatalogueRow& row : kDeviceCatalogue) {
        m_slots.push_back(DeviceCatalogueEntry::FromRow(row));
    }
}

DeviceCatalogueEntry CSlotTable::At(size_t index) const {
    std::lock_guard lock(m_mutex);
    return index < m_slots.size() ? m_slots[index] : DeviceCatalogueEntry{};
}

bool CSlotTable::IsWanted(const DeviceCatalogueEntry& identity) const {
    bool inCatalogue = false;
    for (const DeviceCatalogueRow& row : kDeviceCatalogue) {
        inCatalogue = inCatalogue || SameAddress(row, identity);
    }
    if (!inCatalogue) return false;
    std::lock_guard lock(m_mutex);
    for (const DeviceCatalogueEntry& slot : m_slots) {
        if (SameAddress(slot, identity) && slot.IsFree()) return true;
    }
    return false;
}

std::optional<size_t> CSlotTable::ClaimSlot(DeviceCatalogueEntry& identity) {
    const DeviceCatalogueRow* match = nullptr;
    for (const DeviceCatalogueRow& row : kDeviceCatalogue) {
        if (SameAddressAndUsage(row, identity)) {
            match = &row;
            break;
        }
    }
    if (!match) return std::nullopt;
    identity.deviceKind = match->deviceKind;
    identity.interfaceRole = match->interfaceRole;

    std::lock_guard lock(m_mutex);
    for (size_t i = 0; i < m_slots.size(); ++i) {
        DeviceCatalogueEntry& slot = m_slots[i];
        if (SameAddressAndUsage(slot, identity) && slot.IsFree()) {
            slot.present = 1;
            slot.devicePath = identity.devicePath;
            return i;
        }
    }
    return std::nullopt;
}

bool CSlotTable::AllSlotsTaken() const {
    std::lock_guard lock(m_mutex);
    for (const DeviceCatalogueEntry& slot : m_slots) {
        if (slot.IsFree()) return false;
    }
    return true;
}

std::vector<std::pair<size_t, std::string>> CSlotTable::PresentSlots() const {
    std::vector<std::pair<size_t, std::string>> present;
    std::lock_guard lock(m_mutex);
    for (size_t i = 0; i < m_slots.size(); ++i) {
        if (m_slots[i].present == 1) present.emplace_back(i, m_slots[i].devicePath);
    }
    return present;
}

bool CSlotTable::Release(size_t index) {
    std::lock_guard lock(m_mutex);
    if (index >= m_slots.size()) return false;
    m_slots[index].present = 0;
    m_slots[index].devicePath.clear();
    return true;
}

}  // namespace warden
