#pragma once
// Window message numbers, timer ids and registered message names of the main
// window, shared by everything that talks to it.

#include <cstdint>

namespace warden::mainwnd {

// Window messages with fixed numbers. Those another layer sends are defined
// there only: WM_MENUCLICK (1145) in ui/Messages.h, UWM_DEVICE_ARRIVED and
// UWM_DEVICE_REMOVED (3090, 3091) in transport/CDeviceDiscovery.h,
// device::kMsgPowerStatus (3329) in devices/DeviceEvents.h.
inline constexpr uint32_t kMsgTray = 1025;  // lParam = mouse message
inline constexpr uint32_t kMsgKeyCaptureHook = 1054;
inline constexpr uint32_t kMsgDpiTrace = 1224;
inline constexpr uint32_t kMsgShowProgress = 3072;
inline constexpr uint32_t kMsgLanguageChanged = 3089;
inline constexpr uint32_t kMsgOpenSettings = 3093;
inline constexpr uint32_t kMsgClearUpdateMark = 3094;

// Mouse messages carried in lParam of kMsgTray.
inline constexpr intptr_t kTrayLeftButtonUp = 0x202;
inline constexpr intptr_t kTrayRightButtonUp = 0x205;

// Timers of the main window.
inline constexpr uint32_t kTimerScaling = 1011;
inline constexpr uint32_t kTimerScalingMs = 100;
inline constexpr uint32_t kTimerTrayMenu = 1032;
inline constexpr uint32_t kTimerTrayMenuMs = 10;
inline constexpr uint32_t kTimerProfileSwitch = 1055;

// Registered messages, by name.
inline constexpr const char* kProductMessage = "VDL-K42 WARDEN";
inline constexpr const char* kSettingsRelayMessage = "{4695579F-999A-41d4-9FAF-EFFCE93EBF15}";
inline constexpr const char* kLightingBroadcastMessage = "{4695579F-999A-41d4-9FAF-EFFCE93EBF16}";
inline constexpr const char* kLightingRequestMessage = "{4695579F-999A-41d4-9FAF-EFFCE93EBF17}";

}  // namespace warden::mainwnd
