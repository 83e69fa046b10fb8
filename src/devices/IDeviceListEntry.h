#pragma once
// What a device object needs of its entry in the device list: the entry
// owns the UI timers that drive the device (see DeviceEvents.h).

#include <cstdint>

namespace warden {

class IDeviceListEntry {
public:
    virtual ~IDeviceListEntry() = default;
    // Starts (or restarts) the entry's timer `id` with `elapseMs`. Called from
    // the device's synchronisation thread, so an implementation hands the
    // request to the UI thread; it must not block on the UI thread.
    virtual void StartDeviceTimer(uint32_t id, uint32_t elapseMs) = 0;
};

}  // namespace warden
