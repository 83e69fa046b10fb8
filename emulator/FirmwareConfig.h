#pragma once
// What an emulated device is made of: its information block values, memory
// and table sizes, factory key table, LED map and status. Factory settings
// for each kind come from the functions below; tests change fields freely.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "profiles/KeyCodeTables.h"

namespace warden {

struct MemoryPreset {
    uint16_t address;
    std::vector<uint8_t> bytes;
};

struct FirmwareConfig {
    uint8_t keyPositions = 0;  // info byte 5
    uint8_t macroUnits = 0;    // info byte 6: macro memory in units of 128 bytes
    uint8_t dpiStep = 0;       // info byte 11
    uint16_t lowestDpi = 0;    // info bytes 13..14
    size_t memorySize = 4096;  // device memory read and written by 0x05 / 0x06
    size_t shootCapacity = 4096;
    std::vector<KeyCode> factoryKeys;  // by key position
    std::vector<uint8_t> ledMap;       // by key position
    std::array<uint8_t, 6> status{};   // answered by 0x1A
    bool linkUp = true;                // answered by 0xAA
    std::vector<MemoryPreset> factoryMemory;
};

// 10 factory keys on positions 0..9 of 16, a 32-unit macro memory, DPI step
// 100 from 200, and a factory settings block in slot 0.
FirmwareConfig MouseFirmware();
// The standard key codes, in `order` (UI key index per position; empty:
// UI order), one LED per position.
FirmwareConfig KeyboardFirmware(const std::vector<uint8_t>& order = {});
// Lighting only: settings block of 21 bytes in slot 0, battery status.
FirmwareConfig MousePadFirmware();
// Memory for the 21-byte settings block only.
FirmwareConfig HeadsetFirmware();

}  // namespace warden
