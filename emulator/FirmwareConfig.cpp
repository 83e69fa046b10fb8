#include "emulator/FirmwareConfig.h"

#include "profiles/KeyCodeTables.h"

namespace warden {

namespace {

// Effect 1, brightness 4, speed code 2, colourful, red.
std::vector<uint8_t> LightingBlock() {
    std::vector<uint8_t> block(25, 0);
    block[1] = 1;
    block[2] = 4;
    block[3] = 2;
    block[5] = 1;
    block[6] = 0xFF;
    return block;
}

// The lighting block, then polling index 0; stages at slider positions 4, 8,
// 16, 32 with stage 1 active; the stage colours the program always sends.
std::vector<uint8_t> MouseSettingsBlock() {
    std::vector<uint8_t> block = LightingBlock();
    block.resize(85, 0);
    block[15] = 4;
    block[16] = 8;
    block[17] = 16;
    block[18] = 32;
    block[19] = 1;
    const uint8_t colours[21] = {255, 0,   0,  0, 0, 255, 0,   255, 0,   255, 0,
                                 255, 255, 50, 0, 0, 255, 255, 255, 255, 255};
    for (size_t i = 0; i < 21; ++i) block[24 + i] = colours[i];
    return block;
}

}  // namespace

FirmwareConfig MouseFirmware() {
    FirmwareConfig config;
    config.keyPositions = 16;
    config.macroUnits = 32;
    config.dpiStep = 100;
    config.lowestDpi = 200;
    for (const MouseKey& key : kMouseFactoryKeys) config.factoryKeys.push_back(key.factoryCode);
    config.factoryKeys.resize(config.keyPositions, KeyCode{0, 0, 0});
    config.ledMap.resize(config.keyPositions, 0);
    for (size_t i = 0; i < 6; ++i) config.ledMap[i] = static_cast<uint8_t>(i);
    config.factoryMemory.push_back({0, MouseSettingsBlock()});
    return config;
}

FirmwareConfig KeyboardFirmware(const std::vector<uint8_t>& order) {
    FirmwareConfig config;
    config.keyPositions = static_cast<uint8_t>(kStandardKeyCodes.size());
    config.macroUnits = 32;
    for (size_t position = 0; position < kStandardKeyCodes.size(); ++position) {
        const size_t uiKey = position < order.size() ? order[position] : position;
        config.factoryKeys.push_back(uiKey < kStandardKeyCodes.size() ? kStandardKeyCodes[uiKey]
                                                                      : KeyCode{0, 0, 0});
        config.ledMap.push_back(static_cast<uint8_t>(uiKey));
    }
    config.factoryMemory.push_back({0, LightingBlock()});
    return config;
}

FirmwareConfig MousePadFirmware() {
    FirmwareConfig config;
    config.status = {1, 0, 80, 0, 0, 0};
    config.factoryMemory.push_back({0, LightingBlock()});
    return config;
}

FirmwareConfig HeadsetFirmware() {
    FirmwareConfig config;
    config.factoryMemory.push_back({0, LightingBlock()});
    return config;
}

}  // namespace warden
