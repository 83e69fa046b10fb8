#pragma once
// HID report descriptors of the emulated devices, shaped as the catalogue
// expects: interface 1 has four top-level collections, the third the
// consumer-page notifications (report id 3) and the fourth the vendor
// command channel (page 0xFF1C, usage 0x92, report id 4, 64-byte reports);
// the headset's interface 3 has one consumer-page collection carrying the
// command channel and its 17-byte lighting output report (report id 0xFF).

#include <cstddef>
#include <cstdint>
#include <vector>

namespace warden {

inline constexpr uint8_t kPointerReportId = 1;
inline constexpr uint8_t kSystemControlReportId = 2;
inline constexpr uint8_t kNotificationReportId = 3;
inline constexpr uint8_t kHeadsetLightReportId = 0xFF;
inline constexpr size_t kNotificationReportSize = 3;  // id + 16-bit event code
inline constexpr size_t kHeadsetLightReportSize = 17;

enum class InterfaceShape {
    MouseInterface1,     // pointer, system control, notifications, commands
    KeyboardInterface1,  // keyboard, system control, notifications, commands
    HeadsetInterface3,   // one collection: commands and lighting output
};

std::vector<uint8_t> ReportDescriptor(InterfaceShape shape);

}  // namespace warden
