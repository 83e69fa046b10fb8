#pragma once
// The HID interfaces the program supports, one row per interface, and the
// entry type of the main window's slot table built from it.

#include <array>
#include <cstdint>
#include <string>

namespace warden {

enum DeviceKind : uint16_t {
    kKindKeyboard = 1,
    kKindMouse = 2,
    kKindMousePad = 3,
    kKindWirelessMouse = 6,
    kKindHeadset = 7,
};

enum InterfaceRole : uint16_t {
    kRoleCommand = 0x00,       // carries the command channel
    kRoleNotification = 0xFF,  // read by the synchronisation thread
};

struct DeviceCatalogueRow {
    uint16_t vendorId;
    uint16_t productId;
    uint16_t interfaceNumber;
    uint16_t collectionNumber;
    uint16_t deviceKind;
    uint16_t interfaceRole;
    uint16_t usagePage;
    uint16_t usage;
};

// Rows with vendor and product id 0 match only interfaces that report 0.
inline constexpr std::array<DeviceCatalogueRow, 7> kDeviceCatalogue{{
    {0x0000, 0x0000, 1, 4, kKindKeyboard, kRoleCommand, 0xFF1C, 0x0092},
    {0x0000, 0x0000, 1, 3, kKindKeyboard, kRoleNotification, 0x000C, 0x0001},
    {0x320F, 0x220F, 1, 4, kKindMouse, kRoleCommand, 0xFF1C, 0x0092},
    {0x320F, 0x220F, 1, 3, kKindMouse, kRoleNotification, 0x000C, 0x0001},
    {0x0000, 0x0000, 1, 4, kKindMousePad, kRoleCommand, 0xFF1C, 0x0092},
    {0x0000, 0x0000, 1, 3, kKindMousePad, kRoleNotification, 0x000C, 0x0001},
    {0x0000, 0x0000, 3, 0, kKindHeadset, kRoleCommand, 0x000C, 0x0001},
}};

// One slot of the slot table, and the identity of an interface being
// matched against it.
struct DeviceCatalogueEntry {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t interfaceNumber = 0;
    uint16_t collectionNumber = 0;
    uint16_t deviceKind = 0;
    uint16_t interfaceRole = 0;
    uint16_t present = 0;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    std::string devicePath;

    static DeviceCatalogueEntry FromRow(const DeviceCatalogueRow& row) {
        DeviceCatalogueEntry entry;
        entry.vendorId = row.vendorId;
        entry.productId = row.productId;
        entry.interfaceNumber = row.interfaceNumber;
        entry.collectionNumber = row.collectionNumber;
        entry.deviceKind = row.deviceKind;
        entry.interfaceRole = row.interfaceRole;
        entry.usagePage = row.usagePage;
        entry.usage = row.usage;
        return entry;
    }

    // Same interface: every identifying field equal; present flag and path
    // are not compared.
    bool SameInterface(const DeviceCatalogueEntry& other) const {
        return vendorId == other.vendorId && productId == other.productId &&
               interfaceNumber == other.interfaceNumber &&
               collectionNumber == other.collectionNumber && deviceKind == other.deviceKind &&
               interfaceRole == other.interfaceRole && usagePage == other.usagePage &&
               usage == other.usage;
    }

    bool IsFree() const { return present == 0 && devicePath.empty(); }
};

}  // namespace warden
