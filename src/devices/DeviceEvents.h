#pragma once
// Numbers shared between a device object, its device list entry and the main
// window: the entry's timers, the notification codes the synchronisation
// thread reacts to and the window message of the power status.

#include <cstdint>

namespace warden::device {

// Timers on the device list entry.
inline constexpr uint32_t kTimerPreview = 1000;      // ShowLighting every 5 ms
inline constexpr uint32_t kTimerConnect = 1001;      // OnConnected, 500 ms after arrival
inline constexpr uint32_t kTimerReload = 1002;       // ReloadFromDevice
inline constexpr uint32_t kTimerPowerStatus = 1005;  // ReadPowerStatus

// Delay of the settings re-read after a synchronisation request.
inline constexpr uint32_t kReloadDelayKeyboardMs = 100;
inline constexpr uint32_t kReloadDelayOtherMs = 500;

// Event codes of the notification interface.
inline constexpr uint32_t kCodeSyncRequest = 0x401;
inline constexpr uint32_t kCodeCounter = 0x404;
inline constexpr uint32_t kCodeKeyDownFirst = 0x500;
inline constexpr uint32_t kCodeKeyUpFirst = 0x600;
inline constexpr uint32_t kCodeKeyUpLast = 0x6FF;

// Key event kinds handed to the keyboard.
inline constexpr int kKeyEventDown = 1;
inline constexpr int kKeyEventUp = 2;

// Power status to the main window: wParam = status byte 4, lParam = 0.
inline constexpr uint32_t kMsgPowerStatus = 3329;
inline constexpr size_t kPowerStatusSize = 6;
inline constexpr size_t kPowerStatusWirelessByte = 3;
inline constexpr size_t kPowerStatusMessageByte = 4;

// Bound for every worker thread of a device to end after its stop request.
inline constexpr uint32_t kThreadStopBoundMs = 1000;

}  // namespace warden::device
