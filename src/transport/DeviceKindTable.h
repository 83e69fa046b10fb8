#pragma once
// One row per device page: what the main window needs to build the page of
// each kind, and how a kind finds its catalogue rows.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "transport/DeviceCatalogue.h"

namespace warden {

struct DeviceKindRow {
    std::string_view optionLayoutFile;
    std::string_view tabHeaderName;
    std::string_view powerSwitchName;
    std::string_view kindName;
    int pageType;
    uint16_t vendorId;
    uint16_t productId;
    uint16_t deviceKind;
    uint16_t interfaceRole;
    std::array<int, 3> unused;  // carried by the rows, read by nothing
};

// Row order: mouse, keyboard, mousepad, headset.
inline constexpr std::array<DeviceKindRow, 4> kDeviceKinds{{
    {"XML\\CustomControlXML\\DeviceOption.xml",
     "tab_header_device",
     "device_power_switch",
     "mouse",
     1,
     0x320F,
     0x220F,
     kKindMouse,
     kRoleCommand,
     {0, 0, 0}},
    {"XML\\CustomControlXML\\DeviceOption.xml",
     "tab_header_device",
     "device_power_switch",
     "keyboard",
     0,
     0,
     0,
     kKindKeyboard,
     kRoleCommand,
     {1, 1, -1}},
    {"XML\\CustomControlXML\\DeviceOption.xml",
     "tab_header_device",
     "device_power_switch",
     "MousePad",
     2,
     0,
     0,
     kKindMousePad,
     kRoleCommand,
     {2, 2, 1}},
    {"XML\\CustomControlXML\\DeviceOption.xml",
     "tab_header_device",
     "device_power_switch",
     "HD",
     3,
     0,
     0,
     kKindHeadset,
     kRoleCommand,
     {3, 3, -1}},
}};

// Index of the kind row with these four values, or nullopt.
constexpr std::optional<size_t> FindKindRow(uint16_t vendorId, uint16_t productId,
                                            uint16_t deviceKind, uint16_t interfaceRole) {
    for (size_t i = 0; i < kDeviceKinds.size(); ++i) {
        const DeviceKindRow& row = kDeviceKinds[i];
        if (row.vendorId == vendorId && row.productId == productId &&
            row.deviceKind == deviceKind && row.interfaceRole == interfaceRole) {
            return i;
        }
    }
    return std::nullopt;
}

// Index of the catalogue row of a kind row (same vendor id, product id,
// device kind and interface role), or nullopt.
constexpr std::optional<size_t> FindCatalogueRowOfKind(const DeviceKindRow& kind) {
    for (size_t i = 0; i < kDeviceCatalogue.size(); ++i) {
        const DeviceCatalogueRow& row = kDeviceCatalogue[i];
        if (row.vendorId == kind.vendorId && row.productId == kind.productId &&
            row.deviceKind == kind.deviceKind && row.interfaceRole == kind.interfaceRole) {
            return i;
        }
    }
    return std::nullopt;
}

}  // namespace warden
