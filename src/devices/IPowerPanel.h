#pragma once
// What a device object needs of its power panel.

#include <cstdint>
#include <span>

#include "devices/DeviceEvents.h"

namespace warden {

class IPowerPanel {
public:
    virtual ~IPowerPanel() = default;
    // Mode from the device's layout row; 0 means the status is not polled.
    virtual void SetPowerPanelMode(int mode) = 0;
    // The six status bytes as read by the device (byte 3: 1 in wireless mode).
    virtual void ShowPowerStatus(std::span<const uint8_t, device::kPowerStatusSize> status) = 0;
};

}  // namespace warden
