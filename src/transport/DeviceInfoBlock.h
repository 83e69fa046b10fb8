#pragma once
// The 33-byte information block a device returns for command 0x03.

#include <array>
#include <cstddef>
#include <cstdint>

namespace warden {

struct DeviceInfoBlock {
    static constexpr size_t kSize = 33;
    static constexpr size_t kKeyPositionsByte = 5;
    static constexpr size_t kMacroUnitsByte = 6;
    static constexpr size_t kDpiStepByte = 11;
    static constexpr size_t kLowestDpiByte = 13;  // 16-bit, low byte first
    static constexpr size_t kMacroUnitBytes = 128;

    std::array<uint8_t, kSize> bytes{};

    // Number of key positions; the key table holds 3 bytes per position.
    uint8_t KeyPositions() const { return bytes[kKeyPositionsByte]; }
    // Macro memory size in units of 128 bytes.
    uint8_t MacroUnits() const { return bytes[kMacroUnitsByte]; }
    uint8_t DpiStep() const { return bytes[kDpiStepByte]; }
    uint16_t LowestDpi() const {
        return static_cast<uint16_t>(bytes[kLowestDpiByte] | (bytes[kLowestDpiByte + 1] << 8));
    }
};

}  // namespace warden
