#include <gtest/gtest.h>

#include "transport/CSlotTable.h"
#include "transport/DeviceKindTable.h"
#include "transport/DeviceLayoutTable.h"

namespace warden {
namespace {

DeviceCatalogueEntry Identity(uint16_t vid, uint16_t pid, uint16_t mi, uint16_t col,
                              uint16_t page = 0, uint16_t usage = 0, const char* path = "p") {
    DeviceCatalogueEntry entry;
    entry.vendorId = vid;
    entry.productId = pid;
    entry.interfaceNumber = mi;
    entry.collectionNumber = col;
    entry.usagePage = page;
    entry.usage = usage;
    entry.devicePath = path;
    return entry;
}

TEST(SlotTable, StartsAsAFreeCopyOfTheCatalogue) {
    CSlotTable slots;
    ASSERT_EQ(slots.Size(), kDeviceCatalogue.size());
    for (size_t i = 0; i < slots.Size(); ++i) {
        const DeviceCatalogueEntry slot = slots.At(i);
        EXPECT_TRUE(slot.SameInterface(DeviceCatalogueEntry::FromRow(kDeviceCatalogue[i])));
        EXPECT_TRUE(slot.IsFree());
    }
    EXPECT_FALSE(slots.AllSlotsTaken());
}

TEST(SlotTable, ClaimsTheMouseCommandInterfaceAndCopiesKindAndRole) {
    CSlotTable slots;
    DeviceCatalogueEntry mouse = Identity(0x320F, 0x220F, 1, 4, 0xFF1C, 0x92, "mouse-col04");
    EXPECT_TRUE(slots.IsWanted(mouse));
    EXPECT_EQ(slots.ClaimSlot(mouse), 2u);
    EXPECT_EQ(mouse.deviceKind, kKindMouse);
    EXPECT_EQ(mouse.interfaceRole, kRoleCommand);
    EXPECT_EQ(slots.At(2).present, 1);
    EXPECT_EQ(slots.At(2).devicePath, "mouse-col04");
    EXPECT_FALSE(slots.IsWanted(mouse)) << "its only slot is taken";
    EXPECT_FALSE(slots.ClaimSlot(mouse).has_value());
}

TEST(SlotTable, RefusesUnknownInterfacesAndOtherUsages) {
    CSlotTable slots;
    DeviceCatalogueEntry other = Identity(0x320F, 0x220F, 2, 4, 0xFF1C, 0x92);
    EXPECT_FALSE(slots.IsWanted(other));
    EXPECT_FALSE(slots.ClaimSlot(other).has_value());
    DeviceCatalogueEntry wrongPage = Identity(0x320F, 0x220F, 1, 4, 0x0001, 0x92);
    EXPECT_TRUE(slots.IsWanted(wrongPage));
    EXPECT_FALSE(slots.ClaimSlot(wrongPage).has_value());
    EXPECT_TRUE(slots.At(2).IsFree());
}

TEST(SlotTable, ZeroIdInterfacesFillKeyboardThenMousePadSlots) {
    CSlotTable slots;
    DeviceCatalogueEntry first = Identity(0, 0, 1, 4, 0xFF1C, 0x92, "a");
    DeviceCatalogueEntry second = Identity(0, 0, 1, 4, 0xFF1C, 0x92, "b");
    EXPECT_EQ(slots.ClaimSlot(first), 0u);
    EXPECT_EQ(slots.ClaimSlot(second), 4u);
    EXPECT_EQ(second.deviceKind, kKindKeyboard) << "kind comes from the first matching row";
}

TEST(SlotTable, ReleaseFreesTheSlotAndAllTakenFollows) {
    CSlotTable slots;
    for (size_t i = 0; i < kDeviceCatalogue.size(); ++i) {
        DeviceCatalogueEntry id = DeviceCatalogueEntry::FromRow(kDeviceCatalogue[i]);
        id.devicePath = "path" + std::to_string(i);
        ASSERT_TRUE(slots.ClaimSlot(id).has_value()) << i;
    }
    EXPECT_TRUE(slots.AllSlotsTaken());
    EXPECT_EQ(slots.PresentSlots().size(), kDeviceCatalogue.size());
    EXPECT_TRUE(slots.Release(3));
    EXPECT_FALSE(slots.AllSlotsTaken());
    EXPECT_TRUE(slots.At(3).IsFree());
    EXPECT_FALSE(slots.Release(99));
}

TEST(DeviceKindTable, EveryKindFindsItselfAndItsCommandRow) {
    const size_t expectedRows[] = {2, 0, 4, 6};
    for (size_t i = 0; i < kDeviceKinds.size(); ++i) {
        const DeviceKindRow& kind = kDeviceKinds[i];
        EXPECT_EQ(FindKindRow(kind.vendorId, kind.productId, kind.deviceKind, kind.interfaceRole),
                  i);
        EXPECT_EQ(FindCatalogueRowOfKind(kind), expectedRows[i]);
    }
    EXPECT_FALSE(FindKindRow(0x320F, 0x220F, kKindWirelessMouse, kRoleCommand).has_value());
    static_assert(kDeviceLayouts.size() == kDeviceKinds.size());
    static_assert(kDeviceLayouts[1].lightZoneCount == 126);
}

}  // namespace
}  // namespace warden
