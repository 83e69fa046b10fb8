#pragma once
// The discovery thread's work: every pass it matches newly present HID
// interfaces against the slot table while a slot is free, and checks that
// every claimed interface is still there, telling the main window of each
// arrival and removal.

#include <cstdint>

#include "platform/Event.h"
#include "transport/CHidConnection.h"
#include "transport/CSlotTable.h"
#include "ui/MessageTarget.h"

namespace warden {

inline constexpr uint32_t UWM_DEVICE_ARRIVED = 3090;  // wParam = slot index
inline constexpr uint32_t UWM_DEVICE_REMOVED = 3091;  // wParam = slot index
inline constexpr uint32_t kDiscoveryPeriodMs = 100;

class CDeviceDiscovery {
public:
    // `slots` and `target` must outlive the object.
    CDeviceDiscovery(CSlotTable& slots, MessageTarget& target);
    CDeviceDiscovery(const CDeviceDiscovery&) = delete;
    CDeviceDiscovery& operator=(const CDeviceDiscovery&) = delete;

    // One pass: arrivals (only while some slot is free), the product-named
    // registered message after the first pass that enumerated, then the
    // presence checks. Every send gives up when `abort` fires, so a stop
    // never waits on the main window. Returns false when the interfaces
    // could not be enumerated; the thread then ends.
    bool RunPass(Event* abort = nullptr);

    // The thread body: passes every 100 ms until `stop` is set; every wait
    // ends at once when it is. Traces "抓取设备线程设定退出" when stopped.
    void Run(Event& stop);

private:
    bool ClaimNewInterfaces(Event* abort);
    void CheckPresence(Event* abort);

    CSlotTable& m_slots;
    MessageTarget& m_target;
    CHidConnection m_connection;
    bool m_firstPass = true;
};

}  // namespace warden
