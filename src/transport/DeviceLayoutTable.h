#pragma once
// Per-kind layout facts handed to a device object when its page is built;
// row i belongs to row i of the kind table.

#include <array>
#include <string_view>

namespace warden {

struct DeviceLayoutRow {
    int lightZoneCount;
    int keyCount;
    int powerPanelMode;
    int logoZone;  // light zone shown by the mouse's logo, -1 for none
    std::string_view layoutFile;
    std::string_view lightConfigBaseName;
};

// Row order: mouse, keyboard, mousepad, headset.
inline constexpr std::array<DeviceLayoutRow, 4> kDeviceLayouts{{
    {6, 7, 0, -1, "XML\\DeviceXml\\mousedevice.xml", "tavix_light"},
    {126, 126, 0, -1, "XML\\DeviceXml\\keyboarddevice.xml", "tavix_light"},
    {15, 0, 0, -1, "XML\\DeviceXml\\mousepaddevice.xml", "tavix_light"},
    {13, 0, 0, -1, "XML\\DeviceXml\\hs6533device.xml", "tavix_light"},
}};

}  // namespace warden
