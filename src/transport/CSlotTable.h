#pragma once
// The main window's slot table: one DeviceCatalogueEntry per catalogue row,
// same order. The discovery thread claims and frees slots; the UI thread
// reads them. A lock keeps each read consistent with the thread's writes.

#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "transport/DeviceCatalogue.h"

namespace warden {

class CSlotTable {
public:
    // A copy of every catalogue row, all free.
    CSlotTable();
    CSlotTable(const CSlotTable&) = delete;
    CSlotTable& operator=(const CSlotTable&) = delete;

    size_t Size() const { return m_slots.size(); }
    // A copy of slot `index`; an empty entry when out of range.
    DeviceCatalogueEntry At(size_t index) const;

    // True when a catalogue row and a free slot both carry the identity's
    // vendor id, product id, interface number and collection number.
    bool IsWanted(const DeviceCatalogueEntry& identity) const;

    // Matches the identity (those four values plus usage page and usage)
    // against the catalogue, copies the row's device kind and interface role
    // into it, and claims the first free matching slot with the identity's
    // path. Returns the slot index, or nullopt when no row matches or no
    // matching slot is free.
    std::optional<size_t> ClaimSlot(DeviceCatalogueEntry& identity);

    // False when some slot is free, true otherwise.
    bool AllSlotsTaken() const;

    // Indexes of the present slots with their paths, for the presence check.
    std::vector<std::pair<size_t, std::string>> PresentSlots() const;

    // Frees slot `index` (present 0, empty path). Returns false when out of
    // range.
    bool Release(size_t index);

private:
    mutable std::mutex m_mutex;
    std::vector<DeviceCatalogueEntry> m_slots;
};

}  // namespace warden
